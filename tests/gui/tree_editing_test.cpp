// Tree editing from the main window, through the real pop-up menus: the chooser's menu
// (add, replace) and the tree's menu (modify, delete, move), their enabling, the
// questions they ask and the item settings dialog they open.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "catalogue.h"
#include "menu_tree_model.h"
#include "tree_commands.h"
#include "tree_editing_fixture.h"

namespace quillet::ui::testing {
namespace {

using test::Child;
using test::Click;

struct Enabling {
  bool addSubitem, addItem, replace, modify, remove, moveUp, moveDown;
  bool operator==(const Enabling&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Enabling& e) {
  return out << "addSubitem " << e.addSubitem << " addItem " << e.addItem << " replace " << e.replace
             << " modify " << e.modify << " delete " << e.remove << " up " << e.moveUp << " down "
             << e.moveDown;
}

class TreeEditing : public TreeEditingTest {
 protected:
  // The enabling both menus show when opened on the node, the chooser's by choosing an
  // entry and the tree's by a right click.
  Enabling enablingOn(int absoluteIndex) {
    clickNode(absoluteIndex);
    choose("Camera");
    closeMenus();
    rightClickNode(absoluteIndex);
    Enabling e{action("AddChild1")->isEnabled(),   action("AddBefore1")->isEnabled(),
               action("Replace1")->isEnabled(),    action("MenuItem1")->isEnabled(),
               action("Deleteitem1")->isEnabled(), action("Moveup1")->isEnabled(),
               action("Movedown1")->isEnabled()};
    closeMenus();
    return e;
  }
  std::vector<std::string> childCaptions(const MenuNode* parent) const {
    std::vector<std::string> captions;
    for (const auto& child : parent->children()) captions.push_back(child->caption());
    return captions;
  }
  void cancelItemDialog() {
    modals.actions["TOKRightDlg"] = [](QDialog& shown) { Click(Child<QPushButton>(shown, "CanclButton")); };
  }
  MenuDocument& doc() { return window->document(); }
};

TEST_F(TreeEditing, MenusStartWithTheirDesignStatesAndImages) {
  EXPECT_TRUE(action("AddChild1")->isEnabled());
  EXPECT_FALSE(action("AddBefore1")->isEnabled());
  EXPECT_TRUE(action("Replace1")->isEnabled());
  for (const char* name : {"MenuItem1", "Deleteitem1", "Moveup1", "Movedown1"})
    EXPECT_TRUE(action(name)->isEnabled());
  const std::vector<std::pair<const char*, const char*>> captions = {
      {"AddChild1", "Add subitem"}, {"AddFirst1", "Add First"},   {"AddLast1", "Add Last"},
      {"AddBefore1", "Add item"},   {"AddFirst2", "Add First"},   {"AddBefore2", "Add Before"},
      {"Replace1", "Replace"},      {"MenuItem1", "Modify item"}, {"Deleteitem1", "Delete item"},
      {"Moveup1", "Move up"},       {"Movedown1", "Move down"}};
  for (const auto& [name, caption] : captions) EXPECT_EQ(action(name)->text(), caption) << name;
  // Entries with images carry them; "Modify item" and "Delete item" have none.
  for (const char* name :
       {"AddFirst1", "AddLast1", "AddFirst2", "AddBefore2", "Replace1", "Moveup1", "Movedown1"})
    EXPECT_FALSE(action(name)->icon().isNull()) << name;
  EXPECT_TRUE(action("MenuItem1")->icon().isNull());
  EXPECT_NE(action("Moveup1")->icon().pixmap(16).toImage(), action("Movedown1")->icon().pixmap(16).toImage());
}

TEST_F(TreeEditing, EnablingFollowsTheSelectedNode) {
  window->FileNew1Execute();
  chooserCommand(kMenuRootNodeIndex, "Settings", "AddLast1");
  chooserCommand(kMenuRootNodeIndex, "Games", "AddLast1");
  ASSERT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Settings", "Games"}));
  // Softkeys, Menu Root, a softkey, the first main-menu item (may own a submenu), the last.
  EXPECT_EQ(enablingOn(0), (Enabling{false, false, false, false, false, false, false}));
  EXPECT_EQ(enablingOn(8), (Enabling{true, false, false, false, false, false, false}));
  EXPECT_EQ(enablingOn(3), (Enabling{false, false, true, true, false, false, false}));
  EXPECT_EQ(enablingOn(9), (Enabling{true, true, true, true, true, false, true}));
  EXPECT_EQ(enablingOn(10), (Enabling{false, true, true, true, true, true, false}));
}

TEST_F(TreeEditing, WithNoDocumentNoEntryIsOffered) {
  rightClickChooser();
  for (const char* name : {"AddChild1", "AddBefore1", "Replace1"})
    EXPECT_FALSE(action(name)->isEnabled()) << name;
  closeMenus();
  window->PopupMenu2Popup();
  for (const char* name : {"MenuItem1", "Deleteitem1", "Moveup1", "Movedown1"}) {
    EXPECT_FALSE(action(name)->isEnabled()) << name;
  }
}

TEST_F(TreeEditing, EnterOnTheChosenEntrysOwnNameOpensTheMenu) {
  window->FileNew1Execute();
  QMenu* menu = popup("PopupMenu1");
  int openings = 0;
  QObject::connect(menu, &QMenu::aboutToShow, [&openings] { ++openings; });
  choose("Camera");
  closeMenus();
  for (const char* typed : {"Camera", "Games"}) {  // the chosen entry again, then another
    test::TypeInto(chooser()->lineEdit(), typed);
    QTest::keyClick(chooser()->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) << typed;
    EXPECT_EQ(chooser()->currentText(), typed);
    closeMenus();
  }
  EXPECT_EQ(openings, 3);
}

TEST_F(TreeEditing, ChoosingAnEntryOpensTheMenuBelowTheChooser) {
  window->FileNew1Execute();
  choose("Camera");
  QComboBox* combo = chooser();
  EXPECT_EQ(popup("PopupMenu1")->pos(), combo->mapToGlobal(QPoint(combo->width() / 2, combo->height())));
  closeMenus();
}

TEST_F(TreeEditing, FirstItemOfANewDocument) {
  window->FileNew1Execute();
  chooserCommand(kMenuRootNodeIndex, "PhoneBook", "AddLast1");
  const MenuNode* item = node(kFirstMenuNodeIndex);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->caption(), "PhoneBook");
  EXPECT_EQ(item->item().identifier, "PhoneBook");
  EXPECT_EQ(item->item().parent, 9);
  EXPECT_EQ(item->item().slot, 11);
  EXPECT_EQ(item->item().next, 255);
  EXPECT_EQ(item->item().child, 255);
  EXPECT_EQ(item->item().kind, 0);
  EXPECT_EQ(item->item().flags, 0);
  EXPECT_EQ(item->item().attributes, 0x41);
  EXPECT_EQ(item->item().area, 0xCD);
  EXPECT_EQ(node(kMenuRootNodeIndex)->item().kind, 1);
  EXPECT_EQ(node(kMenuRootNodeIndex)->item().child, 10);
  // Menu Root stays selected and shows its new item; the document summary counts it.
  EXPECT_EQ(selected(), node(kMenuRootNodeIndex));
  EXPECT_TRUE(tree()->isExpanded(window->treeModel().indexForNode(node(kMenuRootNodeIndex))));
  EXPECT_TRUE(panel0().endsWith("Main menu entries: 1")) << panel0().toStdString();
  EXPECT_EQ(modals.openings["TOKRightDlg"], 0);
}

TEST_F(TreeEditing, TheFourPlacesOfAdding) {
  window->FileNew1Execute();
  chooserCommand(kMenuRootNodeIndex, "Tools", "AddLast1");
  chooserCommand(kMenuRootNodeIndex, "Games", "AddFirst1");  // Games, Tools
  chooserCommand(10, "Camera", "AddBefore2");                // Games, Camera, Tools
  chooserCommand(10, "Radio", "AddFirst2");                  // Radio, Games, Camera, Tools
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)),
            (std::vector<std::string>{"Radio", "Games", "Camera", "Tools"}));
  // Adding beside a plain item leaves it plain.
  const MenuNode* games = node(10);
  EXPECT_EQ(games->caption(), "Games");
  EXPECT_EQ(games->item().kind, 0);
  EXPECT_EQ(games->item().child, 255);
}

