#pragma once
// Help > Language: the remembered choice of the interface language. The windows are
// built in the language of the start, so a new choice takes effect at the next start,
// and the menu says so.
#include <QObject>
#include <functional>

#include "message_prompt.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace quillet::ui {

class LanguageMenu : public QObject {
  Q_OBJECT

 public:
  // Adds the submenu "Language" to `help`; `owner` owns the notice box, which `tell`
  // shows (through the window's prompter).
  LanguageMenu(QMenu* help, QWidget* owner, std::function<void(const MessageRequest&)> tell);

  QMenu* menu() const { return menu_; }

 private:
  void choose(QAction* entry);

  QWidget* owner_;
  std::function<void(const MessageRequest&)> tell_;
  QMenu* menu_;
  QActionGroup* entries_;
};

}  // namespace quillet::ui
