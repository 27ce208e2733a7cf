// The item settings dialog bound to the working copy: attribute boxes, icon rows and
// their circles, and the three dialogs it opens, each driven through the modal seam.
#include "item_settings_dialog.h"

#include <QLabel>
#include <QTableWidget>
#include <QTreeWidget>

#include "blocks_viewer_dialog.h"
#include "colour_circle.h"
#include "custom_type_dialog.h"
#include "dialog_driver.h"
#include "item_fixtures.h"
#include "name_editor_dialog.h"

namespace quillet::test {
namespace {

const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

class ItemSettingsDialogTest : public ::testing::Test {
 protected:
  ItemSettingsDialogTest() {
    dialog.SetCompanions(&nameEditor, &customType, &viewer);
    dialog.setPrompter(prompts);
    nameEditor.setPrompter(prompts);
    customType.setPrompter(prompts);
  }

  // Opens the dialog on an item of the main menu (or a softkey), as "Modify item" does.
  void Open(const TMMAItemData* data, std::uint8_t kind = 0, std::uint8_t flags = 0,
            std::uint8_t attributes = 0, bool softkey = false) {
    dialog.PrepareAttributeBoxes(softkey);
    dialog.LoadItem(data, kind, flags, attributes);
    dialog.show();
  }
  QPushButton* Button(const char* name) { return Child<QPushButton>(dialog, name); }
  QCheckBox* Box(const char* name) { return Child<QCheckBox>(dialog, name); }
  QLineEdit* Edit(const char* name) { return Child<QLineEdit>(dialog, name); }
  QColor Circle(const char* name) { return Child<ui::ColourCircle>(dialog, name)->colour(); }
  QColor ButtonFace() const { return dialog.palette().color(QPalette::Button); }
  TMMAItemData Stored() { return dialog.Editor().StoreItem().data.value_or(TMMAItemData{}); }

