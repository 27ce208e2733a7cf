#include "phone_indicator.h"

#include <QPainter>

namespace quillet::ui {

namespace {
constexpr int kPenWidth = 2;
}

PhoneIndicator::PhoneIndicator(QWidget* parent) : QWidget(parent) {}

void PhoneIndicator::setBrushColor(const QColor& color) {
  brush_ = color;
  update();
}

void PhoneIndicator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), brush_);
  QPen pen(Qt::black, kPenWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  // A pen is centred on its line; inset by half its width so all of it lies inside.
  const int half = kPenWidth / 2;
  painter.drawRect(rect().adjusted(half, half, -half, -half));
}

}  // namespace quillet::ui