TEST_F(TreeEditing, ASubitemTurnsAPlainItemIntoASubmenu) {
  window->FileNew1Execute();
  chooserCommand(kMenuRootNodeIndex, "Multimedia", "AddLast1");
  MenuNode* multimedia = node(kFirstMenuNodeIndex);
  EXPECT_EQ(multimedia->item().identifier, "Mutilmedia");
  EXPECT_EQ(multimedia->item().kind, 0);
  chooserCommand(kFirstMenuNodeIndex, "Camera", "AddLast1");
  const MenuNode* camera = node(kFirstMenuNodeIndex + 1);
  ASSERT_EQ(camera->parent(), multimedia);
  EXPECT_EQ(multimedia->item().kind, 1);
  EXPECT_EQ(multimedia->item().child, camera->item().slot - 1);
  EXPECT_EQ(camera->item().parent, multimedia->item().slot - 1);
  EXPECT_TRUE(tree()->isExpanded(window->treeModel().indexForNode(multimedia)));
}

TEST_F(TreeEditing, CustomItemsInAFreshRunAreSetUpAtOnce) {
  window->FileNew1Execute();
  std::vector<std::string> editedOn;
  modals.actions["TOKRightDlg"] = [&](QDialog& shown) {
    editedOn.push_back(selected()->caption());
    // A new custom item is a main-menu item: the unlock code box, not the Home Keys one.
    EXPECT_TRUE(Child<QCheckBox>(shown, "TntCheckBox2")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(shown, "TntCheckBox6")->isEnabled());
    Click(Child<QPushButton>(shown, "CanclButton"));
  };
  for (int i = 0; i < 3; ++i) chooserCommand(kMenuRootNodeIndex, "Custom item", "AddLast1");
  EXPECT_EQ(editedOn, (std::vector<std::string>{"~1", "~2", "~3"}));
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"~1", "~2", "~3"}));
  const MenuNode* third = node(kFirstMenuNodeIndex + 2);
  EXPECT_EQ(selected(), third);  // the new item stays selected
  EXPECT_EQ(third->item().identifier, "~3");
  EXPECT_EQ(third->item().flags, 0x18);
  // Cancelled: the item stays, without data.
  EXPECT_EQ(third->item().hasData, 0);
  EXPECT_EQ(doc().DataItemCount(), 0);
}

