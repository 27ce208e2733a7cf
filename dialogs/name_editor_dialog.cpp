#include "name_editor_dialog.h"

namespace quillet::ui {

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
  setObjectName("TForm1");
  setWindowTitle("Name settings");
}

}  // namespace quillet::ui
