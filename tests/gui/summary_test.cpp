// The item summary of a clicked node and the document summary in panel 0.
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTreeView>

#include "format.h"
#include "menu_bytes.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

using namespace menubytes;

ItemPlan Item(const std::string& identifier, Bytes data = {}, std::vector<ItemPlan> children = {}) {
  ItemPlan item;
  item.identifier = identifier;
  item.data = std::move(data);
  item.children = std::move(children);
  return item;
}

const QString kHeader = QStringLiteral("Item summary:\n\n");

class SummaryTest : public WindowTest {
 protected:
  // Opens a 36-byte menu whose first main-menu item (absolute index 9) has `data`.
  void openWithFirstItemData(Bytes data) {
    MenuPlan plan;
    plan.items = {Item("PhoneBook", std::move(data)), Item("Camera")};
    openThroughWindow(writeFile("menu", BuildMenuFile(plan)));
    ASSERT_TRUE(messages.empty());
  }
};

TEST_F(SummaryTest, ClickingSoftkeysOrMenuRootHidesTheSummary) {
  action("FileNew1")->trigger();
  clickNode(1);
  ASSERT_TRUE(memoVisible());
  clickNode(0);
  EXPECT_FALSE(memoVisible());
  clickNode(1);
  ASSERT_TRUE(memoVisible());
  clickNode(8);
  EXPECT_FALSE(memoVisible());
}

TEST_F(SummaryTest, AnItemWithoutDataIsNotModified) {
  action("FileNew1")->trigger();
  clickNode(5);
  EXPECT_TRUE(memoVisible());
  EXPECT_EQ(memoText(), kHeader + "[Not modified]");
}

TEST_F(SummaryTest, RepeatedIconAndMidletBlocksAreNamedOnceInOrderOfTheirFirstBlock) {
  const std::uint8_t marker = NameMarker(36);
  openWithFirstItemData(Concat({MenuNameBlock({{1, u"Contacts"}}, marker),
                                IconPathBlock(kTagIconPath, kIconKindList, u"/a/list.gif"),
                                MidletBlock(kTagMidletApp, "App"), MidletBlock(kTagMidletName, "Name"),
                                IconPathBlock(kTagIconPath, kIconKindStatic, u"/a/static.gif"),
                                MidletBlock(kTagMidletVendor, "Vendor")}));
  clickNode(9);
  EXPECT_EQ(memoText(), kHeader + "Name in menu modified\nIcon(s) modified [source: file]\nMIDlet attached");
}

TEST_F(SummaryTest, TheIconLinesFitOnOneLineEach) {
  openWithFirstItemData(
      Concat({IconPathBlock(kTagIconPath, kIconKindList, u"/a/l.gif"), DrmBlock(15, 0x12, 4)}));
  clickNode(9);
  const auto* memo = find<QPlainTextEdit>("TntMemo1");
  ASSERT_EQ(memo->document()->blockCount(), 4);
  for (int i = 2; i < 4; ++i) {
    const QTextBlock block = memo->document()->findBlockByNumber(i);
    EXPECT_EQ(block.layout()->lineCount(), 1) << block.text().toStdString();
  }
}

TEST_F(SummaryTest, EveryNameUrlAndUnsupportedBlockHasItsLine) {
  const std::uint8_t marker = NameMarker(36);
  openWithFirstItemData(
      Concat({SoftkeyNameBlock({{1, u"A"}}, marker), UrlBlock("http://x"), DrmBlock(kTagIconDrmList, 0, 3),
              MenuNameBlock({{1, u"B"}}, marker), DrmBlock(kTagIconDrmAnimated, 0, 4),
              MenuNameBlock({{7, u"C"}}, marker), UrlBlock("http://y")}));
  clickNode(9);
  EXPECT_EQ(memoText(), kHeader +
                            "Softkey name modified\nURL attached\nIcon(s) modified [source: DRM]\n"
                            "Name in menu modified\nName in menu modified\nURL attached");
}

TEST_F(SummaryTest, UnsupportedBlocksShareOneLine) {
  openWithFirstItemData(Concat({Block(7, {1}), UrlBlock("http://x"), Block(8, {2, 3}), Block(200, {})}));
  clickNode(9);
  // The three unsupported file blocks are held together in one block, ahead of the URL.
  EXPECT_EQ(memoText(), kHeader + "Unsupported Data\nURL attached");
}

TEST_F(SummaryTest, AnEntryWithoutBlocksShowsOnlyTheFirstTwoLines) {
  action("FileNew1")->trigger();
  MenuNode* softkey = window->document().tree.nodeAt(2);
  window->document().SetItemData(*softkey, TMMAItemData{});
  clickNode(2);
  EXPECT_EQ(memoText(), kHeader.chopped(1));
}

TEST_F(SummaryTest, AnItemMarkedWithDataButWithoutAnEntryShowsOnlyTheFirstTwoLines) {
  action("FileNew1")->trigger();
  window->document().tree.editRecord(*window->document().tree.nodeAt(3)).hasData = 1;
  clickNode(3);
  EXPECT_EQ(memoText(), kHeader.chopped(1));
}

TEST_F(SummaryTest, TheSummaryIsASnapshotUntilTheNextClick) {
  openWithFirstItemData(UrlBlock("http://x"));
  clickNode(9);
  const QString shown = memoText();
  auto* tree = find<QTreeView>("TreeView1");
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Down);  // selection moves to "Camera" by keyboard
  EXPECT_EQ(window->document().tree.absoluteIndex(window->selectedNode()), 10);
  EXPECT_EQ(memoText(), shown);
  clickNode(10);
  EXPECT_EQ(memoText(), kHeader + "[Not modified]");
}

TEST_F(SummaryTest, DocumentSummaryAfterNewInAFreshRunShowsZeroAndZero) {
  action("FileNew1")->trigger();
  EXPECT_EQ(panel0(), "Format: 0-byte   Main menu entries: 0");
}

TEST_F(SummaryTest, DocumentSummaryCountsMainMenuNodesAtEveryDepth) {
  // 20 main-menu nodes: 6 top-level items, 3 of them with submenus, one two levels deep.
  std::vector<ItemPlan> deep = {Item("Sounds"), Item("Lights")};
  MenuPlan plan;
  plan.items = {Item("PhoneBook"),
                Item("Settings", {}, {Item("Personalize"), Item("Connection", {}, deep), Item("Network")}),
                Item("Tools", {}, {Item("Calculator"), Item("Datebook"), Item("AlarmClock"), Item("Notes")}),
                Item("Mutilmedia", {},
                     {Item("Camera"), Item("Pictures"), Item("Video"), Item("Radio"), Item("MyTones")}),
                Item("Games"),
                Item("WebAccess")};
  openThroughWindow(writeFile("twenty", BuildMenuFile(plan)));
  EXPECT_EQ(window->document().tree.nodeCount(), 29);
  EXPECT_EQ(panel0(), "Format: 36-byte   Main menu entries: 20");
  // New keeps the record size of the last loaded file.
  action("FileNew1")->trigger();
  EXPECT_EQ(panel0(), "Format: 36-byte   Main menu entries: 0");
}

TEST_F(SummaryTest, DocumentSummaryOfA22ByteFile) {
  MenuPlan plan;
  plan.recordSize = 22;
  plan.items = {Item("PhoneBook"), Item("Camera"), Item("Games")};
  openThroughWindow(writeFile("three", BuildMenuFile(plan)));
  EXPECT_EQ(panel0(), "Format: 22-byte   Main menu entries: 3");
}

}  // namespace
}  // namespace quillet::ui::testing