  TestPrompter prompts;
  MessageRecorder& messages = prompts.messages;
  ModalScript& modals = prompts.modals;
  ui::TForm1 nameEditor;
  ui::TOKRightDlg1 customType;
  ui::TForm2 viewer;
  ui::TOKRightDlg dialog;
};

TEST_F(ItemSettingsDialogTest, CaptionsAndStartingStates) {
  EXPECT_EQ(dialog.windowTitle(), "Basic settings");
  EXPECT_EQ(Box("TntCheckBox1")->text(), "Allow adding to Security->Lock app list");
  EXPECT_EQ(Box("TntCheckBox2")->text(), "Protect access to item with unlock code");
  EXPECT_EQ(Box("TntCheckBox6")->text(), "Disable key re-assignment via Home Keys menu ");
  EXPECT_EQ(Button("TntButton5")->text(), "Edit menu item name");
  EXPECT_EQ(Button("TntButton6")->text(), "Edit softkey title");
  EXPECT_EQ(Child<QLabel>(dialog, "TntStaticText1")->text(), "Animated icon (file path or index to DRM)");
  EXPECT_EQ(Child<QLabel>(dialog, "TntStaticText3")->text(), "List icon (file path or index to DRM)");
  EXPECT_EQ(Button("TntButton7")->text(), "View unsupported data");
  EXPECT_EQ(Button("TntButton1")->text(), "More ...");
  EXPECT_TRUE(Button("OKButton")->isDefault());
  EXPECT_FALSE(Button("TntButton7")->isVisible());
  EXPECT_FALSE(Button("TntButton1")->isEnabled());
  EXPECT_FALSE(Edit("TntEdit1")->isEnabled());
  EXPECT_FALSE(Button("TntButton2")->isEnabled());
  EXPECT_EQ(dialog.size(), QSize(499, 516));
}

TEST_F(ItemSettingsDialogTest, SoftkeyShowsHomeKeysButNotProtection) {
  Open(nullptr, 0, 0, 0x25, /*softkey=*/true);
  EXPECT_TRUE(Box("TntCheckBox1")->isChecked());
  EXPECT_FALSE(Box("TntCheckBox2")->isEnabled());
  EXPECT_FALSE(Box("TntCheckBox2")->isChecked());
  EXPECT_TRUE(Box("TntCheckBox6")->isEnabled());
  EXPECT_TRUE(Box("TntCheckBox6")->isChecked());
  // A box shown cleared because it is disabled does not clear the loaded bits.
  EXPECT_EQ(dialog.Editor().StoreItem().attributes, 0x25);
}

TEST_F(ItemSettingsDialogTest, MainMenuItemShowsProtectionButNotHomeKeys) {
  Open(nullptr, 0, 0, 0x25);
  EXPECT_TRUE(Box("TntCheckBox2")->isEnabled());
  EXPECT_TRUE(Box("TntCheckBox2")->isChecked());
  EXPECT_FALSE(Box("TntCheckBox6")->isEnabled());
  EXPECT_FALSE(Box("TntCheckBox6")->isChecked());
  Open(nullptr, 0, 0, 0x64);  // high nibble 6 is not "protected"
  EXPECT_FALSE(Box("TntCheckBox2")->isChecked());
  EXPECT_EQ(dialog.Editor().StoreItem().attributes, 0x64);
}

TEST_F(ItemSettingsDialogTest, ClickingBoxesChangesTheAttributes) {
  Open(nullptr, 0, 0, 0x60);
  Click(Box("TntCheckBox2"));
  EXPECT_EQ(dialog.Editor().StoreItem().attributes, 0x20);
  Click(Box("TntCheckBox1"));
  EXPECT_EQ(dialog.Editor().StoreItem().attributes, 0x21);
  Click(Box("TntCheckBox2"));
  EXPECT_EQ(dialog.Editor().StoreItem().attributes, 0x01);
  Open(nullptr, 0, 0, 0x60, /*softkey=*/true);
  Click(Box("TntCheckBox6"));
  EXPECT_EQ(dialog.Editor().StoreItem().attributes, 0x64);
  Click(Box("TntCheckBox6"));
  EXPECT_EQ(dialog.Editor().StoreItem().attributes, 0x60);
}

TEST_F(ItemSettingsDialogTest, MoreIsDisabledForAnItemWithASubmenu) {
  for (int kind : {0, 3, 6}) {
    Open(nullptr, static_cast<std::uint8_t>(kind));
    EXPECT_TRUE(Button("TntButton1")->isEnabled()) << kind;
  }
  Open(nullptr, 1);
  EXPECT_FALSE(Button("TntButton1")->isEnabled());
}

TEST_F(ItemSettingsDialogTest, IconsShowTheirSourceAndEveryApplyStartsDisabled) {
  const TMMAItemData item = ItemWith(
      {PathBlock(kIconKindAnimated, u"/a/mobile/picture/anim.gif"), DrmBlock(kTagIconDrmStatic, 0x12, 417)});
  Open(&item);
  EXPECT_EQ(Edit("TntEdit1")->text(), "/a/mobile/picture/anim.gif");
  EXPECT_EQ(Edit("TntEdit2")->text(), "417");
  EXPECT_EQ(Edit("TntEdit3")->text(), "");
  EXPECT_EQ(Circle("Shape1"), kRed);
  EXPECT_EQ(Circle("Shape2"), kYellow);
  EXPECT_EQ(Circle("Shape3"), ButtonFace());
  for (const char* name : {"TntEdit1", "TntEdit2", "TntEdit3"}) EXPECT_TRUE(Edit(name)->isEnabled());
  for (const char* name : {"TntButton2", "TntButton3", "TntButton4"}) EXPECT_FALSE(Button(name)->isEnabled());
  // A second item resets the rows.
  Open(nullptr);
  EXPECT_EQ(Edit("TntEdit1")->text(), "");
  EXPECT_EQ(Circle("Shape1"), ButtonFace());
  EXPECT_EQ(Circle("Shape2"), ButtonFace());
}

TEST_F(ItemSettingsDialogTest, ApplyTurnsTheCircleRedOrYellow) {
  Open(nullptr);
  TypeInto(Edit("TntEdit3"), "/a/list.png");
  EXPECT_TRUE(Button("TntButton4")->isEnabled());
  Click(Button("TntButton4"));
  EXPECT_EQ(Circle("Shape3"), kRed);
  EXPECT_FALSE(Button("TntButton4")->isEnabled());
  TypeInto(Edit("TntEdit1"), "0042");
  Click(Button("TntButton2"));
  EXPECT_EQ(Circle("Shape1"), kYellow);
  const TMMAItemData stored = Stored();
  EXPECT_EQ(TagsOf(stored), (std::vector<std::uint8_t>{kTagIconPath, kTagIconDrmAnimated}));
  EXPECT_EQ(stored.blocks[0].path, u"/a/list.png");
  EXPECT_EQ(stored.blocks[1].drmIndex, 42);
  EXPECT_TRUE(messages.requests.empty());
}

TEST_F(ItemSettingsDialogTest, WrongDataIsReportedAndDisablesApply) {
  const TMMAItemData item = ItemWith({DrmBlock(kTagIconDrmList, 0x12, 7)});
  Open(&item);
  TypeInto(Edit("TntEdit3"), "0x10");
  Click(Button("TntButton4"));
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(messages.requests[0].text, "Type in a path or a number!");
  EXPECT_EQ(messages.requests[0].title, "Wrong data");
  EXPECT_EQ(messages.requests[0].icon, QMessageBox::Critical);
  EXPECT_EQ(messages.requests[0].buttons, QMessageBox::Ok);
  EXPECT_EQ(Circle("Shape3"), kYellow);
  EXPECT_FALSE(Button("TntButton4")->isEnabled());
  EXPECT_EQ(Stored().blocks.at(0).drmIndex, 7);
}

TEST_F(ItemSettingsDialogTest, NumberTooLargeIsReportedAndApplyStaysEnabled) {
  Open(nullptr);
  TypeInto(Edit("TntEdit2"), "99999999999");
  Click(Button("TntButton3"));
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(messages.requests[0].text, "'99999999999' is not a valid integer value");
  EXPECT_EQ(messages.requests[0].icon, QMessageBox::Critical);
  EXPECT_EQ(Circle("Shape2"), ButtonFace());
  EXPECT_TRUE(Button("TntButton3")->isEnabled());
  EXPECT_FALSE(dialog.Editor().HasBlocks());
}

TEST_F(ItemSettingsDialogTest, IconPathOverTheLimitIsRefused) {
  Open(nullptr);
  Edit("TntEdit1")->setText("/a/" + QString(124, 'x'));
  Click(Button("TntButton2"));
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(Circle("Shape1"), ButtonFace());
  EXPECT_FALSE(dialog.Editor().HasBlocks());
}

TEST_F(ItemSettingsDialogTest, EmptyTextRemovesPathAndIndex) {
  const TMMAItemData item =
      ItemWith({PathBlock(kIconKindStatic, u"/a/s.gif"), DrmBlock(kTagIconDrmStatic, 0x12, 5),
                PathBlock(kIconKindList, u"/a/l.gif")});
  Open(&item);
  EXPECT_EQ(Edit("TntEdit2")->text(), "5");  // the later block decides what is shown
  EXPECT_EQ(Circle("Shape2"), kYellow);
  TypeInto(Edit("TntEdit2"), "");
  Click(Button("TntButton3"));
  EXPECT_EQ(Circle("Shape2"), ButtonFace());
  const TMMAItemData stored = Stored();
  ASSERT_EQ(stored.blocks.size(), 1u);
  EXPECT_EQ(stored.blocks[0].path, u"/a/l.gif");
}

TEST_F(ItemSettingsDialogTest, UnsupportedDataButtonOpensTheViewer) {
  Open(nullptr);
  EXPECT_FALSE(Button("TntButton7")->isVisible());
  EXPECT_FALSE(Button("TntButton7")->isEnabled());
  const TMMAItemData item = ItemWith({RawBlock({{0x1E, {0x41, 0x42, 0x43}}, {0x33, {}}})});
  Open(&item);
  EXPECT_TRUE(Button("TntButton7")->isVisible());
  EXPECT_TRUE(Button("TntButton7")->isEnabled());
  QString seen;
  modals.actions["TForm2"] = [&](QDialog& shown) {
    auto* grid = Child<QTableWidget>(shown, "StringGrid1");
    seen = grid->item(1, 1)->text() + grid->item(1, 19)->text() + Child<QLineEdit>(shown, "Edit1")->text();
    Click(Child<QPushButton>(shown, "Button1"));
  };
  Click(Button("TntButton7"));
  EXPECT_EQ(modals.openings["TForm2"], 1);
  EXPECT_EQ(seen, "41A1E");
  EXPECT_EQ(viewer.ViewEntryCount, 2);
  EXPECT_EQ(Stored(), item);
}

TEST_F(ItemSettingsDialogTest, NameEditorShowsTheNamesAndOkStoresThem) {
  const TMMAItemData item = ItemWith({NamesBlock(kTagMenuName, {{35, u"Телефон"}, {5, u"电话"}})});
  Open(&item);
  std::vector<std::string> shown;
  modals.actions["TForm1"] = [&](QDialog& editor) {
    auto* list = Child<QTreeWidget>(editor, "TntListView1");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      shown.push_back((list->topLevelItem(i)->text(0) + " " + list->topLevelItem(i)->text(1) + " " +
                       list->topLevelItem(i)->text(2))
                          .toStdString());
    Click(Child<QPushButton>(editor, "TntButton4"));
    Pick(Child<QComboBox>(editor, "TntComboBox1"), 6);
    TypeInto(Child<QLineEdit>(editor, "TntEdit1"), "Telefon");
    Click(Child<QPushButton>(editor, "TntButton7"));
    Click(Child<QPushButton>(editor, "TntButton1"));
  };
  Click(Button("TntButton5"));
  EXPECT_EQ(shown, (std::vector<std::string>{"#1 23 Телефон", "#2 05 电话"}));
  const TMMAItemData stored = Stored();
  ASSERT_EQ(stored.blocks.size(), 1u);
  ASSERT_EQ(stored.blocks[0].names.size(), 3u);
  EXPECT_EQ(stored.blocks[0].names[2], (TMMANameEntry{7, u"Telefon"}));
  EXPECT_EQ(stored.blocks[0].names[0], (TMMANameEntry{35, u"Телефон"}));
}

TEST_F(ItemSettingsDialogTest, CancelOrAnEmptiedListLeavesTheNames) {
  const TMMAItemData item = ItemWith({NamesBlock(kTagSoftkeyName, {{1, u"Menu"}, {25, u"メニュー"}})});
  Open(&item);
  const TMMAItemData before = Stored();
  modals.actions["TForm1"] = [&](QDialog& editor) {
    Click(Child<QPushButton>(editor, "TntButton4"));
    Pick(Child<QComboBox>(editor, "TntComboBox1"), 2);
    TypeInto(Child<QLineEdit>(editor, "TntEdit1"), "Lost");
    Click(Child<QPushButton>(editor, "TntButton7"));
    Click(Child<QPushButton>(editor, "TntButton2"));
  };
  Click(Button("TntButton6"));
  EXPECT_EQ(Stored(), before);
  modals.actions["TForm1"] = [&](QDialog& editor) {
    auto* list = Child<QTreeWidget>(editor, "TntListView1");
    while (list->topLevelItemCount() > 0) {
      list->setCurrentItem(list->topLevelItem(0));
      Click(Child<QPushButton>(editor, "TntButton6"));
    }
    Click(Child<QPushButton>(editor, "TntButton1"));
  };
  Click(Button("TntButton6"));
  EXPECT_EQ(modals.openings["TForm1"], 2);
  EXPECT_EQ(Stored(), before);
}

TEST_F(ItemSettingsDialogTest, NamesForAnItemWithoutNameBlock) {
  Open(nullptr, 0, 0x18);
  modals.actions["TForm1"] = [&](QDialog& editor) {
    EXPECT_EQ(Child<QTreeWidget>(editor, "TntListView1")->topLevelItemCount(), 0);
    Click(Child<QPushButton>(editor, "TntButton4"));
    Pick(Child<QComboBox>(editor, "TntComboBox1"), 0);
    TypeInto(Child<QLineEdit>(editor, "TntEdit1"), "Games");
    Click(Child<QPushButton>(editor, "TntButton7"));
    Click(Child<QPushButton>(editor, "TntButton1"));
  };
  Click(Button("TntButton6"));
  const TMMAItemData stored = Stored();
  ASSERT_EQ(TagsOf(stored), std::vector<std::uint8_t>{kTagSoftkeyName});
  EXPECT_EQ(stored.blocks[0].names.at(0), (TMMANameEntry{1, u"Games"}));
  EXPECT_EQ(dialog.Editor().StoreItem().flags, 0x18);  // a custom item keeps its flags
}

TEST_F(ItemSettingsDialogTest, FullItemRefusesNewNamesBeforeTheEditorOpens) {
  // Eleven blocks, none of them a name block: a name block has no room left.
  const TMMAItemData item = ItemWith(
      {PathBlock(kIconKindAnimated, u"/a/1.gif"), PathBlock(kIconKindStatic, u"/a/2.gif"),
       PathBlock(kIconKindList, u"/a/3.gif"), DrmBlock(kTagIconDrmAnimated, 0x12, 1),
       DrmBlock(kTagIconDrmStatic, 0x12, 2), DrmBlock(kTagIconDrmList, 0x12, 3),
       TextBlock(kTagUrl, "http://u/"), TextBlock(kTagMidletApp, "App"), TextBlock(kTagMidletName, "Name"),
       TextBlock(kTagMidletVendor, "Vendor"), RawBlock({{0x30, {1, 2}}})});
  Open(&item);
  Click(Button("TntButton5"));
  EXPECT_EQ(modals.openings["TForm1"], 0);
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(messages.requests[0].icon, QMessageBox::Critical);
  EXPECT_FALSE(messages.requests[0].text.isEmpty());
  EXPECT_EQ(Stored().blocks.size(), 11u);
}

TEST_F(ItemSettingsDialogTest, LoadItemFillsTheCustomTypeDialog) {
  const TMMAItemData item = ItemWith({TextBlock(kTagUrl, "http://wap.example.com/")});
  Open(&item, 3);
  EXPECT_EQ(Child<QComboBox>(customType, "ComboBox1")->currentIndex(), 0);
  EXPECT_TRUE(Child<QLineEdit>(customType, "Edit1")->isEnabled());
  EXPECT_EQ(Child<QLineEdit>(customType, "Edit1")->text(), "http://wap.example.com/");
  Open(nullptr);
  EXPECT_EQ(Child<QLineEdit>(customType, "Edit1")->text(), "");
  EXPECT_EQ(Child<QComboBox>(customType, "ComboBox1")->currentIndex(), 0);
}

TEST_F(ItemSettingsDialogTest, MoreAppliesTheChosenCustomType) {
  const TMMAItemData item = ItemWith({TextBlock(kTagUrl, "http://old/")});
  Open(&item, 3, 0x18, 0x60);
  messages.answers = {QMessageBox::Yes};
  modals.actions["TOKRightDlg1"] = [&](QDialog& shown) {
    Pick(Child<QComboBox>(shown, "ComboBox1"), 1);
    TypeInto(Child<QLineEdit>(shown, "Edit2"), "Opera Mini");
    TypeInto(Child<QLineEdit>(shown, "Edit3"), "Opera");
    TypeInto(Child<QLineEdit>(shown, "Edit4"), "Opera Software");
    Click(Child<QPushButton>(shown, "OKBtn"));
  };
  Click(Button("TntButton1"));
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_TRUE(messages.requests[0].text.endsWith("Remove URL first\r\nShould we remove it now?"));
  const TMMAItemData stored = Stored();
  EXPECT_EQ(TagsOf(stored), (std::vector<std::uint8_t>{kTagMidletApp, kTagMidletName, kTagMidletVendor}));
  EXPECT_EQ(stored.blocks[0].text, "Opera Mini");
  EXPECT_EQ(stored.blocks[2].text, "Opera Software");
  EXPECT_EQ(dialog.Editor().StoreItem().kind, 6);
}

TEST_F(ItemSettingsDialogTest, NoThenOkWithEmptyApplicationNameRemovesTheType) {
  const TMMAItemData item = ItemWith({TextBlock(kTagUrl, "http://old/")});
  Open(&item, 3);
  messages.answers = {QMessageBox::No};
  modals.actions["TOKRightDlg1"] = [&](QDialog& shown) {
    Pick(Child<QComboBox>(shown, "ComboBox1"), 1);
    Click(Child<QPushButton>(shown, "OKBtn"));
  };
  Click(Button("TntButton1"));
  EXPECT_FALSE(dialog.Editor().HasBlocks());
  EXPECT_EQ(dialog.Editor().StoreItem().kind, 0);
}

TEST_F(ItemSettingsDialogTest, CancelInMoreChangesNothing) {
  const TMMAItemData item = ItemWith({TextBlock(kTagUrl, "http://old/")});
  Open(&item, 3);
  modals.actions["TOKRightDlg1"] = [&](QDialog& shown) {
    TypeInto(Child<QLineEdit>(shown, "Edit1"), "http://new/");
    Click(Child<QPushButton>(shown, "CancelBtn"));
  };
  Click(Button("TntButton1"));
  EXPECT_EQ(Stored().blocks.at(0).text, "http://old/");
}

TEST_F(ItemSettingsDialogTest, OkEnterEscapeAndEditItem) {
  Open(nullptr);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  Open(nullptr);
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const TMMAItemData item = ItemWith({PathBlock(kIconKindList, u"/a/x.gif")});
  modals.actions["TOKRightDlg"] = [&](QDialog& shown) {
    TypeInto(Child<QLineEdit>(shown, "TntEdit3"), "12");
    Click(Child<QPushButton>(shown, "TntButton4"));
    Click(Child<QPushButton>(shown, "OKButton"));
  };
  EXPECT_TRUE(dialog.EditItem(&item, 0, 0, 0x41, /*softkey=*/true));
  EXPECT_EQ(TagsOf(Stored()), (std::vector<std::uint8_t>{kTagIconPath, kTagIconDrmList}));
  modals.actions["TOKRightDlg"] = [&](QDialog& shown) { Click(Child<QPushButton>(shown, "CanclButton")); };
  EXPECT_FALSE(dialog.EditItem(&item, 0, 0, 0x41, false));
}

}  // namespace
}  // namespace quillet::test

