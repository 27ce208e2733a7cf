// The Qt model follows the document's tree by its change notices: structure, captions
// and selection stay right through adds, moves, deletes and replacements, and only
// clearing the whole tree resets the model.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTreeView>

#include "catalogue.h"
#include "menu_tree_model.h"
#include "tree_commands.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

int CatalogueRow(std::string_view identifier) { return CatalogueIndex(identifier); }

// The model's captions in depth-first order.
QStringList ModelCaptions(const QAbstractItemModel& model, const QModelIndex& parent = {}) {
  QStringList captions;
  for (int row = 0; row < model.rowCount(parent); ++row) {
    const QModelIndex index = model.index(row, 0, parent);
    captions << index.data().toString();
    captions << ModelCaptions(model, index);
  }
  return captions;
}

QStringList TreeCaptions(const MenuTree& tree) {
  QStringList captions;
  tree.forEach([&captions](const MenuNode& node) { captions << QString::fromStdString(node.caption()); });
  return captions;
}

class TreeModelTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    model = find<QTreeView>("TreeView1")->model();
    tester = std::make_unique<QAbstractItemModelTester>(
        model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    resets = std::make_unique<QSignalSpy>(model, &QAbstractItemModel::modelReset);
    action("FileNew1")->trigger();
    resets->clear();
  }
  MenuDocument& doc() { return window->document(); }
  MenuNode* add(MenuNode* at, const char* identifier, ItemPlace place) {
    auto added = AddCatalogueItem(doc(), *at, CatalogueRow(identifier), place);
    EXPECT_TRUE(added.ok());
    return added.ok() ? added.value().node : nullptr;
  }

  QAbstractItemModel* model = nullptr;
  std::unique_ptr<QAbstractItemModelTester> tester;
  std::unique_ptr<QSignalSpy> resets;
};

TEST_F(TreeModelTest, AddsAppearWhereTheTreePutsThemWithoutAReset) {
  MenuNode* root = doc().menuRootNode();
  MenuNode* camera = add(root, "Camera", ItemPlace::LastSubitem);
  add(root, "PhoneBook", ItemPlace::FirstSubitem);
  MenuNode* tools = add(camera, "Tools", ItemPlace::Before);
  add(tools, "Calculator", ItemPlace::FirstSubitem);
  add(camera, "Games", ItemPlace::FirstItem);
  EXPECT_EQ(ModelCaptions(*model), TreeCaptions(doc().tree));
  EXPECT_EQ(ModelCaptions(*model, model->index(1, 0)),
            QStringList({"Games", "PhoneBook", "Tools", "Calculator", "Camera"}));
  EXPECT_EQ(resets->count(), 0);
}

TEST_F(TreeModelTest, SelectionStaysOnTheMovedNode) {
  MenuNode* root = doc().menuRootNode();
  add(root, "PhoneBook", ItemPlace::LastSubitem);
  add(root, "Camera", ItemPlace::LastSubitem);
  MenuNode* games = add(root, "Games", ItemPlace::LastSubitem);
  window->selectNode(games);
  MoveUp(doc(), *games);
  MoveUp(doc(), *games);
  EXPECT_EQ(window->selectedNode(), games);
  EXPECT_EQ(ModelCaptions(*model, model->index(1, 0)), QStringList({"Games", "PhoneBook", "Camera"}));
  MoveDown(doc(), *games);
  MoveDown(doc(), *games);  // the second-to-last becomes the last
  EXPECT_EQ(window->selectedNode(), games);
  EXPECT_EQ(ModelCaptions(*model, model->index(1, 0)), QStringList({"PhoneBook", "Camera", "Games"}));
  EXPECT_EQ(resets->count(), 0);
}

TEST_F(TreeModelTest, ExpansionSurvivesEditsElsewhere) {
  MenuNode* root = doc().menuRootNode();
  MenuNode* tools = add(root, "Tools", ItemPlace::LastSubitem);
  add(tools, "Calculator", ItemPlace::LastSubitem);
  MenuNode* games = add(root, "Games", ItemPlace::LastSubitem);
  auto* view = find<QTreeView>("TreeView1");
  view->expand(window->treeModel().indexForNode(tools));
  MoveUp(doc(), *games);
  DeleteItem(doc(), *games);
  EXPECT_TRUE(view->isExpanded(window->treeModel().indexForNode(tools)));
}

TEST_F(TreeModelTest, DeletingRemovesTheSubtreeAndTheSummaryFollows) {
  MenuNode* root = doc().menuRootNode();
  MenuNode* tools = add(root, "Tools", ItemPlace::LastSubitem);
  add(tools, "Calculator", ItemPlace::LastSubitem);
  add(tools, "Notes", ItemPlace::LastSubitem);
  EXPECT_EQ(panel0(), "Format: 0-byte   Main menu entries: 3");
  window->selectNode(tools);
  DeleteItem(doc(), *tools);
  EXPECT_EQ(model->rowCount(model->index(1, 0)), 0);
  EXPECT_EQ(ModelCaptions(*model), TreeCaptions(doc().tree));
  // The selection moved off the deleted node, which updates the document summary.
  EXPECT_NE(window->selectedNode(), nullptr);
  EXPECT_EQ(panel0(), "Format: 0-byte   Main menu entries: 0");
}

TEST_F(TreeModelTest, ReplacingChangesTheShownCaption) {
  MenuNode* softkey = doc().tree.nodeAt(3);
  QSignalSpy changes(model, &QAbstractItemModel::dataChanged);
  ReplaceItem(doc(), *softkey, CatalogueRow("Camera"));
  EXPECT_EQ(window->treeModel().indexForNode(softkey).data().toString(), "Up: Camera");
  EXPECT_GE(changes.count(), 1);
}

TEST_F(TreeModelTest, ClearingResetsTheModelOnce) {
  window->document().ClearDocument();
  EXPECT_EQ(resets->count(), 1);
  EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(TreeModelTest, CaptionsAreReadOnly) {
  const QModelIndex root = model->index(1, 0);
  EXPECT_FALSE(model->flags(root).testFlag(Qt::ItemIsEditable));
  EXPECT_FALSE(model->setData(root, QStringLiteral("x")));
  EXPECT_EQ(root.data().toString(), "Menu Root");
}

}  // namespace
}  // namespace quillet::ui::testing
