#pragma once
#include <QDialog>

namespace quillet::ui {

class TOKRightDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TOKRightDlg(QWidget* parent = nullptr);
};

}  // namespace quillet::ui
