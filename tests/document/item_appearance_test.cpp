// Which name, softkey title and icon the phone shows for an item in a display language,
// read from a menu file built byte by byte.
#include <gtest/gtest.h>

#include "catalogue.h"
#include "item_appearance.h"
#include "test_helpers.h"

namespace quillet {
namespace {

using namespace testhelp;

constexpr std::uint8_t kEnglishUs = 1, kArabic = 2, kEnglishUk = 3, kGerman = 7, kSpanish = 10;
const std::uint8_t kMarker = mb::NameMarker(36);

class ItemAppearanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mb::MenuPlan plan;
    plan.softkeys[0].data = mb::SoftkeyNameBlock({{kEnglishUs, u"Contacts"}}, kMarker);
    // A catalogue item named in two languages, with an animated icon file and a static DRM icon.
    mb::ItemPlan web =
        Item("WebAccess", {},
             mb::Concat({mb::MenuNameBlock({{kGerman, u"Netz"}, {kEnglishUs, u"Web"}}, kMarker),
                         mb::IconPathBlock(kTagIconPath, kIconKindAnimated, u"/a/mobile/picture/web.gif"),
                         mb::DrmBlock(kTagIconDrmStatic, 0x12, 77)}));
    // A custom item named only in English UK (an empty German name counts as none), with
    // a list icon from the DRM store and a static icon given both ways.
    mb::ItemPlan chess =
        Item("~1", {},
             mb::Concat(
                 {mb::MenuNameBlock({{kGerman, u""}, {kEnglishUk, u"Chess"}, {kArabic, u"\u0634"}}, kMarker),
                  mb::DrmBlock(kTagIconDrmList, 0x12, 42), mb::DrmBlock(kTagIconDrmStatic, 0x12, 5),
                  mb::IconPathBlock(kTagIconPath06, kIconKindStatic, u"/a/chess.png")}));
    mb::ItemPlan games = Item("Games", {Item("~2")});  // no data: its catalogue name
    mb::ItemPlan unknown = Item("Unknwn", {}, mb::SoftkeyNameBlock({{kSpanish, u"Otro"}}, kMarker));
    plan.items = {web, chess, games, unknown};
    MustLoad(mb::BuildMenuFile(plan), doc);
  }
  const MenuNode& node(int absoluteIndex) const { return *doc.tree.nodeAt(absoluteIndex); }
  const MenuNode& web() const { return node(9); }
  const MenuNode& chess() const { return node(10); }
  const MenuNode& games() const { return node(11); }
  const MenuNode& unknown() const { return node(13); }
  const MenuNode& custom2() const { return node(12); }

  MenuDocument doc;
};

TEST_F(ItemAppearanceTest, NamesFallBackToEnglishThenTheCatalogueThenTheIdentifier) {
  EXPECT_EQ(MenuNameIn(doc, web(), kGerman).text, u"Netz");
  EXPECT_FALSE(MenuNameIn(doc, web(), kGerman).isFallback());
  EXPECT_EQ(MenuNameIn(doc, web(), kEnglishUs).text, u"Web");

  const ShownName chess = MenuNameIn(doc, this->chess(), kGerman);
  EXPECT_EQ(chess.text, u"Chess");
  EXPECT_EQ(chess.source, NameSource::English);
  EXPECT_EQ(MenuNameIn(doc, this->chess(), kArabic).text, u"\u0634");

  const ShownName games = MenuNameIn(doc, this->games(), kGerman);
  EXPECT_EQ(games.source, NameSource::Catalogue);
  EXPECT_EQ(games.text, u"Games");
  // A softkey title is no menu name; custom and unknown items show their identifiers.
  EXPECT_EQ(MenuNameIn(doc, unknown(), kSpanish).text, u"Unknwn");
  EXPECT_EQ(MenuNameIn(doc, unknown(), kSpanish).source, NameSource::Identifier);
  EXPECT_EQ(MenuNameIn(doc, custom2(), kGerman).text, u"~2");
  EXPECT_TRUE(MenuNameIn(doc, custom2(), kGerman).isFallback());
}

