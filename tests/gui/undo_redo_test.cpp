// Undo and redo through the Edit menu: every kind of edit undone to the start saves the
// original bytes again, redo brings the edited bytes back, and the modified mark
// follows the point where the document was last saved.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>

#include "tree_editing_fixture.h"

namespace quillet::ui::testing {
namespace {

using test::Child;
using test::Click;

class UndoRedo : public TreeEditingTest {
 protected:
  Bytes saveAs(const std::string& name) {
    saveThroughWindow(pathIn(name));
    return ReadBytes(pathIn(name));
  }
  int runWhileEnabled(const char* name) {
    int steps = 0;
    while (action(name)->isEnabled()) {
      action(name)->trigger();
      ++steps;
    }
    return steps;
  }
};

TEST_F(UndoRedo, EveryEditUndoneSavesTheOriginalBytesAndRedoTheEditedOnes) {
  menubytes::MenuPlan plan;
  plan.items = {Plan("Settings", {Plan("Camera", {}, NameData(u"Cam")), Plan("Games")}, NameData(u"Setup")),
                Plan("Radio", {}, NameData(u"FM")), Plan("Tools")};
  openMenu(plan);
  const Bytes original = saveAs("original");
  EXPECT_FALSE(action("EditUndo1")->isEnabled());

  chooserCommand(kMenuRootNodeIndex, "Camera", "AddFirst1");           // Camera, Settings(..), Radio, Tools
  chooserCommand(kMenuRootNodeIndex, "Games", "AddLast1");             // ..., Tools, Games
  chooserCommand(kFirstMenuNodeIndex, "Radio", "AddFirst2");           // Radio, Camera, Settings, ...
  chooserCommand(kFirstMenuNodeIndex + 2, "PhoneBook", "AddBefore2");  // Radio, Camera, PhoneBook, Settings
  treeCommand(kFirstMenuNodeIndex + 1, "Movedown1");                   // Radio, PhoneBook, Camera, Settings
  treeCommand(kFirstMenuNodeIndex + 3, "Moveup1");                     // Radio, PhoneBook, Settings, Camera
  modals.actions["TOKRightDlg"] = [](QDialog& shown) {
    Click(Child<QCheckBox>(shown, "TntCheckBox2"));
    test::TypeInto(Child<QLineEdit>(shown, "TntEdit2"), "12");
    Click(Child<QPushButton>(shown, "TntButton3"));
    Click(Child<QPushButton>(shown, "OKButton"));
  };
  treeCommand(kFirstMenuNodeIndex + 6, "MenuItem1");  // the first Radio's data
  answer = QMessageBox::Yes;
  chooserCommand(kFirstMenuNodeIndex + 2, "Radio", "Replace1");  // Settings and its submenu go
  treeCommand(kFirstMenuNodeIndex + 3, "Deleteitem1");           // Camera
  chooserCommand(2, "Camera", "Replace1");                       // a softkey
  EXPECT_EQ(action("EditUndo1")->statusTip(), "Undo Replace item 'RSK: Message'");
  // The entry itself names the step, as its status text does.
  EXPECT_EQ(action("EditUndo1")->text(), "&Undo Replace item 'RSK: Message'");
  EXPECT_EQ(window->findChild<QMenu*>("Edit1")->actions().mid(0, 2),
            (QList<QAction*>{action("EditUndo1"), action("EditRedo1")}));
  const QList<QAction*> bar = window->menuBar()->actions();
  ASSERT_EQ(bar.size(), 4);
  EXPECT_EQ(bar[1]->text(), "&Edit");

  const Bytes edited = saveAs("edited");
  EXPECT_NE(edited, original);
  action("EditUndo1")->trigger();
  EXPECT_TRUE(window->isDocumentModified());
  EXPECT_EQ(action("EditRedo1")->statusTip(), "Redo Replace item 'RSK: Message'");
  EXPECT_EQ(action("EditRedo1")->text(), "&Redo Replace item 'RSK: Message'");
  EXPECT_EQ(action("EditUndo1")->statusTip(), "Undo Delete item 'Camera'");
  action("EditRedo1")->trigger();
  EXPECT_FALSE(window->isDocumentModified());  // back where it was saved

  EXPECT_EQ(runWhileEnabled("EditUndo1"), 10);
  EXPECT_EQ(saveAs("undone"), original);
  EXPECT_EQ(runWhileEnabled("EditRedo1"), 10);
  EXPECT_EQ(saveAs("redone"), edited);

  // A new document starts a fresh history; numbers of custom items are not taken back.
  answer = QMessageBox::Discard;
  window->FileNew1Execute();
  EXPECT_FALSE(action("EditUndo1")->isEnabled());
  EXPECT_FALSE(action("EditRedo1")->isEnabled());
  EXPECT_EQ(action("EditUndo1")->text(), "&Undo");
}

// A new custom item and its settings are one step: with the dialog confirmed, and
// cancelled (the item then stays without data).
TEST_F(UndoRedo, ACustomItemAndItsSettingsAreOneStep) {
  menubytes::MenuPlan plan;
  plan.items = {Plan("Radio", {}, NameData(u"FM"))};
  openMenu(plan);
  const Bytes original = saveAs("original");
  modals.actions["TOKRightDlg"] = [](QDialog& shown) {
    test::TypeInto(Child<QLineEdit>(shown, "TntEdit2"), "12");
    Click(Child<QPushButton>(shown, "TntButton3"));
    Click(Child<QPushButton>(shown, "OKButton"));
  };
  chooserCommand(kMenuRootNodeIndex, "Custom item", "AddLast1");
  chooserCommand(kFirstMenuNodeIndex, "Custom item", "Replace1");
  EXPECT_NE(window->document().ItemData(*node(kFirstMenuNodeIndex + 1)), nullptr);
  modals.actions["TOKRightDlg"] = [](QDialog& shown) { Click(Child<QPushButton>(shown, "CanclButton")); };
  chooserCommand(kMenuRootNodeIndex, "Custom item", "AddFirst1");
  EXPECT_EQ(node(kFirstMenuNodeIndex)->item().hasData, 0);
  EXPECT_EQ(window->undoStack().count(), 3);
  EXPECT_EQ(action("EditUndo1")->statusTip(), "Undo Add item 'Custom item'");

  EXPECT_EQ(runWhileEnabled("EditUndo1"), 3);
  EXPECT_EQ(saveAs("undone"), original);
}

}  // namespace
}  // namespace quillet::ui::testing
