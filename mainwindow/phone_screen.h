#pragma once
// The phone's screen in the preview: the main menu as a grid of three columns (or as
// the phone's list view), every submenu as a list, the highlighted item's name in the
// title line and the two softkey titles at the bottom. It shows what the document's
// appearance rules give (item_appearance.h) and only draws: names in the display
// language, fallbacks lighter, icons from the icon store. A click highlights an item
// and reports it; double-click or Enter opens a submenu, Backspace goes back.
#include <QWidget>
#include <cstdint>
#include <vector>

#include "item_appearance.h"
#include "language_names.h"

namespace quillet::ui {

class PreviewIconStore;

class PhoneScreen : public QWidget {
  Q_OBJECT
 public:
  // How a tile shows its icon.
  enum class Mark { Image, Animation, Fetching, Missing, DrmTile, InitialTile };

  // One item as the screen shows it.
  struct Tile {
    const MenuNode* node = nullptr;
    QString name;
    bool nameIsFallback = false;
    ShownIcon icon;
  };

  PhoneScreen(const MenuDocument& document, PreviewIconStore& icons, QWidget* parent = nullptr);

  void setLanguage(std::uint8_t language);
  std::uint8_t language() const { return language_; }
  // The main menu as the phone's list view instead of the grid.
  void setListMode(bool list);
  bool listMode() const { return listMode_; }

  // Reads the document again for the menu on show: after every edit, undo and redo.
  void rebuild();
  // The menu that holds `node` opens with `node` highlighted ("Menu Root": the main
  // menu). Nodes outside the main menu change nothing, but LSK and RSK highlight their
  // softkey titles.
  void showNode(const MenuNode* node);
  // A node is about to leave the tree: a menu on show within it gives way to its parent.
  void nodeLeaving(const MenuNode* node);
  // The tree is about to be emptied or replaced.
  void documentLeaving();

  // What is on show, for the window and for tests.
  const MenuNode* shownMenu() const { return menu_; }  // null: the main menu
  bool showsGrid() const { return menu_ == nullptr && !listMode_; }
  const std::vector<Tile>& tiles() const { return tiles_; }
  int highlighted() const { return highlighted_; }
  Mark markOf(const Tile& tile) const;
  QRect tileRect(int index) const;
  QString tileToolTip(const Tile& tile) const;
  QString titleText() const;
  bool titleIsFallback() const;
  QString softkeyText(int softkey) const { return softkeys_[softkey].name; }

 signals:
  // The user highlighted an item (click, keys, opening or leaving a submenu).
  void nodeChosen(const quillet::MenuNode* node);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool event(QEvent* event) override;

 private:
  Tile tileFor(const MenuNode& node, IconUse use) const;
  const MenuNode* menuNode() const;  // the node whose children are on show
  int tileAt(QPoint point) const;
  int softkeyAt(QPoint point) const;
  void highlight(int index, bool report);
  void open(int index);
  void goBack();
  int columns() const { return showsGrid() ? 3 : 1; }
  int rowHeight() const;
  QRect menuArea() const;
  void scrollToHighlight();
  void drawIcon(QPainter& painter, const Tile& tile, QRect box) const;
  void drawName(QPainter& painter, const QString& text, bool fallback, QRect box, int flags) const;

  const MenuDocument& document_;
  PreviewIconStore& icons_;
  std::uint8_t language_ = kLanguageEnglishUs;
  bool listMode_ = false;
  const MenuNode* menu_ = nullptr;
  int highlighted_ = -1;
  // The item highlighted, which the highlight follows when edits move it; it is let go
  // before it leaves the tree.
  const MenuNode* highlightedNode_ = nullptr;
  int softkeyHighlighted_ = -1;  // 0 LSK, 1 RSK while its node is selected
  int firstRow_ = 0;             // the first row of tiles in view
  std::vector<Tile> tiles_;
  Tile softkeys_[2];
};

}  // namespace quillet::ui
