// The unsupported blocks viewer driven through its controls: the dump's layout, the
// entry selector, the partner highlight and typing into cells.
#include "blocks_viewer_dialog.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QTableWidget>

#include "dialog_driver.h"
#include "dump_grid.h"
#include "item_fixtures.h"

namespace quillet::test {
namespace {

std::vector<std::uint8_t> Counting(std::size_t length, std::uint8_t first = 0) {
  std::vector<std::uint8_t> bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(first + i);
  return bytes;
}

class BlocksViewerTest : public ::testing::Test {
 protected:
  void Open(const TMMADataBlock& block) {
    form.LoadData(block);
    form.show();
    grid = qobject_cast<ui::DumpGrid*>(Child<QTableWidget>(form, "StringGrid1"));
    ASSERT_NE(grid, nullptr);
  }
  QString Cell(int column, int row) const {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
  }
  void ClickCell(int column, int row) {
    const QRect rect = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
  }
  // Clicks the cell, which opens its editor, and types over its text.
  void TypeOverCell(int column, int row, const QString& text) {
    ClickCell(column, row);
    QLineEdit* editor = grid->activeEditor();
    ASSERT_NE(editor, nullptr) << "no editor on " << column << "," << row;
    TypeInto(editor, text);
  }
  bool Highlighted(int column, int row) const {
    return grid->item(row, column)->background().color() == form.palette().color(QPalette::Button);
  }

