#pragma once
// Help > Language: the remembered choice of the interface language. The windows are
// built in the language of the start, so a new choice takes effect at the next start,
// and the menu says so.
#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace quillet::ui {

class LanguageMenu : public QObject {
  Q_OBJECT

 public:
  // Adds the submenu "Language" to `help`; `owner` owns the notice box.
  LanguageMenu(QMenu* help, QWidget* owner);

  QMenu* menu() const { return menu_; }

 private:
  void choose(QAction* entry);

  QWidget* owner_;
  QMenu* menu_;
  QActionGroup* entries_;
};

}  // namespace quillet::ui
