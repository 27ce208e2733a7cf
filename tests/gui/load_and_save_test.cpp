// Open and Save through the window: the settings a file implies, errors that reach the
// user, and round trips that give the writer's bytes.
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeView>

#include "format.h"
#include "menu_bytes.h"
#include "menu_loader.h"
#include "menu_writer.h"
#include "shipped_samples.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

using namespace menubytes;

ItemPlan Item(const std::string& identifier, Bytes data = {}) {
  ItemPlan item;
  item.identifier = identifier;
  item.data = std::move(data);
  return item;
}

Bytes Menu22(std::uint8_t variant, Bytes iconBlocks = {}) {
  MenuPlan plan;
  plan.recordSize = 22;
  plan.variant = variant;
  plan.items = {Item("PhoneBook", std::move(iconBlocks)), Item("Message")};
  return BuildMenuFile(plan);
}

Bytes Menu36WithIconTag(std::uint8_t tag) {
  MenuPlan plan;
  plan.recordSize = 36;
  plan.items = {Item("PhoneBook", IconPathBlock(tag, kIconKindList, u"/a/icon.gif")), Item("Camera")};
  return BuildMenuFile(plan);
}

// What the writer gives for the file loaded directly, with the same settings.
Bytes DirectConversion(const std::string& path, const SaveOptions& options) {
  MenuDocument doc;
  doc.SaveAllData = options.saveAllData ? 1 : 0;
  auto loaded = LoadMenuFileFromPath(path, doc);
  EXPECT_TRUE(loaded.ok());
  auto bytes = SerializeMenu(doc, options);
  EXPECT_TRUE(bytes.ok());
  return bytes.ok() ? bytes.value() : Bytes{};
}

class LoadSaveTest : public WindowTest {
 protected:
  bool saveEnabled() const {
    return find<QToolButton>("ToolButton2")->isEnabled() && action("FileSaveItem")->isEnabled();
  }
  bool saveToPhoneEnabled() const {
    return find<QToolButton>("ToolButton5")->isEnabled() || action("Savetophone1")->isEnabled();
  }
  std::string sample(const char* name) {
    for (const shipped::SampleFile& file : shipped::SampleFiles()) {
      if (file.name == name) return writeFile(name, file.bytes);
    }
    ADD_FAILURE() << "no sample " << name;
    return {};
  }
};