TEST_F(TreeEditing, CustomNumbersContinueAfterOpeningAFileWithTwo) {
  menubytes::MenuPlan plan;
  plan.items = {Plan("~1"), Plan("Games"), Plan("~2")};
  openMenu(plan);
  cancelItemDialog();
  chooserCommand(kFirstMenuNodeIndex + 1, "Custom item", "AddBefore2");
  chooserCommand(kMenuRootNodeIndex, "Custom item", "AddLast1");
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)),
            (std::vector<std::string>{"~1", "~3", "Games", "~2", "~4"}));
}

TEST_F(TreeEditing, ANewCustomItemConfirmedWithAUrlGetsItsData) {
  window->FileNew1Execute();
  modals.actions["TOKRightDlg1"] = [](QDialog& shown) {
    test::Pick(Child<QComboBox>(shown, "ComboBox1"), 0);
    test::TypeInto(Child<QLineEdit>(shown, "Edit1"), "http://wap.example.com/");
    Click(Child<QPushButton>(shown, "OKBtn"));
  };
  modals.actions["TOKRightDlg"] = [](QDialog& shown) {
    Click(Child<QPushButton>(shown, "TntButton1"));
    Click(Child<QPushButton>(shown, "OKButton"));
  };
  chooserCommand(kMenuRootNodeIndex, "Custom item", "AddLast1");
  const MenuNode* custom = node(kFirstMenuNodeIndex);
  EXPECT_EQ(custom->item().kind, kKindUrl);
  EXPECT_EQ(custom->item().hasData, 1);
  ASSERT_NE(doc().ItemData(*custom), nullptr);
  EXPECT_EQ(doc().ItemData(*custom)->blocks.at(0).text, "http://wap.example.com/");
  EXPECT_EQ(doc().DataItemCount(), 1);
}

