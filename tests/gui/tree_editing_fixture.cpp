#include "tree_editing_fixture.h"

#include <QAction>
#include <QTest>

#include "app_forms.h"
#include "menu_tree_model.h"

namespace quillet::ui::testing {

namespace {

// The pop-up menu an entry belongs to, or nullptr for a top-level menu's own entry.
QMenu* MenuHolding(QAction* entry) {
  for (QObject* holder : entry->associatedObjects()) {
    if (auto* menu = qobject_cast<QMenu*>(holder)) return menu;
  }
  return nullptr;
}

// A right click as the platform delivers it, through the window: the press and the
// release, and the context menu request the window system makes of them.
void RightClick(QWidget* widget, const QPoint& at) {
  QWidget* top = widget->window();
  QTest::mouseClick(top->windowHandle(), Qt::RightButton, Qt::NoModifier, widget->mapTo(top, at));
}

bool WaitUntilVisible(QWidget* widget) {
  return QTest::qWaitFor([widget] { return widget->isVisible(); }, 2000);
}

}  // namespace

std::unique_ptr<TSDIAppForm> TreeEditingTest::makeWindow() {
  // The start-up of the program: the main window owns the five dialogs.
  ApplicationForms forms = CreateForms();
  forms.setPrompter(prompter);
  return std::move(forms.SDIAppForm);
}

QComboBox* TreeEditingTest::chooser() const {
  // The custom item type dialog has a ComboBox1 of its own.
  return find<QWidget>("ClientArea")->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
}

QTreeView* TreeEditingTest::tree() const { return find<QTreeView>("TreeView1"); }

void TreeEditingTest::choose(const char* displayName) {
  const int row = chooser()->findText(QLatin1String(displayName), Qt::MatchExactly | Qt::MatchCaseSensitive);
  ASSERT_GE(row, 0) << displayName;
  test::Pick(chooser(), row);
  ASSERT_TRUE(WaitUntilVisible(popup("PopupMenu1")));
}

void TreeEditingTest::rightClickNode(int absoluteIndex) {
  const MenuNode* target = node(absoluteIndex);
  ASSERT_NE(target, nullptr);
  const QModelIndex index = window->treeModel().indexForNode(target);
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
    tree()->expand(parent);
  tree()->scrollTo(index);
  const QRect rect = tree()->visualRect(index);
  ASSERT_TRUE(rect.isValid());
  RightClick(tree()->viewport(), rect.center());
  ASSERT_TRUE(WaitUntilVisible(popup("PopupMenu2")));
}

void TreeEditingTest::rightClickChooser() {
  QWidget* edit = chooser()->lineEdit();
  RightClick(edit, edit->rect().center());
  ASSERT_TRUE(WaitUntilVisible(popup("PopupMenu1")));
}

void TreeEditingTest::clickEntry(const char* name) {
  QAction* entry = action(name);
  ASSERT_NE(entry, nullptr);
  QMenu* menu = MenuHolding(entry);
  ASSERT_NE(menu, nullptr) << name << " is in no menu";
  if (QMenu* outer = MenuHolding(menu->menuAction())) {
    ASSERT_TRUE(outer->isVisible()) << "the menu holding " << name << " is not open";
    QTest::mouseClick(outer, Qt::LeftButton, Qt::NoModifier,
                      outer->actionGeometry(menu->menuAction()).center());
    if (!menu->menuAction()->isEnabled()) {
      EXPECT_FALSE(menu->isVisible());
      closeMenus();
      return;
    }
    ASSERT_TRUE(WaitUntilVisible(menu));
  }
  ASSERT_TRUE(menu->isVisible()) << "the menu holding " << name << " is not open";
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(entry).center());
  closeMenus();
}

void TreeEditingTest::closeMenus() {
  for (const char* name : {"PopupMenu1", "PopupMenu2"}) {
    QMenu* menu = popup(name);
    for (QAction* entry : menu->actions()) {
      if (entry->menu() != nullptr) entry->menu()->hide();
    }
    menu->hide();
  }
}

void TreeEditingTest::chooserCommand(int selectedIndex, const char* displayName, const char* entry) {
  clickNode(selectedIndex);
  choose(displayName);
  clickEntry(entry);
}

void TreeEditingTest::treeCommand(int selectedIndex, const char* entry) {
  clickNode(selectedIndex);
  rightClickNode(selectedIndex);
  clickEntry(entry);
}

void TreeEditingTest::openMenu(const menubytes::MenuPlan& plan) {
  openThroughWindow(writeFile("menu", menubytes::BuildMenuFile(plan)));
  ASSERT_TRUE(window->document().isOpen());
}

menubytes::ItemPlan Plan(std::string identifier, std::vector<menubytes::ItemPlan> children,
                         menubytes::Bytes data) {
  menubytes::ItemPlan plan;
  plan.identifier = std::move(identifier);
  plan.children = std::move(children);
  plan.data = std::move(data);
  return plan;
}

menubytes::Bytes NameData(const std::u16string& name) {
  return menubytes::MenuNameBlock({{1, name}}, menubytes::NameMarker(36));
}

}  // namespace quillet::ui::testing
