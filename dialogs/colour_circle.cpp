#include "colour_circle.h"

#include <QPainter>

namespace quillet::ui {

ColourCircle::ColourCircle(QWidget* parent) : QWidget(parent), colour_(palette().color(QPalette::Button)) {
  setFixedSize(17, 17);
}

void ColourCircle::setColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void ColourCircle::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setBrush(colour_);
  painter.drawEllipse(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quillet::ui
