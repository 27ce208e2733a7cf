#pragma once
// TAboutBox: the product name and version, closed by its default OK button.
#include <QDialog>

namespace quillet::ui {

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace quillet::ui