  ui::TForm2 form;
  ui::DumpGrid* grid = nullptr;
};

TEST_F(BlocksViewerTest, CaptionFieldsAndFixedPitchGrid) {
  Open(RawBlock({{30, Counting(300)}, {0x41, {}}}));
  EXPECT_EQ(form.windowTitle(), "Unsupported blocks view [currently read-only]");
  EXPECT_EQ(Child<QLineEdit>(form, "Edit1")->text(), "1E");
  EXPECT_EQ(Child<QLineEdit>(form, "Edit2")->text(), "300");
  EXPECT_TRUE(Child<QLineEdit>(form, "Edit1")->isReadOnly());
  EXPECT_EQ(grid->columnCount(), 35);
  EXPECT_TRUE(QFontInfo(grid->font()).fixedPitch());
  auto* selector = Child<QComboBox>(form, "ComboBox1");
  ASSERT_EQ(selector->count(), 2);
  EXPECT_EQ(selector->itemText(0), "0");
  EXPECT_EQ(selector->itemText(1), "1");
  EXPECT_EQ(selector->currentIndex(), 0);
}

TEST_F(BlocksViewerTest, HeaderRowAndOffsetLabels) {
  Open(RawBlock({{1, Counting(16)}}));
  ASSERT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(Cell(0, 0), "");
  EXPECT_EQ(Cell(1, 0), "00");
  EXPECT_EQ(Cell(8, 0), "07");
  EXPECT_EQ(Cell(9, 0), "");
  EXPECT_EQ(Cell(10, 0), "08");
  EXPECT_EQ(Cell(17, 0), "0F");
  EXPECT_EQ(Cell(18, 0), "");
  EXPECT_EQ(Cell(19, 0), "0");
  EXPECT_EQ(Cell(34, 0), "F");
  EXPECT_EQ(Cell(0, 1), "0000");
}

TEST_F(BlocksViewerTest, SeventeenBytesNeedAThirdRow) {
  Open(RawBlock({{1, Counting(17, 0x41)}}));
  ASSERT_EQ(grid->rowCount(), 3);
  EXPECT_EQ(Cell(0, 2), "0010");
  EXPECT_EQ(Cell(1, 2), "51");
  EXPECT_EQ(Cell(19, 2), "Q");
  EXPECT_EQ(Cell(2, 2), "");
  EXPECT_EQ(Cell(20, 2), "");
}

TEST_F(BlocksViewerTest, LargestEntryEndsAtRow07F0) {
  Open(RawBlock({{1, Counting(2048)}}));
  ASSERT_EQ(grid->rowCount(), 129);
  EXPECT_EQ(Cell(0, 128), "07F0");
  EXPECT_EQ(Cell(17, 128), "FF");
}

TEST_F(BlocksViewerTest, BytesAndTheirCharacters) {
  std::vector<std::uint8_t> bytes(16, 0x00);
  bytes[0] = 0x41;
  bytes[1] = 0x0A;
  bytes[2] = 0x20;
  bytes[8] = 0x7A;
  Open(RawBlock({{1, bytes}}));
  EXPECT_EQ(Cell(1, 1), "41");
  EXPECT_EQ(Cell(19, 1), "A");
  EXPECT_EQ(Cell(2, 1), "0A");
  EXPECT_EQ(Cell(20, 1), ".");
  EXPECT_EQ(Cell(3, 1), "20");
  EXPECT_EQ(Cell(21, 1), " ");
  // The ninth byte of a row stands in column 10, its character in column 27.
  EXPECT_EQ(Cell(9, 1), "");
  EXPECT_EQ(Cell(10, 1), "7A");
  EXPECT_EQ(Cell(27, 1), "z");
}

TEST_F(BlocksViewerTest, EmptyEntryShowsHeaderOnlyAndIsListed) {
  Open(RawBlock({{7, {}}, {8, Counting(4)}}));
  EXPECT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(Child<QLineEdit>(form, "Edit2")->text(), "0");
  EXPECT_EQ(Child<QComboBox>(form, "ComboBox1")->count(), 2);
}

TEST_F(BlocksViewerTest, SwitchingEntriesLeavesNoTrace) {
  Open(RawBlock({{0x10, Counting(32, 0x30)}, {0x11, Counting(20, 0x60)}}));
  EXPECT_EQ(Cell(17, 2), "4F");
  Pick(Child<QComboBox>(form, "ComboBox1"), 1);
  EXPECT_EQ(Child<QLineEdit>(form, "Edit1")->text(), "11");
  EXPECT_EQ(Child<QLineEdit>(form, "Edit2")->text(), "20");
  ASSERT_EQ(grid->rowCount(), 3);
  EXPECT_EQ(Cell(1, 2), "70");
  EXPECT_EQ(Cell(19, 2), "p");
  for (int column = 5; column < 35; ++column) {
    if (column >= 19 && column <= 22) continue;  // bytes 16 to 19 as characters
    EXPECT_EQ(Cell(column, 2), "") << column;
  }
}

TEST_F(BlocksViewerTest, SelectingHighlightsThePartnerCell) {
  Open(RawBlock({{1, Counting(32)}}));
  ClickCell(10, 2);
  EXPECT_TRUE(form.HighlightShown);
  EXPECT_EQ(form.HighlightCol, 27);
  EXPECT_EQ(form.HighlightRow, 2);
  EXPECT_TRUE(Highlighted(27, 2));
  ClickCell(20, 1);
  EXPECT_EQ(form.HighlightCol, 2);
  EXPECT_EQ(form.HighlightRow, 1);
  EXPECT_TRUE(Highlighted(2, 1));
  EXPECT_FALSE(Highlighted(27, 2));  // the previous partner is painted back
}

TEST_F(BlocksViewerTest, SeparatorsAndFixedCellsCannotBeSelected) {
  Open(RawBlock({{1, Counting(32)}}));
  ClickCell(3, 1);
  for (auto [column, row] : {std::pair{9, 1}, {18, 2}, {0, 1}, {5, 0}}) {
    ClickCell(column, row);
    EXPECT_EQ(grid->currentColumn(), 3) << column << "," << row;
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(form.HighlightCol, 21);
    EXPECT_EQ(form.HighlightRow, 1);
  }
  // The keyboard steps over a separator.
  ClickCell(8, 1);
  QTest::keyClick(grid, Qt::Key_Escape);  // leave the cell editor
  QTest::keyClick(grid, Qt::Key_Right);
  EXPECT_EQ(grid->currentColumn(), 10);
}

TEST_F(BlocksViewerTest, TypingHexDigitsUpdatesTheCharacter) {
  Open(RawBlock({{1, Counting(16)}}));
  TypeOverCell(1, 1, "4f");
  EXPECT_EQ(grid->activeEditor()->text(), "4F");
  EXPECT_EQ(Cell(1, 1), "4F");
  EXPECT_EQ(Cell(19, 1), "O");
  EXPECT_EQ(form.EditStartHex, u"00");
  EXPECT_EQ(form.EditStartChar, u".");
  EXPECT_EQ(form.HighlightCol, 19);
}

TEST_F(BlocksViewerTest, NonDigitKeepsTheDigitThatStoodThere) {
  std::vector<std::uint8_t> bytes(4, 0);
  bytes[2] = 0x3A;
  Open(RawBlock({{1, bytes}}));
  TypeOverCell(3, 1, "G1");
  EXPECT_EQ(Cell(3, 1), "31");
  EXPECT_EQ(Cell(21, 1), "1");
}

TEST_F(BlocksViewerTest, TypingACharacterUpdatesItsHexCell) {
  Open(RawBlock({{1, Counting(16)}}));
  TypeOverCell(27, 1, "x");
  EXPECT_EQ(Cell(27, 1), "x");
  EXPECT_EQ(Cell(10, 1), "78");
  EXPECT_EQ(form.HighlightCol, 10);
  // A character without an 8-bit byte is refused; the cell keeps its character.
  TypeOverCell(28, 1, QString(QChar(0x0416)));
  EXPECT_EQ(grid->activeEditor()->text(), ".");
  EXPECT_EQ(Cell(11, 1), "09");
  TypeOverCell(29, 1, QString(QChar(0x00E9)));
  EXPECT_EQ(Cell(29, 1), QString(QChar(0x00E9)));
  EXPECT_EQ(Cell(12, 1), "E9");
}

TEST_F(BlocksViewerTest, EditsNeverReachTheEntries) {
  const TMMADataBlock block = RawBlock({{0x22, Counting(20, 0x41)}});
  const TMMADataBlock before = block;
  Open(block);
  TypeOverCell(1, 1, "00");
  TypeOverCell(20, 1, "z");
  QTest::keyClick(grid->activeEditor(), Qt::Key_Return);
  EXPECT_EQ(Cell(1, 1), "00");
  Pick(Child<QComboBox>(form, "ComboBox1"), 0);
  EXPECT_EQ(Cell(1, 1), "41");
  EXPECT_EQ(Cell(19, 1), "A");
  EXPECT_EQ(Cell(2, 1), "42");
  EXPECT_EQ(form.ViewEntries[0].data, Counting(20, 0x41));
  Click(Child<QPushButton>(form, "Button1"));
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(block, before);
}

TEST_F(BlocksViewerTest, CancelClosesWithCancel) {
  Open(RawBlock({{1, Counting(3)}}));
  Click(Child<QPushButton>(form, "Button2"));
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(BlocksViewerTest, ReopeningResetsSelectorAndHighlight) {
  Open(RawBlock({{1, Counting(40)}, {2, Counting(5)}}));
  Pick(Child<QComboBox>(form, "ComboBox1"), 1);
  ClickCell(2, 1);
  form.hide();
  Open(RawBlock({{3, Counting(40)}}));
  EXPECT_FALSE(form.HighlightShown);
  EXPECT_EQ(Child<QComboBox>(form, "ComboBox1")->count(), 1);
  EXPECT_EQ(Child<QLineEdit>(form, "Edit1")->text(), "03");
  EXPECT_EQ(grid->rowCount(), 4);
}

TEST_F(BlocksViewerTest, ReadsAtMostElevenEntriesOf2048Bytes) {
  TMMADataBlock block;
  block.tag = kTagUnsupported;
  for (int i = 0; i < 13; ++i) block.raw.push_back({static_cast<std::uint8_t>(i), Counting(3)});
  block.raw[0].data = Counting(3000);
  Open(block);
  EXPECT_EQ(form.ViewEntryCount, 11);
  EXPECT_EQ(Child<QComboBox>(form, "ComboBox1")->count(), 11);
  EXPECT_EQ(Child<QLineEdit>(form, "Edit2")->text(), "2048");
  EXPECT_EQ(grid->rowCount(), 129);
}

}  // namespace
}  // namespace quillet::test
