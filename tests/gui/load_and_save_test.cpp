// Open and Save through the window: the settings a file implies, errors that reach the
// user, and round trips that give the writer's bytes.
#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeView>
#include <filesystem>

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
  openThroughWindow(
      writeFile("icons22", Menu22(1, IconPathBlock(kTagIconPath, kIconKindStatic, u"/a/b.gif"))));
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
  const std::vector<Case> cases = {{"as loaded", {RecordLayout::Bytes36, false, false, IconTag::Tag0C}},
                                   {"all data", {RecordLayout::Bytes36, true, false, IconTag::Tag0C}},
                                   {"22-byte 06 fix", {RecordLayout::Bytes22, true, true, IconTag::Tag06}},
                                   {"22-byte 0C", {RecordLayout::Bytes22, false, false, IconTag::Tag0C}}};
  answer = QMessageBox::Discard;  // "Leave it out", where the sample's blocks would go
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openThroughWindow(path);
    if (c.options.layout == RecordLayout::Bytes22) find<QRadioButton>("RadioButton1")->click();
    if (c.options.saveAllData != find<QCheckBox>("CheckBox1")->isChecked())
      find<QCheckBox>("CheckBox1")->click();
    if (c.options.c698p) find<QCheckBox>("CheckBox2")->click();
    if (c.options.iconTag == IconTag::Tag06) find<QRadioButton>("RadioGroup2Item0")->click();
    ASSERT_EQ(window->saveOptions(), c.options);
    const std::string saved = pathIn(std::string("saved ") + c.name);
    saveThroughWindow(saved);
    const Bytes written = ReadBytes(saved);
    EXPECT_EQ(written, DirectConversion(path, c.options));
    EXPECT_EQ(messages.size(), c.options.saveAllData ? 0u : 1u);
    messages.clear();
  }
}

TEST_F(LoadSaveTest, SavingAllDataReproducesTheFileAndReopeningShowsTheSameTree) {
  const std::string path = sample("mma_ucp_custom");
  openThroughWindow(path);
  QStringList before;
  window->document().tree.forEach([&](MenuNode& node) { before << QString::fromStdString(node.caption()); });
  find<QCheckBox>("CheckBox1")->click();
  const std::string saved = pathIn("resaved");
  saveThroughWindow(saved);
  EXPECT_EQ(ReadBytes(saved), ReadBytes(path));
  openThroughWindow(saved);
  QStringList after;
  window->document().tree.forEach([&](MenuNode& node) { after << QString::fromStdString(node.caption()); });
  EXPECT_EQ(after, before);
}

// Every file that cannot be opened is answered with one box naming it and the reason,
// and the open document stays exactly as it was: tree, data, settings, summaries and
// enabled commands. Nothing blocks, however the file misbehaves.
TEST_F(LoadSaveTest, ARefusedOpenKeepsTheOpenDocument) {
  openThroughWindow(sample("mma_ucp_22byte"));
  find<QCheckBox>("CheckBox2")->click();
  find<QRadioButton>("RadioGroup2Item0")->click();
  find<QCheckBox>("CheckBox1")->click();
  clickNode(3);
  ASSERT_TRUE(messages.empty());
  const SaveOptions options = window->saveOptions();
  const QString summary = panel0();
  const QString memo = memoText();
  const bool memoShown = memoVisible();
  QStringList captions;
  window->document().tree.forEach(
      [&](MenuNode& node) { captions << QString::fromStdString(node.caption()); });
  const Bytes before = DirectConversion(sample("mma_ucp_22byte"), options);

  MenuPlan plan;
  plan.items = {Item("PhoneBook", UrlBlock("http://a")), Item("Camera")};
  RawMenu raw = LayOut(plan);
  raw.dataArea.resize(raw.dataArea.size() - 2);  // the last item's data runs past the end
  const std::string fifo = pathIn("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string sparse = writeFile("sparse", {});
  std::filesystem::resize_file(sparse, 3ull << 30);
  const std::vector<std::pair<std::string, QString>> refused = {
      {writeFile("short file", Bytes(30, 0)), "too few for the header"},
      {writeFile("cut data", ToBytes(raw)), "beyond the end of the file"},
      {pathIn("no such file"), "No such file"},
      {"/dev/zero", "character device"},
      {fifo, "FIFO"},
      {sparse, "3,221,225,472 bytes"},
      {"/proc/self/mem", "Input/output error"},
      {folder.path().toStdString(), "folder"}};
  ::alarm(30);  // a file that blocks the window must fail the test, not hang it
  for (const auto& [path, reason] : refused) {
    SCOPED_TRACE(path);
    messages.clear();
    openThroughWindow(path);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(messages[0].owner, window.get());
    EXPECT_TRUE(messages[0].text.contains(QString::fromStdString(path))) << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].text.contains(reason)) << messages[0].text.toStdString();
    QStringList after;
    window->document().tree.forEach([&](MenuNode& node) { after << QString::fromStdString(node.caption()); });
    EXPECT_EQ(after, captions);
    EXPECT_EQ(window->saveOptions(), options);
    EXPECT_EQ(panel0(), summary);
    EXPECT_EQ(memoText(), memo);
    EXPECT_EQ(memoVisible(), memoShown);
    EXPECT_TRUE(saveEnabled());
    EXPECT_EQ(window->selectedNode(), window->document().tree.nodeAt(3));
  }
  ::alarm(0);
  // The kept document saves as before, item data included.
  const std::string saved = pathIn("saved");
  saveThroughWindow(saved);
  EXPECT_EQ(ReadBytes(saved), before);
}

// Many warnings go into the scrollable details area of a box that fits the screen, and
// control characters in captions show escaped, in the tree and in the box.
TEST_F(LoadSaveTest, ManyWarningsFitTheScreenAndCaptionsShowControlCharactersEscaped) {
  MenuPlan plan;
  for (int i = 0; i < 120; ++i) {
    plan.items.push_back(Item("~x\n" + std::to_string(i), Bytes{kTagIconDrmList, 0x00, 0x03, 1, 2, 3}));
  }
  openThroughWindow(writeFile("many warnings", BuildMenuFile(plan)));
  ASSERT_EQ(messages.size(), 1u);
  const MessageRequest& box = messages[0];
  EXPECT_EQ(box.icon, QMessageBox::Warning);
  EXPECT_TRUE(box.text.contains(QStringLiteral("120 warnings"))) << box.text.toStdString();
  EXPECT_LE(box.text.count(QLatin1Char('\n')), 2);
  EXPECT_EQ(box.details.count(QLatin1Char('\n')), 119);
  EXPECT_TRUE(box.details.startsWith(QStringLiteral("Item \"~x\\n0\""))) << box.details.toStdString();

  const std::unique_ptr<QMessageBox> shown = buildMessageBox(box);
  shown->show();
  EXPECT_LE(shown->frameGeometry().height(), shown->screen()->availableGeometry().height());
  EXPECT_EQ(shown->textFormat(), Qt::PlainText);

  QAbstractItemModel* tree = find<QTreeView>("TreeView1")->model();
  const QModelIndex first = tree->index(0, 0, tree->index(1, 0));
  EXPECT_EQ(tree->data(first).toString(), QStringLiteral("~x\\n0"));
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
  EXPECT_EQ(window->document().tree.nodeAt(9)->caption(), "PhoneBook");
}

}  // namespace
}  // namespace quillet::ui::testing