TEST_F(TreeEditing, ReplacingASubmenuByAPlainItemAsksFirst) {
  menubytes::MenuPlan plan;
  plan.items = {Plan("Settings", {Plan("Camera", {}, NameData(u"Cam")), Plan("Games")}, NameData(u"Setup")),
                Plan("Radio")};
  openMenu(plan);
  ASSERT_EQ(doc().DataItemCount(), 2);
  MenuNode* settings = node(kFirstMenuNodeIndex);

  answer = QMessageBox::No;
  chooserCommand(kFirstMenuNodeIndex, "PhoneBook", "Replace1");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Warning");
  EXPECT_EQ(messages[0].text,
            "Selected item cannot have a submenu.\r\n          Existing submenu will be deleted\r\n"
            "                Continue?");
  // The question names the item it is about, whichever row was right-clicked.
  EXPECT_EQ(messages[0].informative, "Item: \"Settings\" with 2 subitems");
  EXPECT_EQ(messages[0].icon, QMessageBox::Question);
  EXPECT_EQ(messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(messages[0].owner, window.get());
  EXPECT_EQ(settings->caption(), "Settings");
  EXPECT_EQ(settings->childCount(), 2u);
  EXPECT_EQ(doc().DataItemCount(), 2);

  answer = QMessageBox::Yes;
  chooserCommand(kFirstMenuNodeIndex, "PhoneBook", "Replace1");
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(settings->caption(), "PhoneBook");
  EXPECT_EQ(settings->item().identifier, "PhoneBook");
  EXPECT_FALSE(settings->hasChildren());
  EXPECT_EQ(settings->item().kind, 0);
  EXPECT_EQ(settings->item().child, 255);
  EXPECT_EQ(settings->item().hasData, 0);
  EXPECT_EQ(doc().DataItemCount(), 0);
  EXPECT_EQ(node(kFirstMenuNodeIndex + 1)->caption(), "Radio");
}

TEST_F(TreeEditing, ReplacingBySomethingThatMayOwnASubmenuKeepsItWithoutAsking) {
  menubytes::MenuPlan plan;
  plan.items = {Plan("Settings", {Plan("Camera")})};
  openMenu(plan);
  chooserCommand(kFirstMenuNodeIndex, "Tools", "Replace1");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(node(kFirstMenuNodeIndex)->caption(), "Tools");
  EXPECT_EQ(childCaptions(node(kFirstMenuNodeIndex)), (std::vector<std::string>{"Camera"}));
}

TEST_F(TreeEditing, ReplacingASoftkeyKeepsItsPrefix) {
  window->FileNew1Execute();
  ASSERT_EQ(node(3)->caption(), "Up: RecentCall");
  chooserCommand(3, "Camera", "Replace1");
  EXPECT_EQ(node(3)->caption(), "Up: Camera");
  EXPECT_EQ(node(3)->item().identifier, "Camera");
  EXPECT_EQ(node(3)->item().area, 0xCC);
  EXPECT_EQ(tree()->model()->data(window->treeModel().indexForNode(node(3))).toString(), "Up: Camera");

  // A custom softkey shows its bare name and is set up at once, as a softkey.
  bool homeKeysBox = false;
  bool unlockBox = true;
  modals.actions["TOKRightDlg"] = [&](QDialog& shown) {
    homeKeysBox = Child<QCheckBox>(shown, "TntCheckBox6")->isEnabled();
    unlockBox = Child<QCheckBox>(shown, "TntCheckBox2")->isEnabled();
    Click(Child<QPushButton>(shown, "CanclButton"));
  };
  chooserCommand(1, "Custom item", "Replace1");
  EXPECT_EQ(modals.openings["TOKRightDlg"], 1);
  EXPECT_EQ(node(1)->caption(), "~1");
  EXPECT_EQ(node(1)->item().flags, 0x18);
  EXPECT_TRUE(homeKeysBox);
  EXPECT_FALSE(unlockBox);
}

TEST_F(TreeEditing, ModifyItemStoresTheDialogsResultOnlyAfterOk) {
  window->FileNew1Execute();
  chooserCommand(kMenuRootNodeIndex, "Games", "AddLast1");
  modals.actions["TOKRightDlg"] = [](QDialog& shown) {
    Click(Child<QCheckBox>(shown, "TntCheckBox2"));  // unlock code protection on
    test::TypeInto(Child<QLineEdit>(shown, "TntEdit2"), "12");
    Click(Child<QPushButton>(shown, "TntButton3"));
    Click(Child<QPushButton>(shown, "CanclButton"));
  };
  treeCommand(kFirstMenuNodeIndex, "MenuItem1");
  const MenuNode* games = node(kFirstMenuNodeIndex);
  EXPECT_EQ(games->item().attributes, 0x41);
  EXPECT_EQ(games->item().hasData, 0);

  modals.actions["TOKRightDlg"] = [](QDialog& shown) {
    Click(Child<QCheckBox>(shown, "TntCheckBox2"));
    test::TypeInto(Child<QLineEdit>(shown, "TntEdit2"), "12");
    Click(Child<QPushButton>(shown, "TntButton3"));
    Click(Child<QPushButton>(shown, "OKButton"));
  };
  treeCommand(kFirstMenuNodeIndex, "MenuItem1");
  EXPECT_EQ(games->item().attributes, 0x21);
  EXPECT_EQ(games->item().hasData, 1);
  ASSERT_NE(doc().ItemData(*games), nullptr);
  EXPECT_EQ(doc().ItemData(*games)->blocks.at(0).drmIndex, 12);
  EXPECT_EQ(doc().DataItemCount(), 1);
  EXPECT_EQ(games->item().dataLength, ItemDataLength(doc().ItemData(*games), true));
  // The summary on show follows the change.
  EXPECT_TRUE(memoVisible());
  EXPECT_TRUE(memoText().contains("Icon(s) modified [source: DRM]")) << memoText().toStdString();
}

TEST_F(TreeEditing, ModifyingASoftkeyOffersTheHomeKeysBox) {
  window->FileNew1Execute();
  modals.actions["TOKRightDlg"] = [](QDialog& shown) {
    EXPECT_FALSE(Child<QCheckBox>(shown, "TntCheckBox2")->isEnabled());
    ASSERT_TRUE(Child<QCheckBox>(shown, "TntCheckBox6")->isEnabled());
    Click(Child<QCheckBox>(shown, "TntCheckBox6"));
    Click(Child<QPushButton>(shown, "OKButton"));
  };
  treeCommand(2, "MenuItem1");
  EXPECT_EQ(modals.openings["TOKRightDlg"], 1);
  EXPECT_EQ(node(2)->item().attributes, 0x45);
}

TEST_F(TreeEditing, MovingDownTheSecondToLastMakesItLastAndDataFollows) {
  menubytes::MenuPlan plan;
  plan.items = {Plan("Games", {}, NameData(u"Play")), Plan("Camera", {}, NameData(u"Photo")), Plan("Radio")};
  openMenu(plan);
  MenuNode* camera = node(kFirstMenuNodeIndex + 1);
  treeCommand(kFirstMenuNodeIndex + 1, "Movedown1");
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Games", "Radio", "Camera"}));
  EXPECT_EQ(selected(), camera);  // the moved item stays selected
  EXPECT_EQ(camera->item().slot, 13);
  EXPECT_EQ(camera->item().next, 255);
  ASSERT_NE(doc().StoreEntry(13), nullptr);
  EXPECT_EQ(doc().StoreEntry(13)->blocks.at(0).names.at(0).text, u"Photo");
  EXPECT_EQ(doc().StoreEntry(12), nullptr);

  treeCommand(kFirstMenuNodeIndex + 2, "Moveup1");
  treeCommand(kFirstMenuNodeIndex + 1, "Moveup1");
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Camera", "Games", "Radio"}));
  EXPECT_EQ(doc().StoreEntry(11)->blocks.at(0).names.at(0).text, u"Photo");
  EXPECT_EQ(doc().StoreEntry(12)->blocks.at(0).names.at(0).text, u"Play");
  EXPECT_EQ(doc().DataItemCount(), 2);
}

TEST_F(TreeEditing, DeletingAnItemFreesTheDataOfItsSubitems) {
  menubytes::MenuPlan plan;
  plan.items = {Plan("Tools",
                     {Plan("Camera", {}, NameData(u"Cam")), Plan("Games"),
                      Plan("WebAccess", {Plan("Browser", {}, NameData(u"Web"))}, NameData(u"Net"))},
                     NameData(u"Kit")),
                Plan("PhoneBook", {}, NameData(u"Book"))};
  openMenu(plan);
  ASSERT_EQ(doc().DataItemCount(), 5);

  answer = QMessageBox::No;
  treeCommand(kFirstMenuNodeIndex, "Deleteitem1");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Warning");
  EXPECT_EQ(messages[0].text, "The item and all its subitems will be deleted\r\n           Continue?");
  EXPECT_EQ(messages[0].informative, "Item: \"Tools\" with 4 subitems");
  EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
  EXPECT_EQ(messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(doc().mainMenuItemCount(), 6);
  EXPECT_EQ(doc().DataItemCount(), 5);

  answer = QMessageBox::Yes;
  treeCommand(kFirstMenuNodeIndex, "Deleteitem1");
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"PhoneBook"}));
  EXPECT_EQ(doc().DataItemCount(), 1);
  const MenuNode* phoneBook = node(kFirstMenuNodeIndex);
  EXPECT_EQ(phoneBook->item().slot, 11);
  EXPECT_EQ(doc().StoreEntry(11)->blocks.at(0).names.at(0).text, u"Book");
  EXPECT_TRUE(panel0().endsWith("Main menu entries: 1")) << panel0().toStdString();
}

