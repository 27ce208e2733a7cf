#pragma once
// A small filled circle whose colour tells where an icon comes from.
#include <QColor>
#include <QWidget>

namespace quillet::ui {

class ColourCircle : public QWidget {
  Q_OBJECT
 public:
  explicit ColourCircle(QWidget* parent = nullptr);

  void setColour(const QColor& colour);
  QColor colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

}  // namespace quillet::ui