TEST_F(ItemAppearanceTest, SoftkeyTitlesComeBeforeMenuNames) {
  const MenuNode& lsk = node(1);
  EXPECT_EQ(SoftkeyTitleIn(doc, lsk, kEnglishUs).text, u"Contacts");
  EXPECT_EQ(SoftkeyTitleIn(doc, lsk, kGerman).source, NameSource::English);
  EXPECT_EQ(SoftkeyTitleIn(doc, unknown(), kSpanish).text, u"Otro");
  EXPECT_EQ(SoftkeyTitleIn(doc, web(), kGerman).text, u"Netz");
  const ShownName rsk = SoftkeyTitleIn(doc, node(2), kGerman);
  EXPECT_EQ(rsk.source, NameSource::Catalogue);
  EXPECT_EQ(rsk.text, u"Message");
}

TEST_F(ItemAppearanceTest, TheGridTakesTheAnimatedIconElseTheStaticOneAndListsTheListIcon) {
  const ShownIcon webGrid = IconFor(doc, web(), IconUse::Grid);
  EXPECT_EQ(webGrid.kind, ShownIcon::Kind::FilePath);
  EXPECT_EQ(webGrid.path, u"/a/mobile/picture/web.gif");
  EXPECT_EQ(IconFor(doc, web(), IconUse::List).kind, ShownIcon::Kind::None);

  // The static icon has a DRM index and a path (tag 6, held as 12): the path wins.
  const ShownIcon chessGrid = IconFor(doc, chess(), IconUse::Grid);
  EXPECT_EQ(chessGrid.kind, ShownIcon::Kind::FilePath);
  EXPECT_EQ(chessGrid.path, u"/a/chess.png");
  const ShownIcon chessList = IconFor(doc, chess(), IconUse::List);
  EXPECT_EQ(chessList.kind, ShownIcon::Kind::DrmIndex);
  EXPECT_EQ(chessList.drmIndex, 42);

  EXPECT_EQ(IconFor(doc, games(), IconUse::Grid).kind, ShownIcon::Kind::None);
}

TEST_F(ItemAppearanceTest, TheDocumentsLanguagesStartWithEnglishUsThenGoByName) {
  EXPECT_EQ(DocumentLanguages(doc),
            (std::vector<std::uint8_t>{kEnglishUs, kArabic, kEnglishUk, kGerman, kSpanish}));
  MenuDocument empty;
  empty.NewDocument();
  EXPECT_TRUE(DocumentLanguages(empty).empty());
}

TEST_F(ItemAppearanceTest, DetailsListEveryNameAndIconInTheItemsOrder) {
  const NodeDetails chess = NodeDetailsOf(doc, this->chess());
  EXPECT_EQ(chess.names,
            (std::vector<TMMANameEntry>{{kGerman, u""}, {kEnglishUk, u"Chess"}, {kArabic, u"\u0634"}}));
  EXPECT_TRUE(chess.softkeyTitles.empty());
  using Role = NodeDetails::IconRole;
  ASSERT_EQ(chess.icons.size(), 3u);
  EXPECT_EQ(chess.icons[0].role, Role::Static);
  EXPECT_EQ(chess.icons[0].icon.drmIndex, 5);
  EXPECT_EQ(chess.icons[1].role, Role::Static);
  EXPECT_EQ(chess.icons[1].icon.path, u"/a/chess.png");
  EXPECT_EQ(chess.icons[2].role, Role::List);
  EXPECT_EQ(chess.icons[2].icon.kind, ShownIcon::Kind::DrmIndex);
  EXPECT_EQ(chess.icons[2].icon.drmIndex, 42);
  // Animated before static, whatever the blocks' order.
  const NodeDetails web = NodeDetailsOf(doc, this->web());
  ASSERT_EQ(web.icons.size(), 2u);
  EXPECT_EQ(web.icons[0].role, Role::Animated);
  EXPECT_EQ(web.icons[1].role, Role::Static);
  EXPECT_EQ(NodeDetailsOf(doc, unknown()).softkeyTitles, (std::vector<TMMANameEntry>{{kSpanish, u"Otro"}}));
  const NodeDetails games = NodeDetailsOf(doc, this->games());
  EXPECT_TRUE(games.names.empty() && games.softkeyTitles.empty() && games.icons.empty());
}

}  // namespace
}  // namespace quillet
