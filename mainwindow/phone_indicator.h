#pragma once
// Shape1: a filled rectangle whose colour tells whether a phone is connected,
// framed by a 2-pixel pen drawn inside its bounds.
#include <QColor>
#include <QWidget>

namespace quillet::ui {

class PhoneIndicator : public QWidget {
  Q_OBJECT
 public:
  explicit PhoneIndicator(QWidget* parent = nullptr);

  QColor brushColor() const { return brush_; }
  void setBrushColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor brush_ = Qt::red;
};

}  // namespace quillet::ui
