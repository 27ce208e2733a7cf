#pragma once
#include <QDialog>

namespace quillet::ui {

class TForm2 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent = nullptr);
};

}  // namespace quillet::ui
