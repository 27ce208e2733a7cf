#pragma once
// Which MIDlet of a Java application a menu item starts, when the application's suite
// holds several (MIDlet-1, MIDlet-2, ...). Opened by the custom item type dialog.
#include <QDialog>
#include <vector>

#include "midlet_suite.h"

class QListWidget;
class QPushButton;

namespace quillet::ui {

class MidletChooserDialog : public QDialog {
  Q_OBJECT
 public:
  // Lists the MIDlets in the suite's order, the first one chosen.
  explicit MidletChooserDialog(const std::vector<midlet::Midlet>& midlets, QWidget* parent = nullptr);

  // The position of the chosen MIDlet in the list (MIDlet-n is position n - 1).
  int Chosen() const;

 private:
  QListWidget* MidletList;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
};

}  // namespace quillet::ui
