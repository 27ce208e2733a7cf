#pragma once
#include <QDialog>

namespace quillet::ui {

class TOKRightDlg1 : public QDialog {
  Q_OBJECT
 public:
  explicit TOKRightDlg1(QWidget* parent = nullptr);
};

}  // namespace quillet::ui
