#include "item_settings_dialog.h"

namespace quillet::ui {

TOKRightDlg::TOKRightDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("TOKRightDlg");
  setWindowTitle("Basic settings");
}

}  // namespace quillet::ui
