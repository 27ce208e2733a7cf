#include "phone_screen.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "preview_icon_store.h"

namespace quillet::ui {

namespace {

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kBarHeight = 28;
constexpr int kGridRowHeight = 76;
constexpr int kListRowHeight = 34;
constexpr int kGridIcon = 48;
constexpr int kListIcon = 24;
constexpr int kMargin = 4;

QString Text(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

const QColor kBar(38, 70, 120);
const QColor kBarText(255, 255, 255);
const QColor kFallbackOnBar(170, 190, 220);
const QColor kScreen(250, 250, 252);
const QColor kText(20, 20, 20);
const QColor kFallbackText(140, 140, 150);
const QColor kHighlight(255, 200, 80);
const QColor kNeutralTile(210, 214, 222);
const QColor kMissing(200, 30, 30);

}  // namespace

PhoneScreen::PhoneScreen(const MenuDocument& document, PreviewIconStore& icons, QWidget* parent)
    : QWidget(parent), document_(document), icons_(icons) {
  setObjectName(QStringLiteral("PhoneScreen"));
  setFixedSize(kScreenWidth, kScreenHeight);
  setFocusPolicy(Qt::StrongFocus);
  connect(&icons_, &PreviewIconStore::iconsChanged, this, qOverload<>(&QWidget::update));
  connect(&icons_, &PreviewIconStore::frameChanged, this, qOverload<>(&QWidget::update));
}

void PhoneScreen::setLanguage(std::uint8_t language) {
  language_ = language;
  rebuild();
}

void PhoneScreen::setListMode(bool list) {
  listMode_ = list;
  rebuild();
}

const MenuNode* PhoneScreen::menuNode() const { return menu_ != nullptr ? menu_ : document_.menuRootNode(); }

PhoneScreen::Tile PhoneScreen::tileFor(const MenuNode& node, IconUse use) const {
  const ShownName name = MenuNameIn(document_, node, language_);
  return {&node, Text(name.text), name.isFallback(), IconFor(document_, node, use)};
}

void PhoneScreen::rebuild() {
  tiles_.clear();
  const MenuNode* shown = menuNode();
  if (shown != nullptr) {
    const IconUse use = showsGrid() ? IconUse::Grid : IconUse::List;
    tiles_.reserve(shown->childCount());
    for (const MenuNode* child : shown->children()) tiles_.push_back(tileFor(*child, use));
  }
  const MenuNode* softkeys = document_.softkeysNode();
  for (int key = 0; key < 2; ++key) {
    softkeys_[key] = {};
    if (softkeys == nullptr || softkeys->childCount() <= static_cast<std::size_t>(key)) continue;
    const MenuNode& node = *softkeys->child(static_cast<std::size_t>(key));
    const ShownName title = SoftkeyTitleIn(document_, node, language_);
    softkeys_[key] = {&node, Text(title.text), title.isFallback(), {}};
  }
  for (std::size_t i = 0; i < tiles_.size(); ++i) {
    if (tiles_[i].node == highlightedNode_) highlighted_ = static_cast<int>(i);
  }
  highlighted_ = tiles_.empty() ? -1 : std::clamp(highlighted_, 0, static_cast<int>(tiles_.size()) - 1);
  highlightedNode_ = highlighted_ >= 0 ? tiles_[static_cast<std::size_t>(highlighted_)].node : nullptr;
  scrollToHighlight();
  update();
}

void PhoneScreen::showNode(const MenuNode* node) {
  softkeyHighlighted_ = -1;
  const MenuNode* root = document_.menuRootNode();
  if (node == nullptr || root == nullptr) {
    // Nothing selected: the menu on show stays.
  } else if (node == root) {
    menu_ = nullptr;
  } else if (MenuTree::isWithin(node, root)) {
    menu_ = node->parent() == root ? nullptr : node->parent();
    highlighted_ = node->row();
    highlightedNode_ = node;
  } else {
    const MenuNode* softkeys = document_.softkeysNode();
    if (node->parent() == softkeys && node->row() < 2) softkeyHighlighted_ = node->row();
  }
  rebuild();
}

void PhoneScreen::nodeLeaving(const MenuNode* node) {
  if (highlightedNode_ != nullptr && MenuTree::isWithin(highlightedNode_, node)) highlightedNode_ = nullptr;
  if (menu_ == nullptr || !MenuTree::isWithin(menu_, node)) return;
  menu_ = node->parent() == document_.menuRootNode() ? nullptr : node->parent();
  highlighted_ = node->row();
  highlightedNode_ = nullptr;
}

void PhoneScreen::documentLeaving() {
  menu_ = nullptr;
  highlighted_ = 0;
  highlightedNode_ = nullptr;
  softkeyHighlighted_ = -1;
  tiles_.clear();
  for (Tile& key : softkeys_) key = {};
}

PhoneScreen::Mark PhoneScreen::markOf(const Tile& tile) const {
  switch (tile.icon.kind) {
    case ShownIcon::Kind::DrmIndex: return Mark::DrmTile;
    case ShownIcon::Kind::None: return Mark::InitialTile;
    case ShownIcon::Kind::FilePath: break;
  }
  const IconLook& look = icons_.look(tile.icon.path);
  switch (look.state) {
    case IconLook::State::Ready: return look.movie != nullptr ? Mark::Animation : Mark::Image;
    case IconLook::State::Missing: return Mark::Missing;
    case IconLook::State::Fetching: break;
  }
  return Mark::Fetching;
}

QString PhoneScreen::tileToolTip(const Tile& tile) const {
  QString tip = tile.name;
  if (tile.nameIsFallback) tip += tr(" (no name in the display language)");
  switch (tile.icon.kind) {
    case ShownIcon::Kind::DrmIndex:
      return tip + QLatin1Char('\n') +
             tr("Icon: DRM index %1, from the phone's DRM store").arg(tile.icon.drmIndex);
    case ShownIcon::Kind::None:
      return tip + QLatin1Char('\n') + tr("No icon in the menu file: the phone draws its own");
    case ShownIcon::Kind::FilePath: break;
  }
  const QString path = Text(tile.icon.path);
  const IconLook& look = icons_.look(tile.icon.path);
  QString where =
      look.lookedIn.isEmpty() ? QString() : QLatin1Char('\n') + tr("Looked for in %1").arg(look.lookedIn);
  switch (look.state) {
    case IconLook::State::Ready: return tip + QLatin1Char('\n') + tr("Icon: %1").arg(path);
    case IconLook::State::Fetching:
      return tip + QLatin1Char('\n') + tr("Icon: %1 (being read)").arg(path) + where;
    case IconLook::State::Missing: break;
  }
  return tip + QLatin1Char('\n') + tr("Missing icon: %1").arg(path) + where + QLatin1Char('\n') + look.reason;
}

QString PhoneScreen::titleText() const {
  if (showsGrid()) return highlighted_ >= 0 ? tiles_[static_cast<std::size_t>(highlighted_)].name : QString();
  if (menu_ == nullptr) return document_.menuRootNode() != nullptr ? tr("Main menu") : QString();
  return Text(MenuNameIn(document_, *menu_, language_).text);
}

bool PhoneScreen::titleIsFallback() const {
  if (showsGrid()) return highlighted_ >= 0 && tiles_[static_cast<std::size_t>(highlighted_)].nameIsFallback;
  return menu_ != nullptr && MenuNameIn(document_, *menu_, language_).isFallback();
}

int PhoneScreen::rowHeight() const { return showsGrid() ? kGridRowHeight : kListRowHeight; }

QRect PhoneScreen::menuArea() const { return QRect(0, kBarHeight, width(), height() - 2 * kBarHeight); }

QRect PhoneScreen::tileRect(int index) const {
  const int row = index / columns() - firstRow_;
  const int column = index % columns();
  const int tileWidth = width() / columns();
  return QRect(column * tileWidth, menuArea().top() + row * rowHeight(), tileWidth, rowHeight());
}

void PhoneScreen::scrollToHighlight() {
  const int visibleRows = std::max(1, menuArea().height() / rowHeight());
  const int rows = (static_cast<int>(tiles_.size()) + columns() - 1) / columns();
  const int row = std::max(0, highlighted_) / columns();
  if (row < firstRow_) firstRow_ = row;
  if (row >= firstRow_ + visibleRows) firstRow_ = row - visibleRows + 1;
  firstRow_ = std::clamp(firstRow_, 0, std::max(0, rows - visibleRows));
}

int PhoneScreen::tileAt(QPoint point) const {
  if (!menuArea().contains(point)) return -1;
  for (int i = 0; i < static_cast<int>(tiles_.size()); ++i) {
    if (tileRect(i).contains(point)) return i;
  }
  return -1;
}

int PhoneScreen::softkeyAt(QPoint point) const {
  if (point.y() < height() - kBarHeight) return -1;
  return point.x() < width() / 2 ? 0 : 1;
}

void PhoneScreen::highlight(int index, bool report) {
  if (index < 0 || index >= static_cast<int>(tiles_.size())) return;
  highlighted_ = index;
  highlightedNode_ = tiles_[static_cast<std::size_t>(index)].node;
  softkeyHighlighted_ = -1;
  scrollToHighlight();
  update();
  if (report) emit nodeChosen(tiles_[static_cast<std::size_t>(index)].node);
}

void PhoneScreen::open(int index) {
  if (index < 0 || index >= static_cast<int>(tiles_.size())) return;
  const MenuNode* node = tiles_[static_cast<std::size_t>(index)].node;
  if (!node->hasChildren()) return;
  menu_ = node;
  highlighted_ = 0;
  highlightedNode_ = nullptr;
  firstRow_ = 0;
  rebuild();
  emit nodeChosen(node->firstChild());
}

void PhoneScreen::goBack() {
  if (menu_ == nullptr) return;
  const MenuNode* left = menu_;
  menu_ = left->parent() == document_.menuRootNode() ? nullptr : left->parent();
  highlighted_ = left->row();
  highlightedNode_ = left;
  rebuild();
  emit nodeChosen(left);
}

void PhoneScreen::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  if (const int key = softkeyAt(at); key >= 0 && softkeys_[key].node != nullptr) {
    softkeyHighlighted_ = key;
    update();
    emit nodeChosen(softkeys_[key].node);
    return;
  }
  highlight(tileAt(at), true);
}

void PhoneScreen::mouseDoubleClickEvent(QMouseEvent* event) { open(tileAt(event->position().toPoint())); }

void PhoneScreen::keyPressEvent(QKeyEvent* event) {
  const int step = columns();
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: open(highlighted_); return;
    case Qt::Key_Backspace: goBack(); return;
    case Qt::Key_Left: highlight(highlighted_ - 1, true); return;
    case Qt::Key_Right: highlight(highlighted_ + 1, true); return;
    case Qt::Key_Up: highlight(highlighted_ - step, true); return;
    case Qt::Key_Down: highlight(highlighted_ + step, true); return;
    default: QWidget::keyPressEvent(event);
  }
}