namespace quillet::test {
namespace {

// OK and Enter keep what is typed but not applied, in the name editor and in the icon
// rows; the keys are real key presses in the edits.
TEST_F(ItemSettingsDialogTest, EnterKeepsTypedButUnappliedNameAndIconText) {
  constexpr int kSpanish = 9;
  Open(nullptr);
  modals.actions["TForm1"] = [&](QDialog& editor) {
    Click(Child<QPushButton>(editor, "TntButton4"));
    Pick(Child<QComboBox>(editor, "TntComboBox1"), kSpanish);
    auto* name = Child<QLineEdit>(editor, "TntEdit1");
    TypeInto(name, "Juegos");
    QTest::keyClick(name, Qt::Key_Return);  // no Apply first
    EXPECT_EQ(editor.result(), QDialog::Accepted);
  };
  Click(Button("TntButton5"));
  auto* circle = Child<ui::ColourCircle>(dialog, "Shape2");
  EXPECT_TRUE(circle->toolTip().startsWith("No icon")) << circle->toolTip().toStdString();
  TypeInto(Edit("TntEdit2"), "/a/games.gif");
  QTest::keyClick(Edit("TntEdit2"), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(messages.requests.empty());

  const TMMAItemData stored = Stored();
  ASSERT_FALSE(stored.blocks.empty());
  EXPECT_EQ(stored.blocks[0].names.at(0), (TMMANameEntry{10, u"Juegos"}));
  EXPECT_EQ(dialog.Editor().Icon(IconRow::Static).source, IconSource::Path);
  EXPECT_EQ(dialog.Editor().Icon(IconRow::Static).text, u"/a/games.gif");
  EXPECT_EQ(Circle("Shape2"), kRed);
  EXPECT_TRUE(circle->toolTip().contains("file path"));
  EXPECT_TRUE(circle->toolTip().contains("Yellow: an index to DRM"));
}

TEST_F(ItemSettingsDialogTest, RefusedTypedTextStopsOkWithTheDialogsOwnMessage) {
  Open(nullptr);
  modals.actions["TForm1"] = [&](QDialog& editor) {
    Click(Child<QPushButton>(editor, "TntButton4"));
    Pick(Child<QComboBox>(editor, "TntComboBox1"), 0);
    auto* name = Child<QLineEdit>(editor, "TntEdit1");
    TypeInto(name, QString(100, QLatin1Char('x')));
    Click(Child<QPushButton>(editor, "TntButton1"));
    EXPECT_TRUE(editor.isVisible());
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].title, "Wrong data");
    EXPECT_EQ(name->text().size(), 100);  // still there to be shortened
    TypeInto(name, "Short");
    Click(Child<QPushButton>(editor, "TntButton1"));
    EXPECT_FALSE(editor.isVisible());
  };
  Click(Button("TntButton5"));
  EXPECT_EQ(Stored().blocks.at(0).names.at(0), (TMMANameEntry{1, u"Short"}));

  TypeInto(Edit("TntEdit1"), "0x10");
  Click(Button("OKButton"));
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(messages.requests.size(), 2u);
  EXPECT_EQ(messages.requests[1].text, "Type in a path or a number!");
  Click(Button("OKButton"));  // the refused text is not dropped by a second OK
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(messages.requests.size(), 3u);
  TypeInto(Edit("TntEdit1"), "7");
  Click(Button("OKButton"));
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.Editor().Icon(IconRow::Animated).source, IconSource::Index);
  EXPECT_EQ(Circle("Shape1"), kYellow);
}

}  // namespace
}  // namespace quillet::test