TEST_F(TreeEditing, ARightClickDoesNotMoveTheSelection) {
  window->FileNew1Execute();
  chooserCommand(kMenuRootNodeIndex, "Games", "AddLast1");
  chooserCommand(kMenuRootNodeIndex, "Radio", "AddLast1");
  clickNode(kFirstMenuNodeIndex);
  rightClickNode(kFirstMenuNodeIndex + 1);
  EXPECT_EQ(selected(), node(kFirstMenuNodeIndex));
  // The menu acts on the selected node: Games moves down, not Radio.
  EXPECT_TRUE(action("Movedown1")->isEnabled());
  EXPECT_FALSE(action("Moveup1")->isEnabled());
  clickEntry("Movedown1");
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Radio", "Games"}));
}

TEST_F(TreeEditing, The246thMainMenuItemIsRefused) {
  window->FileNew1Execute();
  MenuNode* root = node(kMenuRootNodeIndex);
  for (int i = 0; i < kMaxMainMenuItems; ++i)
    ASSERT_TRUE(AddCatalogueItem(doc(), *root, CatalogueIndex("Games"), ItemPlace::LastSubitem).ok());
  chooserCommand(kMenuRootNodeIndex, "Camera", "AddLast1");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
  EXPECT_TRUE(messages[0].text.contains("245")) << messages[0].text.toStdString();
  EXPECT_EQ(doc().mainMenuItemCount(), kMaxMainMenuItems);
  // Beside an item as well, and a custom item does not use up a number.
  chooserCommand(kFirstMenuNodeIndex, "Custom item", "AddBefore2");
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(doc().mainMenuItemCount(), kMaxMainMenuItems);
  EXPECT_EQ(doc().CustomItemCount, 0);
  EXPECT_EQ(modals.openings["TOKRightDlg"], 0);
  // Replacing still works at the limit.
  chooserCommand(kFirstMenuNodeIndex, "Camera", "Replace1");
  EXPECT_EQ(node(kFirstMenuNodeIndex)->caption(), "Camera");
}