void PhoneScreen::wheelEvent(QWheelEvent* event) {
  const int rows = (static_cast<int>(tiles_.size()) + columns() - 1) / columns();
  const int visibleRows = std::max(1, menuArea().height() / rowHeight());
  firstRow_ =
      std::clamp(firstRow_ + (event->angleDelta().y() < 0 ? 1 : -1), 0, std::max(0, rows - visibleRows));
  update();
}

bool PhoneScreen::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int index = tileAt(help->pos());
    if (index < 0) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), tileToolTip(tiles_[static_cast<std::size_t>(index)]), this,
                         tileRect(index));
    }
    return true;
  }
  return QWidget::event(event);
}

void PhoneScreen::drawName(QPainter& painter, const QString& text, bool fallback, QRect box,
                           int flags) const {
  QFont font = painter.font();
  font.setItalic(fallback);
  painter.setFont(font);
  painter.drawText(box, flags, painter.fontMetrics().elidedText(text, Qt::ElideRight, box.width()));
  font.setItalic(false);
  painter.setFont(font);
}

void PhoneScreen::drawIcon(QPainter& painter, const Tile& tile, QRect box) const {
  const Mark mark = markOf(tile);
  if (mark == Mark::Image || mark == Mark::Animation) {
    const QPixmap& pixmap = icons_.look(tile.icon.path).pixmap;
    QSize size = pixmap.size();
    if (size.width() > box.width() || size.height() > box.height())
      size.scale(box.size(), Qt::KeepAspectRatio);
    const QRect target(box.center() - QPoint(size.width() / 2, size.height() / 2), size);
    painter.drawPixmap(target, pixmap);
    return;
  }
  painter.save();
  QPainterPath frame;
  frame.addRoundedRect(QRectF(box).adjusted(1, 1, -1, -1), 6, 6);
  QFont font = painter.font();
  switch (mark) {
    case Mark::Missing:
      painter.setPen(QPen(kMissing, 2));
      painter.setBrush(QColor(255, 235, 235));
      painter.drawPath(frame);
      painter.drawLine(box.topLeft() + QPoint(box.width() / 4, box.height() / 4),
                       box.bottomRight() - QPoint(box.width() / 4, box.height() / 4));
      painter.drawLine(box.topRight() + QPoint(-box.width() / 4, box.height() / 4),
                       box.bottomLeft() + QPoint(box.width() / 4, -box.height() / 4));
      break;
    case Mark::Fetching:
      painter.setPen(QPen(kFallbackText, 1, Qt::DashLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(frame);
      break;
    case Mark::DrmTile:
      painter.setPen(Qt::NoPen);
      painter.setBrush(kNeutralTile);
      painter.drawPath(frame);
      painter.setPen(kText);
      font.setPixelSize(std::max(8, box.height() / 4));
      painter.setFont(font);
      painter.drawText(box, Qt::AlignCenter, tr("DRM\n%1").arg(tile.icon.drmIndex));
      break;
    default:
      painter.setPen(Qt::NoPen);
      painter.setBrush(kNeutralTile);
      painter.drawPath(frame);
      painter.setPen(kText);
      font.setPixelSize(box.height() / 2);
      font.setBold(true);
      painter.setFont(font);
      painter.drawText(box, Qt::AlignCenter, tile.name.left(1).toUpper());
  }
  painter.restore();
}

void PhoneScreen::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), kScreen);
  const QRect title(0, 0, width(), kBarHeight);
  const QRect bottom(0, height() - kBarHeight, width(), kBarHeight);
  painter.fillRect(title, kBar);
  painter.fillRect(bottom, kBar);
  painter.setPen(titleIsFallback() ? kFallbackOnBar : kBarText);
  drawName(painter, titleText(), titleIsFallback(), title.adjusted(kMargin * 2, 0, -kMargin * 2, 0),
           Qt::AlignCenter);

  painter.setClipRect(menuArea());
  for (int i = 0; i < static_cast<int>(tiles_.size()); ++i) {
    const QRect cell = tileRect(i);
    if (!cell.intersects(menuArea())) continue;
    const Tile& tile = tiles_[static_cast<std::size_t>(i)];
    if (i == highlighted_ && softkeyHighlighted_ < 0) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(kHighlight);
      painter.drawRoundedRect(QRectF(cell).adjusted(2, 2, -2, -2), 8, 8);
    }
    if (showsGrid()) {
      drawIcon(painter, tile,
               QRect(cell.center() - QPoint(kGridIcon / 2, kGridIcon / 2), QSize(kGridIcon, kGridIcon)));
      continue;
    }
    const QRect icon(cell.left() + kMargin * 2, cell.center().y() - kListIcon / 2, kListIcon, kListIcon);
    drawIcon(painter, tile, icon);
    painter.setPen(tile.nameIsFallback ? kFallbackText : kText);
    drawName(painter, tile.name, tile.nameIsFallback,
             QRect(icon.right() + kMargin * 2, cell.top(), cell.right() - icon.right() - kMargin * 3,
                   cell.height()),
             Qt::AlignLeft | Qt::AlignVCenter);
  }
  painter.setClipping(false);

  for (int key = 0; key < 2; ++key) {
    const QRect half = key == 0 ? bottom.adjusted(kMargin * 2, 0, -width() / 2, 0)
                                : bottom.adjusted(width() / 2, 0, -kMargin * 2, 0);
    if (key == softkeyHighlighted_) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(kHighlight);
      painter.drawRoundedRect(QRectF(half).adjusted(-kMargin, 3, kMargin, -3), 6, 6);
    }
    painter.setPen(key == softkeyHighlighted_      ? kText
                   : softkeys_[key].nameIsFallback ? kFallbackOnBar
                                                   : kBarText);
    drawName(painter, softkeys_[key].name, softkeys_[key].nameIsFallback, half,
             (key == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  }
}

}  // namespace quillet::ui
