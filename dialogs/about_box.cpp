#include "about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "screen_centring.h"

namespace quillet::ui {

namespace {

QFont arialFont(int pixels, bool bold) {
  QFont font;
  font.setFamilies(
      {QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QLabel* centredLabel(const QString& text, const QFont& font, QWidget* parent, int top, int width) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(0, top, width, label->sizeHint().height());
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAboutBox"));
  setWindowTitle(tr("About"));
  setFixedSize(453, 350);
  CentreOnScreenWhenShown(*this);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setGeometry(8, 8, 437, 290);

  auto* productName =
      centredLabel(QStringLiteral("Quillet"), arialFont(26, true), panel, 100, panel->width());
  productName->setObjectName(QStringLiteral("ProductName"));
  QPalette red = productName->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  productName->setPalette(red);
  auto* version = centredLabel(tr("Version 0.1"), arialFont(22, false), panel, 150, panel->width());
  version->setObjectName(QStringLiteral("Version"));

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  ok->setGeometry((453 - 75) / 2, 312, 75, 25);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace quillet::ui
