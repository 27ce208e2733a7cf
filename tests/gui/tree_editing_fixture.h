#pragma once
// The main window with all its forms, worked as a user works it: entries chosen in the
// item chooser's list, nodes clicked and right-clicked in the tree, pop-up menu entries
// clicked (their submenus opened first). The item dialogs opened on the way are acted
// on through the modal seam (`modals`), message boxes through the fixture's `answer`.
#include <QComboBox>
#include <QMenu>
#include <QTreeView>
#include <string>

#include "dialog_driver.h"
#include "menu_bytes.h"
#include "window_fixture.h"

namespace quillet::ui::testing {

class TreeEditingTest : public WindowTest {
 protected:
  std::unique_ptr<TSDIAppForm> makeWindow() override;

  QComboBox* chooser() const;
  QTreeView* tree() const;
  QMenu* popup(const char* name) const { return find<QMenu>(name); }
  MenuNode* node(int absoluteIndex) const { return window->document().tree.nodeAt(absoluteIndex); }
  int indexOf(const MenuNode* node) const { return window->document().tree.absoluteIndex(node); }
  MenuNode* selected() const { return window->selectedNode(); }

  // Picks the entry with this display name in the chooser's list; the chooser's menu opens.
  void choose(const char* displayName);
  // Right-clicks the node at this depth-first position; the tree's menu opens.
  void rightClickNode(int absoluteIndex);
  void rightClickChooser();
  // Clicks the named entry of the open pop-up menu, opening its submenu first (a
  // disabled submenu stays shut), then closes whatever menu is still open.
  void clickEntry(const char* name);
  void closeMenus();

  // Selects the node, chooses the catalogue entry and clicks the chooser menu's entry.
  void chooserCommand(int selectedIndex, const char* displayName, const char* entry);
  // Selects the node, right-clicks it and clicks the tree menu's entry.
  void treeCommand(int selectedIndex, const char* entry);

  // Writes the menu into the test's folder and opens it through the window.
  void openMenu(const menubytes::MenuPlan& plan);
};

menubytes::ItemPlan Plan(std::string identifier, std::vector<menubytes::ItemPlan> children = {},
                         menubytes::Bytes data = {});
// Data with one menu name in English US.
menubytes::Bytes NameData(const std::u16string& name);

}  // namespace quillet::ui::testing
