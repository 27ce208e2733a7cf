// Items on the clipboard: a submenu with its data copied in one window and pasted into
// another window's menu, undone byte for byte; JSON text from elsewhere pasted; garbage,
// a full menu and the text controls' own keys.
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>
#include <sstream>

#include "mmatool.h"
#include "tree_editing_fixture.h"

namespace quillet::ui::testing {
namespace {

class Clipboard : public TreeEditingTest {
 protected:
  // The item at PATH of a saved file in the JSON form, as `mmatool extract` writes it.
  static std::string Extract(const std::string& file, const std::string& path) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(mmatool::run({"extract", file, path}, out, err), 0) << err.str();
    return out.str();
  }
  Bytes save(TSDIAppForm& form, const std::string& name) {
    EXPECT_TRUE(form.saveMenuFile(pathIn(name)));
    return ReadBytes(pathIn(name));
  }
  void key(int keyCode, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    tree()->setFocus();
    QTest::keyClick(tree(), static_cast<Qt::Key>(keyCode), modifiers);
  }
  bool entryEnabled(int absoluteIndex, const char* entry) {
    clickNode(absoluteIndex);
    rightClickNode(absoluteIndex);
    const bool enabled = action(entry)->isEnabled();
    closeMenus();
    return enabled;
  }
  static void setClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }
  // Opens the menu bar's Edit menu with a click, as a user does.
  QMenu* openEditMenu() {
    auto* edit = find<QMenu>("Edit1");
    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(edit->menuAction()).center());
    EXPECT_TRUE(QTest::qWaitFor([edit] { return edit->isVisible(); }));
    return edit;
  }
};

TEST_F(Clipboard, SubmenuWithDataCopiedFromOneWindowPastesIntoAnotherAndUndoesByteForByte) {
  menubytes::MenuPlan from;
  from.items = {Plan("Settings", {Plan("Camera", {}, NameData(u"Kamera")), Plan("~7", {}, NameData(u"Mine"))},
                     NameData(u"Setup")),
                Plan("Radio")};
  openMenu(from);
  const std::string copied = Extract(pathIn("menu"), "0");

  // The second editor, with a menu of its own; the fixture's helpers act on `window`.
  std::unique_ptr<TSDIAppForm> other = makeWindow();
  other->show();
  menubytes::MenuPlan to;
  to.items = {Plan("Games"), Plan("Tools", {Plan("Notes")})};
  ASSERT_TRUE(other->openMenuFile(writeFile("target", menubytes::BuildMenuFile(to))));
  const Bytes original = save(*other, "original");

  clickNode(kFirstMenuNodeIndex);
  key(Qt::Key_C);
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(mime->hasFormat("application/x-quillet-items+json"));
  EXPECT_EQ(mime->text().toStdString(), copied);

  std::swap(window, other);
  EXPECT_TRUE(entryEnabled(kFirstMenuNodeIndex, "Pasteitem1"));
  EXPECT_FALSE(entryEnabled(kFirstMenuNodeIndex, "Pastesubitem1"));  // Games may own no submenu
  clickNode(kFirstMenuNodeIndex);
  rightClickNode(kFirstMenuNodeIndex);
  clickEntry("Pasteitem1");
  EXPECT_EQ(selected()->caption(), "Settings");
  EXPECT_EQ(window->undoStack().undoText(), "Paste item 'Settings'");
  // The target had no custom items: the copy of "~7" is named as a new custom item is.
  save(*window, "pasted");
  std::string expected = copied;
  expected.replace(expected.find("~7"), 2, "~1");
  EXPECT_EQ(Extract(pathIn("pasted"), "1"), expected);
  EXPECT_EQ(Extract(pathIn("pasted"), "2"), Extract(pathIn("target"), "1"));

  action("EditUndo1")->trigger();
  EXPECT_EQ(save(*window, "undone"), original);
  action("EditRedo1")->trigger();
  save(*window, "redone");
  EXPECT_EQ(Extract(pathIn("redone"), "1"), expected);
  EXPECT_EQ(selected()->caption(), "Settings");
  std::swap(window, other);
  other.reset();
}