TEST_F(TreeEditing, NoChosenEntryOrNoSelectionDoesNothing) {
  window->FileNew1Execute();
  clickNode(kMenuRootNodeIndex);
  test::TypeInto(chooser()->lineEdit(), "Nonsense");
  rightClickChooser();
  clickEntry("AddLast1");
  EXPECT_EQ(doc().mainMenuItemCount(), 0);
  // Choosing by typing a whole name works like picking it.
  test::TypeInto(chooser()->lineEdit(), "Camera");
  rightClickChooser();
  clickEntry("AddLast1");
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Camera"}));

  tree()->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
  ASSERT_EQ(selected(), nullptr);
  choose("Games");
  clickEntry("AddLast1");
  choose("Games");
  clickEntry("Replace1");
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Camera"}));
  for (const char* entry : {"MenuItem1", "Deleteitem1", "Moveup1", "Movedown1"}) {
    action(entry)->trigger();
  }
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Camera"}));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(modals.openings["TOKRightDlg"], 0);
}

TEST_F(TreeEditing, KeysInTheTreeActAsTheirCommandsUnderTheSameRules) {
  window->FileNew1Execute();
  chooserCommand(kMenuRootNodeIndex, "Games", "AddLast1");
  chooserCommand(kMenuRootNodeIndex, "Tools", "AddLast1");
  cancelItemDialog();
  tree()->setFocus();
  clickNode(kFirstMenuNodeIndex);
  QTest::keyClick(tree(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Tools", "Games"}));
  EXPECT_EQ(selected()->caption(), "Games");
  QTest::keyClick(tree(), Qt::Key_Up, Qt::ControlModifier);
  QTest::keyClick(tree(), Qt::Key_Up, Qt::ControlModifier);  // already first: nothing
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Games", "Tools"}));
  QTest::keyClick(tree(), Qt::Key_Return);
  EXPECT_EQ(modals.openings["TOKRightDlg"], 1);
  answer = QMessageBox::Yes;
  QTest::keyClick(tree(), Qt::Key_Delete);
  EXPECT_EQ(childCaptions(node(kMenuRootNodeIndex)), (std::vector<std::string>{"Tools"}));
  // On a fixed node the keys do nothing, as the menu's entries are disabled there.
  const std::size_t asked = messages.size();
  clickNode(kMenuRootNodeIndex);
  QTest::keyClick(tree(), Qt::Key_Delete);
  QTest::keyClick(tree(), Qt::Key_Return);
  EXPECT_EQ(messages.size(), asked);
  EXPECT_EQ(modals.openings["TOKRightDlg"], 1);
  EXPECT_EQ(doc().mainMenuItemCount(), 1);
}

}  // namespace
}  // namespace quillet::ui::testing
