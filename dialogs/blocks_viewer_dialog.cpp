#include "blocks_viewer_dialog.h"

namespace quillet::ui {

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setObjectName("TForm2");
  setWindowTitle("Unsupported blocks view [currently read-only]");
}

}  // namespace quillet::ui
