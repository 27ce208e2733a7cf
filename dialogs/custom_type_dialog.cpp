#include "custom_type_dialog.h"

namespace quillet::ui {

TOKRightDlg1::TOKRightDlg1(QWidget* parent) : QDialog(parent) {
  setObjectName("TOKRightDlg1");
  setWindowTitle("Dialog");
}

}  // namespace quillet::ui
