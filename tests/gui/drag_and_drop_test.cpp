// Dragging items in the tree: the view's drag events over the real window, the model's
// rules deciding, each drop one undo step that gives back the original bytes; refused
// drops change nothing; undo keeps the expansion of the branch it puts back.
#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUndoStack>

#include "menu_tree_model.h"
#include "tree_editing_fixture.h"

namespace quillet::ui::testing {
namespace {

enum class Place { Onto, Before };

class DragAndDrop : public TreeEditingTest {
 protected:
  void SetUp() override {
    TreeEditingTest::SetUp();
    menubytes::MenuPlan plan;
    plan.items = {Plan("Settings", {Plan("Tools", {Plan("Notes", {}, NameData(u"N"))}), Plan("Games")}),
                  Plan("Radio", {}, NameData(u"FM")), Plan("Camera")};
    openMenu(plan);
    original = saveAs("original");
  }
  Bytes saveAs(const std::string& name) {
    saveThroughWindow(pathIn(name));
    return ReadBytes(pathIn(name));
  }
  QModelIndex indexAt(int absoluteIndex) const {
    return window->treeModel().indexForNode(node(absoluteIndex));
  }
  // Drags the node at `from` and drops it onto or just before the node at `to`, through
  // the tree's viewport as the window system delivers a drag; returns whether the view
  // accepted the drop (a refused drag shows no drop line and a no-entry cursor).
  bool drag(int from, Place place, int to) {
    std::unique_ptr<QMimeData> carried(window->treeModel().mimeData({indexAt(from)}));
    if (!carried) return false;
    window->selectNode(node(from));  // the press that starts a drag selects the item
    const QModelIndex target = indexAt(to);
    for (QModelIndex up = target.parent(); up.isValid(); up = up.parent()) tree()->expand(up);
    tree()->scrollTo(target);
    const QRect rect = tree()->visualRect(target);
    const QPoint at = place == Place::Onto ? rect.center() : QPoint(rect.center().x(), rect.top() + 1);
    QWidget* viewport = tree()->viewport();
    QDragEnterEvent enter(at, Qt::MoveAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at, Qt::MoveAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    if (!move.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::MoveAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    return drop.isAccepted();
  }
  QStringList captions() const {
    QStringList out;
    window->document().tree.forEach([&](MenuNode& n) { out << QString::fromStdString(n.caption()); });
    return out.mid(kFirstMenuNodeIndex);
  }
  Bytes original;
};

// 9 Settings, 10 Tools, 11 Notes, 12 Games, 13 Radio, 14 Camera.
TEST_F(DragAndDrop, DropsIntoASubmenuAndBeforeAnItemAreUndoneToTheSameBytes) {
  ASSERT_EQ(captions(), (QStringList{"Settings", "Tools", "Notes", "Games", "Radio", "Camera"}));
  EXPECT_TRUE(drag(13, Place::Onto, 10));  // Radio, with its data, last below Tools
  EXPECT_EQ(captions(), (QStringList{"Settings", "Tools", "Notes", "Radio", "Games", "Camera"}));
  EXPECT_EQ(selected(), node(12));
  EXPECT_EQ(action("EditUndo1")->statusTip(), "Undo Move item 'Radio'");
  EXPECT_TRUE(drag(12, Place::Before, 9));  // and from there to the front of the main menu
  EXPECT_EQ(captions(), (QStringList{"Radio", "Settings", "Tools", "Notes", "Games", "Camera"}));
  const Bytes moved = saveAs("moved");
  EXPECT_NE(moved, original);
  EXPECT_EQ(window->undoStack().count(), 2);

  window->undoStack().undo();
  window->undoStack().undo();
  EXPECT_EQ(saveAs("undone"), original);
  window->undoStack().redo();
  window->undoStack().redo();
  EXPECT_EQ(saveAs("redone"), moved);
}

TEST_F(DragAndDrop, RefusedDropsChangeNothing) {
  EXPECT_EQ(window->treeModel().mimeData({indexAt(2)}), nullptr);  // a softkey stays
  EXPECT_EQ(window->treeModel().mimeData({indexAt(kMenuRootNodeIndex)}), nullptr);
  EXPECT_FALSE(drag(9, Place::Onto, 10));    // Settings into its own submenu
  EXPECT_FALSE(drag(14, Place::Before, 3));  // Camera among the softkeys
  EXPECT_FALSE(drag(14, Place::Before, kMenuRootNodeIndex));
  // Onto Camera, which may not own a submenu: the view offers only before or after it,
  // and the model refuses the drop itself.
  std::unique_ptr<QMimeData> carried(window->treeModel().mimeData({indexAt(13)}));
  EXPECT_FALSE(window->treeModel().canDropMimeData(carried.get(), Qt::MoveAction, -1, 0, indexAt(14)));
  EXPECT_FALSE(window->treeModel().dropMimeData(carried.get(), Qt::MoveAction, -1, 0, indexAt(14)));
  // Data that is not a drag of this tree.
  QMimeData foreign;
  foreign.setData(window->treeModel().mimeTypes().front(), QByteArray("13"));
  EXPECT_FALSE(window->treeModel().dropMimeData(&foreign, Qt::MoveAction, -1, 0, indexAt(10)));
  EXPECT_EQ(window->undoStack().count(), 0);
  EXPECT_FALSE(window->isDocumentModified());
  EXPECT_EQ(saveAs("after"), original);
}

TEST_F(DragAndDrop, UndoKeepsTheExpansionAndSelectionOfTheBranchItPutsBack) {
  const auto expanded = [this](int index) { return tree()->isExpanded(indexAt(index)); };
  tree()->expand(indexAt(9));
  tree()->expand(indexAt(10));
  answer = QMessageBox::Yes;
  treeCommand(10, "Deleteitem1");  // Tools, open, with its subitem
  window->undoStack().undo();
  EXPECT_TRUE(expanded(10));
  EXPECT_EQ(selected(), node(10));
  chooserCommand(9, "Tools", "Replace1");  // Settings keeps its submenu; undo swaps it back
  window->undoStack().undo();
  EXPECT_TRUE(expanded(9));
  EXPECT_TRUE(expanded(10));
  window->undoStack().redo();
  EXPECT_TRUE(expanded(10));
  window->undoStack().undo();

  EXPECT_TRUE(drag(9, Place::Before, 14));  // Settings, open, moves before Camera
  EXPECT_EQ(captions(), (QStringList{"Radio", "Settings", "Tools", "Notes", "Games", "Camera"}));
  EXPECT_TRUE(expanded(11));
  window->undoStack().undo();
  EXPECT_TRUE(expanded(9));
  EXPECT_TRUE(expanded(10));
  EXPECT_EQ(selected(), node(9));
}

}  // namespace
}  // namespace quillet::ui::testing
