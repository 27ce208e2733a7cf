#pragma once
#include <QDialog>

namespace quillet::ui {

class TForm1 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
};

}  // namespace quillet::ui