TEST_F(LoadSaveTest, A22ByteFileWithVariant3TicksTheFix) {
  openThroughWindow(writeFile("v3", Menu22(3)));
  EXPECT_TRUE(find<QRadioButton>("RadioButton1")->isChecked());
  EXPECT_FALSE(find<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_TRUE(find<QCheckBox>("CheckBox2")->isEnabled());
  EXPECT_TRUE(find<QCheckBox>("CheckBox2")->isChecked());
  EXPECT_TRUE(find<QGroupBox>("RadioGroup2")->isEnabled());
  EXPECT_TRUE(saveEnabled());
  EXPECT_TRUE(messages.empty());
}

TEST_F(LoadSaveTest, A22ByteFileWithVariant1UnticksTheFix) {
  find<QRadioButton>("RadioButton1")->click();
  find<QCheckBox>("CheckBox2")->click();
  openThroughWindow(writeFile("v1", Menu22(1)));
  EXPECT_TRUE(find<QCheckBox>("CheckBox2")->isEnabled());
  EXPECT_FALSE(find<QCheckBox>("CheckBox2")->isChecked());
}

TEST_F(LoadSaveTest, A36ByteFileSelects0CInTheDisabledGroup) {
  find<QRadioButton>("RadioButton1")->click();
  find<QRadioButton>("RadioGroup2Item0")->click();
  find<QCheckBox>("CheckBox2")->click();
  openThroughWindow(writeFile("icons12", Menu36WithIconTag(kTagIconPath)));
  EXPECT_TRUE(find<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_TRUE(find<QRadioButton>("RadioGroup2Item1")->isChecked());
  EXPECT_FALSE(find<QGroupBox>("RadioGroup2")->isEnabled());
  EXPECT_FALSE(find<QCheckBox>("CheckBox2")->isEnabled());
  EXPECT_FALSE(find<QCheckBox>("CheckBox2")->isChecked());
}

TEST_F(LoadSaveTest, A36ByteFileWithTag6IconsSelects06InTheDisabledGroupAndKeepsIt) {
  const std::string path = writeFile("icons6", Menu36WithIconTag(kTagIconPath06));
  openThroughWindow(path);
  EXPECT_TRUE(find<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_TRUE(find<QRadioButton>("RadioGroup2Item0")->isChecked());
  EXPECT_FALSE(find<QGroupBox>("RadioGroup2")->isEnabled());
  const std::string saved = pathIn("saved");
  saveThroughWindow(saved);
  EXPECT_EQ(ReadBytes(saved), ReadBytes(path));  // tag 6 written again
}

TEST_F(LoadSaveTest, A22ByteFileWithTag12IconsSelects0C) {
  find<QRadioButton>("RadioButton1")->click();
  find<QRadioButton>("RadioGroup2Item0")->click();
  openThroughWindow(writeFile("icons22", Menu22(1, IconPathBlock(kTagIconPath, kIconKindStatic, u"/a/b.gif"))));
  EXPECT_TRUE(find<QRadioButton>("RadioGroup2Item1")->isChecked());
  EXPECT_TRUE(find<QGroupBox>("RadioGroup2")->isEnabled());
}

TEST_F(LoadSaveTest, A22ByteFileWithoutIconPathsKeepsTheUsersChoice) {
  find<QRadioButton>("RadioButton1")->click();
  find<QRadioButton>("RadioGroup2Item0")->click();
  openThroughWindow(writeFile("plain22", Menu22(1)));
  EXPECT_TRUE(find<QRadioButton>("RadioGroup2Item0")->isChecked());
  EXPECT_TRUE(find<QGroupBox>("RadioGroup2")->isEnabled());
  EXPECT_EQ(window->saveOptions().iconTag, IconTag::Tag06);
}

TEST_F(LoadSaveTest, OpenSaveRoundTripGivesTheWritersBytesForEveryOptionSet) {
  const std::string path = sample("mma_ucp_custom");
  struct Case {
    const char* name;
    SaveOptions options;
  };
  const std::vector<Case> cases = {
      {"as loaded", {RecordLayout::Bytes36, false, false, IconTag::Tag0C}},
      {"all data", {RecordLayout::Bytes36, true, false, IconTag::Tag0C}},
      {"22-byte 06 fix", {RecordLayout::Bytes22, true, true, IconTag::Tag06}},
      {"22-byte 0C", {RecordLayout::Bytes22, false, false, IconTag::Tag0C}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openThroughWindow(path);
    if (c.options.layout == RecordLayout::Bytes22) find<QRadioButton>("RadioButton1")->click();
    if (c.options.saveAllData != find<QCheckBox>("CheckBox1")->isChecked()) find<QCheckBox>("CheckBox1")->click();
    if (c.options.c698p) find<QCheckBox>("CheckBox2")->click();
    if (c.options.iconTag == IconTag::Tag06) find<QRadioButton>("RadioGroup2Item0")->click();
    ASSERT_EQ(window->saveOptions(), c.options);
    const std::string saved = pathIn(std::string("saved ") + c.name);
    saveThroughWindow(saved);
    const Bytes written = ReadBytes(saved);
    EXPECT_EQ(written, DirectConversion(path, c.options));
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(LoadSaveTest, SavingAllDataReproducesTheFileAndReopeningShowsTheSameTree) {
  const std::string path = sample("mma_ucp_custom");
  openThroughWindow(path);
  QStringList before;
  window->document().tree.forEach([&](MenuNode& node) { before << QString::fromStdString(node.caption); });
  find<QCheckBox>("CheckBox1")->click();
  const std::string saved = pathIn("resaved");
  saveThroughWindow(saved);
  EXPECT_EQ(ReadBytes(saved), ReadBytes(path));
  openThroughWindow(saved);
  QStringList after;
  window->document().tree.forEach([&](MenuNode& node) { after << QString::fromStdString(node.caption); });
  EXPECT_EQ(after, before);
}

TEST_F(LoadSaveTest, AFileTooShortIsRefusedWithAMessageNamingItAndLeavesNoDocument) {
  action("FileNew1")->trigger();
  ASSERT_TRUE(saveEnabled());
  const std::string path = writeFile("short file", Bytes(30, 0));
  openThroughWindow(path);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
  EXPECT_TRUE(messages[0].text.contains(QString::fromStdString(path))) << messages[0].text.toStdString();
  EXPECT_EQ(messages[0].owner, window.get());
  EXPECT_FALSE(window->document().isOpen());
  EXPECT_EQ(find<QTreeView>("TreeView1")->model()->rowCount(), 0);
  EXPECT_FALSE(saveEnabled());
  EXPECT_FALSE(saveToPhoneEnabled());
  // Nothing is left that Ctrl+S could write.
  action("FileSave1")->trigger();
  EXPECT_EQ(dialogsShown, 1);
}

TEST_F(LoadSaveTest, AMissingFileIsReportedWithItsName) {
  const std::string path = pathIn("no such file");
  openThroughWindow(path);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains(QString::fromStdString(path)));
  EXPECT_FALSE(window->document().isOpen());
  EXPECT_FALSE(saveEnabled());
}

TEST_F(LoadSaveTest, DataBeyondTheFileIsRefusedAndLeavesNoHalfLoadedTree) {
  MenuPlan plan;
  plan.items = {Item("PhoneBook", UrlBlock("http://a")), Item("Camera")};
  RawMenu raw = LayOut(plan);
  raw.dataArea.resize(raw.dataArea.size() - 2);  // the last item's data runs past the end
  openThroughWindow(writeFile("cut data", ToBytes(raw)));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
  EXPECT_EQ(window->document().tree.nodeCount(), 0);
  EXPECT_FALSE(saveEnabled());
}

TEST_F(LoadSaveTest, WarningsAreShownAfterALoadThatSucceeds) {
  MenuPlan plan;
  plan.items = {Item("PhoneBook", UrlBlock("http://a")), Item("Camera")};
  RawMenu raw = LayOut(plan);
  raw.dataArea.clear();  // records announce data, the file has none
  const std::string path = writeFile("no data area", ToBytes(raw));
  openThroughWindow(path);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
  EXPECT_TRUE(messages[0].text.contains(QString::fromStdString(path)));
  EXPECT_TRUE(window->document().isOpen());
  EXPECT_TRUE(saveEnabled());
}

TEST_F(LoadSaveTest, AFileThatCannotBeWrittenIsReportedWithItsName) {
  action("FileNew1")->trigger();
  const std::string target = pathIn("missing folder/menu");
  saveThroughWindow(target);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
  EXPECT_TRUE(messages[0].text.contains(QString::fromStdString(target))) << messages[0].text.toStdString();
  EXPECT_TRUE(window->document().isOpen());  // the document stays
}

TEST_F(LoadSaveTest, OpeningReplacesTheDocumentAndHidesTheSummary) {
  action("FileNew1")->trigger();
  clickNode(3);
  openThroughWindow(sample("mma_ucp_22byte"));
  EXPECT_FALSE(memoVisible());
  EXPECT_EQ(window->document().RecordSize, 22);
  EXPECT_EQ(window->document().tree.nodeAt(9)->caption, "PhoneBook");
}

}  // namespace
}  // namespace quillet::ui::testing
