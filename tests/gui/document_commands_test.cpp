// New, the save settings' rules, the document enabling and the keyboard shortcuts.
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <QDir>
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

class CommandsTest : public WindowTest {
 protected:
  bool saveEnabled() const {
    const bool button = find<QToolButton>("ToolButton2")->isEnabled();
    EXPECT_EQ(button, action("FileSaveItem")->isEnabled());
    return button;
  }
  bool saveToPhoneEnabled() const {
    const bool button = find<QToolButton>("ToolButton5")->isEnabled();
    EXPECT_EQ(button, action("Savetophone1")->isEnabled());
    return button;
  }
  void activate() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  QStringList captions() const {
    QStringList all;
    window->document().tree.forEach(
        [&all](MenuNode& node) { all << QString::fromStdString(node.caption()); });
    return all;
  }
};

const QStringList kNewDocumentCaptions = {"Softkeys",           "LSK: PhoneBook",     "RSK: Message",
                                          "Up: RecentCall",     "Down: Multimedia",   "Left: AlarmClock",
                                          "Right: MMRingStyle", "Smart: VoiceRecord", "Menu Root"};

TEST_F(CommandsTest, NewMakesTheNineFixedNodesAndSelectsMenuRoot) {
  action("FileNew1")->trigger();
  EXPECT_EQ(captions(), kNewDocumentCaptions);
  EXPECT_EQ(window->document().tree.absoluteIndex(window->selectedNode()), 8);
  EXPECT_EQ(window->document().tree.nodeAt(4)->item().identifier, "Mutilmedia");
  EXPECT_TRUE(saveEnabled());
  EXPECT_FALSE(saveToPhoneEnabled());  // no phone link at all
  // The view shows the same two top-level nodes.
  auto* model = find<QTreeView>("TreeView1")->model();
  ASSERT_EQ(model->rowCount(), 2);
  EXPECT_EQ(model->index(0, 0).data().toString(), "Softkeys");
  EXPECT_EQ(model->rowCount(model->index(0, 0)), 7);
  EXPECT_EQ(model->index(1, 0).data().toString(), "Menu Root");
}

TEST_F(CommandsTest, NewTwiceGivesTheSameNineNodesAndHidesTheSummary) {
  action("FileNew1")->trigger();
  clickNode(1);
  ASSERT_TRUE(memoVisible());
  action("FileNew1")->trigger();
  EXPECT_EQ(captions(), kNewDocumentCaptions);
  EXPECT_EQ(window->document().tree.nodeCount(), 9);
  EXPECT_FALSE(memoVisible());
  EXPECT_EQ(memoText(), "");
  EXPECT_EQ(window->document().tree.absoluteIndex(window->selectedNode()), 8);
}

TEST_F(CommandsTest, NewEnablesSaveToPhoneOnlyWhileAPhoneIsReady) {
  FakePhone& phone = usePhone(*window);
  phone.status = 1;
  action("FileNew1")->trigger();
  EXPECT_TRUE(saveToPhoneEnabled());
  phone.status = 0;
  action("FileNew1")->trigger();
  EXPECT_TRUE(saveEnabled());
  EXPECT_FALSE(saveToPhoneEnabled());
  phone.status = 2;  // a phone that is there but not ready
  action("FileNew1")->trigger();
  EXPECT_FALSE(saveToPhoneEnabled());
}

TEST_F(CommandsTest, ChoosingThe36ByteLayoutResetsTheIconAttributeAndTheFix) {
  auto* layout22 = find<QRadioButton>("RadioButton1");
  auto* layout36 = find<QRadioButton>("RadioButton2");
  auto* group = find<QGroupBox>("RadioGroup2");
  auto* fix = find<QCheckBox>("CheckBox2");
  layout22->click();
  EXPECT_TRUE(layout22->isChecked());
  EXPECT_FALSE(layout36->isChecked());
  EXPECT_TRUE(group->isEnabled());
  EXPECT_TRUE(fix->isEnabled());
  find<QRadioButton>("RadioGroup2Item0")->click();
  fix->click();
  EXPECT_EQ(window->saveOptions(), (SaveOptions{RecordLayout::Bytes22, false, true, IconTag::Tag06}));

  layout36->click();
  EXPECT_TRUE(find<QRadioButton>("RadioGroup2Item1")->isChecked());
  EXPECT_FALSE(group->isEnabled());
  EXPECT_FALSE(fix->isEnabled());
  EXPECT_FALSE(fix->isChecked());
  EXPECT_EQ(window->saveOptions(), (SaveOptions{RecordLayout::Bytes36, false, false, IconTag::Tag0C}));
}

TEST_F(CommandsTest, ClickingThe22ByteLayoutAgainKeepsItsSettings) {
  find<QRadioButton>("RadioButton1")->click();
  find<QRadioButton>("RadioGroup2Item0")->click();
  find<QRadioButton>("RadioButton1")->click();
  EXPECT_TRUE(find<QRadioButton>("RadioGroup2Item0")->isChecked());
  EXPECT_TRUE(find<QGroupBox>("RadioGroup2")->isEnabled());
}

TEST_F(CommandsTest, SaveAllDataFollowsItsBox) {
  auto* box = find<QCheckBox>("CheckBox1");
  box->click();
  EXPECT_TRUE(window->saveOptions().saveAllData);
  box->click();
  EXPECT_FALSE(window->saveOptions().saveAllData);
}

TEST_F(CommandsTest, ShortcutsWorkWhileMenuEntriesAreDisabled) {
  activate();
  QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(window->document().tree.nodeCount(), 9);

  action("FileSaveItem")->setEnabled(false);
  find<QToolButton>("ToolButton2")->setEnabled(false);
  const std::string target = pathIn("by_shortcut");
  chosenPaths.push_back(QString::fromStdString(target));
  QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(dialogsShown, 1);
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(target)));

  QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(dialogsShown, 2);  // the Open dialog, cancelled
  EXPECT_EQ(window->document().tree.nodeCount(), 9);
}

TEST_F(CommandsTest, SaveWithoutADocumentDoesNothing) {
  activate();
  chosenPaths.push_back(QString::fromStdString(pathIn("nothing")));
  QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
  action("FileSaveAs1")->trigger();
  EXPECT_EQ(dialogsShown, 0);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pathIn("nothing"))));
  EXPECT_TRUE(messages.empty());
}

TEST_F(CommandsTest, CancelledDialogsChangeNothing) {
  action("FileNew1")->trigger();
  clickNode(2);
  action("FileOpen1")->trigger();  // no path queued: the user cancels
  action("FileSave1")->trigger();
  EXPECT_EQ(dialogsShown, 2);
  EXPECT_EQ(captions(), kNewDocumentCaptions);
  EXPECT_TRUE(memoVisible());
  EXPECT_TRUE(saveEnabled());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 0);
}

TEST_F(CommandsTest, SaveAsRunsTheSaveCommand) {
  action("FileNew1")->trigger();
  const std::string target = pathIn("save_as");
  chosenPaths.push_back(QString::fromStdString(target));
  action("FileSaveAs1")->trigger();
  EXPECT_EQ(dialogsShown, 1);
  EXPECT_FALSE(ReadBytes(target).empty());
}

TEST_F(CommandsTest, ExitClosesTheWindow) {
  action("FileExitItem")->trigger();
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace quillet::ui::testing