TEST_F(Clipboard, JsonTextPastesGarbageAndAFullMenuChangeNothingAndTextControlsKeepTheirKeys) {
  menubytes::MenuPlan plan;
  for (int i = 0; i < kMaxMainMenuItems - 1; ++i) plan.items.push_back(Plan("Games"));
  openMenu(plan);
  const Bytes original = save(*window, "original");

  // JSON text as a text editor holds it: one item with its name.
  setClipboardText(QStringLiteral(
      R"({"format": 1, "item": {"identifier": "Camera", "data": [{"block": "menu names", "names": [{"language": "01", "text": "Cam"}]}]}})"));
  clickNode(kFirstMenuNodeIndex);
  key(Qt::Key_V);
  ASSERT_EQ(window->document().mainMenuItemCount(), kMaxMainMenuItems);
  const MenuNode* pasted = node(kFirstMenuNodeIndex + 1);
  EXPECT_EQ(pasted->caption(), "Camera");
  ASSERT_NE(window->document().ItemData(*pasted), nullptr);
  EXPECT_EQ(window->document().ItemData(*pasted)->blocks.at(0).names.at(0).text, u"Cam");
  action("EditUndo1")->trigger();
  const int steps = window->undoStack().index();

  // Two items where one fits: nothing is pasted.
  clickNode(kFirstMenuNodeIndex);
  setClipboardText(QStringLiteral(
      R"({"format": 1, "item": {"identifier": "Settings", "children": [{"identifier": "Camera"}]}})"));
  key(Qt::Key_V);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text.toStdString(),
            "1 of the 2 items would not fit: the main menu holds 244 of at most 245 items.");
  EXPECT_EQ(save(*window, "refused"), original);
  EXPECT_EQ(window->undoStack().index(), steps);

  // Garbage: the entries stay disabled and the key is refused with a message.
  setClipboardText(QStringLiteral("not {a menu item"));
  EXPECT_FALSE(entryEnabled(kFirstMenuNodeIndex, "Pasteitem1"));
  key(Qt::Key_V);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_TRUE(messages[1].text.startsWith("The clipboard holds no menu item to paste: not valid JSON"))
      << messages[1].text.toStdString();
  EXPECT_EQ(save(*window, "garbage"), original);

  // In a text control Ctrl+C copies text, not the selected item.
  QLineEdit* edit = chooser()->lineEdit();
  edit->setFocus();
  edit->setText(QStringLiteral("Camera"));
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Camera");
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat("application/x-quillet-items+json"));
}

TEST_F(Clipboard, SoftkeysCopyAndTakePastesFixedNodesDoNotAndCutAsksFirst) {
  menubytes::MenuPlan plan;
  plan.items = {Plan("Settings", {Plan("Camera")}), Plan("Radio")};
  openMenu(plan);
  EXPECT_FALSE(entryEnabled(kSoftkeysNodeIndex, "Copyitem1"));
  EXPECT_FALSE(entryEnabled(kMenuRootNodeIndex, "Copyitem1"));
  EXPECT_TRUE(entryEnabled(kMenuRootNodeIndex - 1, "Copyitem1"));
  EXPECT_FALSE(entryEnabled(kMenuRootNodeIndex - 1, "Cutitem1"));

  // Cut declined: the item stays and the clipboard is left alone.
  setClipboardText(QStringLiteral("untouched"));
  clickNode(kFirstMenuNodeIndex);
  answer = QMessageBox::No;
  key(Qt::Key_X);
  EXPECT_EQ(window->document().mainMenuItemCount(), 3);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "untouched");
  answer = QMessageBox::Yes;
  key(Qt::Key_X);
  EXPECT_EQ(window->document().mainMenuItemCount(), 1);
  EXPECT_EQ(messages.size(), 2u);

  // Onto a softkey the item replaces the softkey's own, and its submenu is asked about.
  clickNode(2);
  answer = QMessageBox::No;
  key(Qt::Key_V);
  EXPECT_EQ(node(2)->caption(), "RSK: Message");
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[2].text,
            QStringLiteral("Selected item cannot have a submenu.\r\n          Existing submenu will "
                           "be deleted\r\n                Continue?"));
  answer = QMessageBox::Yes;
  key(Qt::Key_V);
  EXPECT_EQ(node(2)->caption(), "RSK: Settings");
  EXPECT_FALSE(node(2)->hasChildren());
  EXPECT_EQ(node(2)->item().kind, kKindPlain);

  // As the last subitem of Menu Root, with the Ctrl+Shift+V key.
  clickNode(kMenuRootNodeIndex);
  key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(window->document().mainMenuItemCount(), 3);
  EXPECT_EQ(node(kFirstMenuNodeIndex + 1)->caption(), "Settings");
  EXPECT_EQ(node(kFirstMenuNodeIndex + 2)->caption(), "Camera");
  clickNode(kMenuRootNodeIndex);
  key(Qt::Key_V);  // "Menu Root" has no place after it: the item ends the main menu
  ASSERT_EQ(node(kMenuRootNodeIndex)->childCount(), 3u);
  EXPECT_EQ(node(kMenuRootNodeIndex)->child(2)->caption(), "Settings");

  // The Edit menu holds the same commands, enabled as the tree's menu is for the selection.
  clickNode(kSoftkeysNodeIndex);
  QMenu* edit = openEditMenu();
  EXPECT_FALSE(action("EditCopyitem1")->isEnabled());
  EXPECT_FALSE(action("EditCutitem1")->isEnabled());
  QTest::keyClick(edit, Qt::Key_Escape);
  clickNode(kFirstMenuNodeIndex);
  edit = openEditMenu();
  ASSERT_TRUE(action("EditCutitem1")->isEnabled());
  EXPECT_TRUE(action("EditCutitem1")->text().endsWith("\tCtrl+X"));
  QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier,
                    edit->actionGeometry(action("EditCutitem1")).center());
  EXPECT_EQ(node(kMenuRootNodeIndex)->childCount(), 2u);
  EXPECT_EQ(window->undoStack().undoText(), "Cut item 'Radio'");
}

}  // namespace
}  // namespace quillet::ui::testing
