// Draws the editor's 16 images (16 x 16 pixels) of the menus, the tool bar and the
// pop-up menus as PNG files into the folder given as the only argument. The pictures
// are our own simple drawings; the PNGs are kept in the repository and compiled in.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cstdio>
#include <functional>

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kBlue(30, 90, 200);
const QColor kGreen(20, 150, 40);
const QColor kYellow(240, 200, 60);
const QColor kPhoneBody(70, 80, 95);
const QColor kScreen(150, 210, 240);

void page(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - 3, r.top());
  path.lineTo(r.right(), r.top() + 3);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
  p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QLineF shaft(to, from);
  QLineF wing1 = shaft;
  wing1.setLength(4);
  wing1.setAngle(shaft.angle() + 40);
  QLineF wing2 = shaft;
  wing2.setLength(4);
  wing2.setAngle(shaft.angle() - 40);
  p.drawLine(wing1);
  p.drawLine(wing2);
}

void phone(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPhoneBody);
  p.drawRoundedRect(r, 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kScreen);
  p.drawRect(QRectF(r.left() + 1.5, r.top() + 2, r.width() - 3, r.height() * 0.4));
}

void plus(QPainter& p, QPointF centre) {
  p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(centre + QPointF(-3, 0), centre + QPointF(3, 0));
  p.drawLine(centre + QPointF(0, -3), centre + QPointF(0, 3));
}

void bar(QPainter& p, qreal left, qreal top, qreal right) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 130, 150));
  p.drawRect(QRectF(left, top, right - left, 2.5));
}

void floppy(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kBlue);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4, 1.5, 8, 5));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(4, 9.5, 8, 5));
}

using Drawing = std::function<void(QPainter&)>;

const std::array<std::pair<const char*, Drawing>, 16> kImages = {{
    {"00_cut",
     [](QPainter& p) {
       p.setPen(QPen(kInk, 1.5));
       p.drawLine(QPointF(4, 1), QPointF(10, 10));
       p.drawLine(QPointF(12, 1), QPointF(6, 10));
       p.setBrush(Qt::NoBrush);
       p.setPen(QPen(QColor(200, 40, 40), 1.8));
       p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
       p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
     }},
    {"01_copy",
     [](QPainter& p) {
       page(p, QRectF(1.5, 1.5, 8, 10));
       page(p, QRectF(6.5, 4.5, 8, 10));
     }},
    {"02_paste",
     [](QPainter& p) {
       p.setPen(QPen(kInk, 1));
       p.setBrush(QColor(170, 120, 60));
       p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
       p.setBrush(QColor(190, 190, 190));
       p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
       page(p, QRectF(6.5, 6.5, 8, 8));
     }},
    {"03_move_down", [](QPainter& p) { arrow(p, QPointF(8, 2), QPointF(8, 14), kBlue); }},
    {"04_move_up", [](QPainter& p) { arrow(p, QPointF(8, 14), QPointF(8, 2), kBlue); }},
    {"05_restart_phone",
     [](QPainter& p) {
       phone(p, QRectF(1.5, 1.5, 7, 13));
       p.setPen(QPen(kGreen, 1.8));
       p.setBrush(Qt::NoBrush);
       p.drawArc(QRectF(7.5, 5.5, 7, 7), 100 * 16, 270 * 16);
       arrow(p, QPointF(13.5, 7.5), QPointF(13, 5), kGreen);
     }},
    {"06_new", [](QPainter& p) { page(p, QRectF(2.5, 1.5, 11, 13)); }},
    {"07_open_from_phone",
     [](QPainter& p) {
       phone(p, QRectF(8.5, 1.5, 6, 13));
       arrow(p, QPointF(8, 9), QPointF(1.5, 9), kGreen);
     }},
    {"08_open",
     [](QPainter& p) {
       p.setPen(QPen(kInk, 1));
       p.setBrush(kYellow.darker(115));
       p.drawRect(QRectF(1.5, 3.5, 12, 10));
       p.drawRect(QRectF(1.5, 2.5, 5, 1.5));
       p.setBrush(kYellow);
       p.drawPolygon(QPolygonF({QPointF(1.5, 13.5), QPointF(4, 6.5), QPointF(15, 6.5), QPointF(13.5, 13.5)}));
     }},
    {"09_save", [](QPainter& p) { floppy(p); }},
    {"10_save_to_phone",
     [](QPainter& p) {
       phone(p, QRectF(8.5, 1.5, 6, 13));
       arrow(p, QPointF(1.5, 9), QPointF(8, 9), kBlue);
     }},
    {"11_replace",
     [](QPainter& p) {
       arrow(p, QPointF(2, 5), QPointF(13, 5), kBlue);
       arrow(p, QPointF(14, 11), QPointF(3, 11), kGreen);
     }},
    {"12_add_before",
     [](QPainter& p) {
       plus(p, QPointF(4.5, 4.5));
       bar(p, 1.5, 10, 14.5);
       bar(p, 1.5, 13.5, 14.5);
     }},
    {"13_add_first_item",
     [](QPainter& p) {
       plus(p, QPointF(4.5, 4.5));
       bar(p, 9, 3.5, 15);
       bar(p, 1.5, 9, 15);
       bar(p, 1.5, 13, 15);
     }},
    {"14_add_first_subitem",
     [](QPainter& p) {
       bar(p, 1.5, 1.5, 15);
       plus(p, QPointF(8.5, 8));
       bar(p, 6, 13, 15);
       p.setPen(QPen(kInk, 1));
       p.drawLine(QPointF(2.5, 4), QPointF(2.5, 14));
       p.drawLine(QPointF(2.5, 8), QPointF(4.5, 8));
     }},
    {"15_add_last_subitem",
     [](QPainter& p) {
       bar(p, 1.5, 1.5, 15);
       bar(p, 6, 6, 15);
       plus(p, QPointF(8.5, 12));
       p.setPen(QPen(kInk, 1));
       p.drawLine(QPointF(2.5, 4), QPointF(2.5, 12));
       p.drawLine(QPointF(2.5, 12), QPointF(4.5, 12));
     }},
}};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  for (const auto& [name, draw] : kImages) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    const QString path =
        QStringLiteral("%1/%2.png").arg(QString::fromLocal8Bit(argv[1]), QLatin1String(name));
    if (!image.save(path)) {
      std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
