#pragma once
// The user guide, shipped inside the program and shown in a window of its own beside
// the editor (Help > Quillet Help, F1), so it opens the same with or without a browser
// and whatever the install place.
#include <QWidget>

class QTextBrowser;

namespace quillet::ui {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

 private:
  QTextBrowser* guide_;
};

}  // namespace quillet::ui
