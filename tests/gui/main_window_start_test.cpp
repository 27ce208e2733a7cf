// The main window right after start: geometry, controls, captions, hints, shortcuts,
// images and initial states; and the six windows of the start-up.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include "about_box.h"
#include "app_forms.h"
#include "blocks_viewer_dialog.h"
#include "catalogue.h"
#include "custom_type_dialog.h"
#include "item_settings_dialog.h"
#include "name_editor_dialog.h"
#include "phone_indicator.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

using StartTest = WindowTest;

TEST_F(StartTest, WindowHasItsCaptionFixedSizeAndDesignPosition) {
  EXPECT_EQ(window->windowTitle(), "Quillet v.0.1");
  EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(48, 48)));  // the application icon
  auto* client = window->centralWidget();
  EXPECT_EQ(client->size(), QSize(462, 468));
  EXPECT_EQ(window->width(), 462);
  EXPECT_EQ(window->minimumHeight(), window->maximumHeight());
  EXPECT_EQ(window->minimumWidth(), window->maximumWidth());
  EXPECT_EQ(window->height(), window->menuBar()->height() + 468);
  EXPECT_EQ(window->pos(), QPoint(197, 111));
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
}

TEST_F(StartTest, ControlsStandWhereTheDesignPutsThem) {
  struct Place {
    const char* name;
    QRect rect;  // a zero width or height is not checked (sized to the caption)
  };
  const std::vector<Place> places = {
      {"ToolBar1", {0, 0, 462, 30}},       {"TreeView1", {16, 40, 217, 365}},
      {"RadioGroup1", {256, 32, 193, 89}}, {"RadioButton1", {264, 48, 0, 0}},
      {"RadioButton2", {352, 48, 0, 0}},   {"CheckBox1", {264, 72, 0, 0}},
      {"CheckBox2", {264, 96, 0, 0}},      {"RadioGroup2", {256, 128, 193, 41}},
      {"Label1", {264, 176, 0, 0}},        {"ComboBox1", {256, 200, 193, 0}},
      {"TntMemo1", {256, 272, 193, 129}},  {"StatusBar1", {0, 431, 412, 19}},
      {"Shape1", {415, 432, 45, 17}},      {"StatusBar", {0, 449, 462, 19}}};
  for (const Place& place : places) {
    SCOPED_TRACE(place.name);
    auto* widget = find<QWidget>(place.name);
    ASSERT_NE(widget, nullptr);
    const QRect rect(widget->mapTo(window->centralWidget(), QPoint(0, 0)), widget->size());
    EXPECT_EQ(rect.topLeft(), place.rect.topLeft());
    if (place.rect.width() != 0) {
      EXPECT_EQ(rect.width(), place.rect.width());
    }
    if (place.rect.height() != 0) {
      EXPECT_EQ(rect.height(), place.rect.height());
    }
    // Nothing is cut off at the client area's edges.
    EXPECT_TRUE(QRect(0, 0, 462, 468).contains(rect));
  }
  EXPECT_LE(find<QStatusBar>("StatusBar1")->maximumWidth(), 412);
}

TEST_F(StartTest, CaptionedControlsShowTheirWholeCaption) {
  for (const char* name : {"RadioButton1", "RadioButton2", "CheckBox1", "CheckBox2", "Label1"}) {
    SCOPED_TRACE(name);
    auto* widget = find<QWidget>(name);
    EXPECT_GE(widget->width(), widget->sizeHint().width());
  }
  // The layout buttons and check boxes stay inside "MMA save mode".
  const QRect group = find<QGroupBox>("RadioGroup1")->geometry();
  for (const char* name : {"RadioButton1", "RadioButton2", "CheckBox1", "CheckBox2"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(group.contains(find<QWidget>(name)->geometry()));
  }
  // The two layout buttons do not overlap.
  EXPECT_FALSE(
      find<QWidget>("RadioButton1")->geometry().intersects(find<QWidget>("RadioButton2")->geometry()));
}

TEST_F(StartTest, SaveOptionsStartWith36ByteLayoutAnd0CDisabled) {
  EXPECT_EQ(find<QGroupBox>("RadioGroup1")->title(), "MMA save mode");
  EXPECT_EQ(find<QRadioButton>("RadioButton1")->text(), "22-byte");
  EXPECT_FALSE(find<QRadioButton>("RadioButton1")->isChecked());
  EXPECT_EQ(find<QRadioButton>("RadioButton2")->text(), "36-byte");
  EXPECT_TRUE(find<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_EQ(find<QCheckBox>("CheckBox1")->text(), "Save all data");
  EXPECT_FALSE(find<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_TRUE(find<QCheckBox>("CheckBox1")->isEnabled());
  EXPECT_EQ(find<QCheckBox>("CheckBox2")->text(), "c698p mma_ucp fix");
  EXPECT_FALSE(find<QCheckBox>("CheckBox2")->isChecked());
  EXPECT_FALSE(find<QCheckBox>("CheckBox2")->isEnabled());
  EXPECT_EQ(find<QGroupBox>("RadioGroup2")->title(), "Custom icon attribute");
  EXPECT_FALSE(find<QGroupBox>("RadioGroup2")->isEnabled());
  EXPECT_EQ(find<QRadioButton>("RadioGroup2Item0")->text(), "06");
  EXPECT_EQ(find<QRadioButton>("RadioGroup2Item1")->text(), "0C");
  EXPECT_TRUE(find<QRadioButton>("RadioGroup2Item1")->isChecked());
  // The two items stand side by side.
  EXPECT_EQ(find<QRadioButton>("RadioGroup2Item0")->y(), find<QRadioButton>("RadioGroup2Item1")->y());
  const SaveOptions options = window->saveOptions();
  EXPECT_EQ(options, (SaveOptions{RecordLayout::Bytes36, false, false, IconTag::Tag0C}));
}

TEST_F(StartTest, EmptyTreeNoPhoneAndHiddenSummary) {
  EXPECT_EQ(find<QTreeView>("TreeView1")->model()->rowCount(), 0);
  EXPECT_FALSE(window->document().isOpen());
  EXPECT_EQ(panel0(), "");
  EXPECT_EQ(find<QLabel>("StatusBar1Panel1")->text(), "Phone: None ");
  EXPECT_EQ(find<QLabel>("StatusBar1Panel1")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  auto* summaryPanel = find<QLabel>("StatusBar1Panel0");
  auto* phonePanel = find<QLabel>("StatusBar1Panel1");
  EXPECT_GE(summaryPanel->width(), 220);
  EXPECT_GE(phonePanel->width(), 100);
  // The longest document summary fits, and the phone panel ends at the bar's end.
  EXPECT_GT(summaryPanel->width(), summaryPanel->fontMetrics().horizontalAdvance(
                                       QStringLiteral("Format: 36-byte   Main menu entries: 245")));
  EXPECT_GE(phonePanel->geometry().right(), 412 - 8);
  EXPECT_FALSE(find<QStatusBar>("StatusBar1")->isSizeGripEnabled());
  EXPECT_EQ(find<PhoneIndicator>("Shape1")->brushColor(), QColor(Qt::red));
  EXPECT_EQ(find<QStatusBar>("StatusBar")->currentMessage(), "Save All");
  EXPECT_FALSE(memoVisible());
  EXPECT_EQ(memoText(), "Item summary:");
  EXPECT_TRUE(find<QPlainTextEdit>("TntMemo1")->isReadOnly());
  EXPECT_EQ(find<QPlainTextEdit>("TntMemo1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(window->StoredToPhone, 0);
}

TEST_F(StartTest, ChooserListsTheCatalogueInRowOrder) {
  auto* chooser = find<QComboBox>("ComboBox1");
  ASSERT_EQ(chooser->count(), kCatalogueRows);
  for (int row = 0; row < kCatalogueRows; ++row) {
    EXPECT_EQ(chooser->itemText(row).toStdString(), CatalogueNames[static_cast<std::size_t>(row)]);
  }
  EXPECT_EQ(chooser->itemText(62), "Multimedia");
  EXPECT_EQ(chooser->itemText(120), "Custom item");
  EXPECT_TRUE(chooser->isEditable());
  EXPECT_EQ(chooser->currentIndex(), -1);
  EXPECT_EQ(chooser->currentText(), "");
  EXPECT_EQ(chooser->maxVisibleItems(), 16);
  EXPECT_EQ(find<QLabel>("Label1")->text(), "Available mma items");
}

TEST_F(StartTest, TreeIsReadOnlyWithIndent19) {
  auto* tree = find<QTreeView>("TreeView1");
  EXPECT_EQ(tree->indentation(), 19);
  EXPECT_EQ(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(tree->palette().color(QPalette::Inactive, QPalette::Highlight),
            tree->palette().color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(tree->font().pixelSize(), 13);
  // Tahoma where it is installed, else a semi-condensed stand-in; CJK text has a face.
  const QStringList families = tree->font().families();
  EXPECT_TRUE(families.value(0) == "Tahoma" || tree->font().stretch() == QFont::SemiCondensed);
  EXPECT_TRUE(families.contains("Noto Sans CJK SC"));
  EXPECT_EQ(find<QLabel>("Label1")->font(), tree->font());
}

struct ActionRow {
  const char* name;
  const char* caption;
  const char* toolTip;
  const char* statusTip;
  const char* shortcut;
};

TEST_F(StartTest, ActionsCarryCaptionsHintsAndShortcutsAndAreEnabled) {
  const std::vector<ActionRow> rows = {
      {"FileNew1", "&New", "New", "Create a new file", "Ctrl+N"},
      {"FileOpen1", "&Open", "Open", "Open a file", "Ctrl+O"},
      {"FileOpenBackup", "Open &backup...", "Open backup", "Open a backup of a phone's menu", ""},
      {"FileSave1", "&Save", "Save", "Save current file", "Ctrl+S"},
      {"PhoneOpen", "Open from &phone", "Open from phone", "Read the menu file from the connected phone", ""},
      {"PhoneSave", "Save to p&hone", "Save to phone", "Write the menu to the connected phone and check it",
       ""},
      {"FileSaveAs1", "Save &As...", "Save As", "Save current file with different name", "Ctrl+Shift+S"},
      {"PhoneRestart", "&Restart Phone", "Restart Phone",
       "Restart the connected phone so that it reads the new menu", ""},
      {"FileExit1", "E&xit", "Exit", "Exit application", "Ctrl+Q"},
      {"HelpContents1", "Quillet &Help", "Help", "Open the user guide", "F1"},
      {"HelpAbout1", "&About...", "About", "Displays program information, version number, and copyright",
       ""}};
  for (const ActionRow& row : rows) {
    SCOPED_TRACE(row.name);
    QAction* found = action(row.name);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->parent()->objectName(), "ActionList1");
    EXPECT_EQ(found->text(), row.caption);
    if (row.toolTip != nullptr) {
      EXPECT_EQ(found->toolTip(), row.toolTip);
    }
    EXPECT_EQ(found->statusTip(), row.statusTip);
    EXPECT_EQ(found->shortcut().toString(), row.shortcut);
    EXPECT_TRUE(found->isEnabled());
    EXPECT_TRUE(window->actions().contains(found));
  }
}

TEST_F(StartTest, MenusHoldTheirEntriesInOrderWithStartStates) {
  QList<QAction*> top = window->menuBar()->actions();
  ASSERT_EQ(top.size(), 4);
  EXPECT_EQ(top[0]->text(), "&File");
  EXPECT_EQ(top[0]->statusTip(), "File related commands");
  EXPECT_EQ(top[1]->text(), "&Edit");
  EXPECT_EQ(top[2]->text(), "&View");
  EXPECT_EQ(top[3]->text(), "&Help");
  EXPECT_EQ(top[3]->statusTip(), "Help topics");
  QStringList viewEntries;
  for (QAction* entry : top[2]->menu()->actions()) viewEntries << entry->objectName();
  EXPECT_EQ(viewEntries, QStringList({"PhonePreviewItem", "PhoneFilesFolderItem"}));
  EXPECT_EQ(action("ViewPhonePreview")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
  QStringList fileEntries;
  for (QAction* entry : top[0]->menu()->actions())
    fileEntries << (entry->isSeparator() ? "-" : entry->objectName());
  EXPECT_EQ(fileEntries,
            QStringList({"FileNewItem", "FileOpenItem", "FileOpenBackupItem", "FileOpenRecentItem",
                         "FileSaveItem", "FileSaveAsItem", "Openfromphone1", "Savetophone1", "RestartPhone1",
                         "RestorePhoneMenu1", "-", "FileExitItem"}));
  // The guide, About, then the interface language's submenu.
  ASSERT_EQ(top[3]->menu()->actions().size(), 4);
  EXPECT_EQ(top[3]->menu()->actions()[0]->objectName(), "HelpContentsItem");
  EXPECT_EQ(top[3]->menu()->actions()[1]->objectName(), "HelpAboutItem");
  EXPECT_EQ(top[3]->menu()->actions()[3]->menu()->objectName(), "HelpLanguage");

  EXPECT_EQ(action("FileNewItem")->text(), "&New\tCtrl+N");
  EXPECT_EQ(action("FileSaveItem")->text(), "&Save\tCtrl+S");
  EXPECT_EQ(action("Openfromphone1")->text(), "Open from &phone");
  EXPECT_EQ(action("FileExitItem")->text(), "E&xit\tCtrl+Q");
  EXPECT_EQ(action("FileSaveAsItem")->text(), "Save &As...\tCtrl+Shift+S");
  EXPECT_EQ(action("HelpContentsItem")->text(), "Quillet &Help\tF1");
  EXPECT_EQ(action("HelpAboutItem")->text(), "&About...");
  EXPECT_EQ(action("FileOpenItem")->statusTip(), "Open a file");
  // Entries are objects of their own: disabling one leaves its action enabled.
  for (const char* name : {"FileNewItem", "FileOpenItem", "FileExitItem", "HelpAboutItem"}) {
    EXPECT_TRUE(action(name)->isEnabled()) << name;
  }
  for (const char* name : {"FileSaveItem", "FileSaveAsItem", "Openfromphone1", "Savetophone1",
                           "RestartPhone1", "RestorePhoneMenu1"}) {
    EXPECT_FALSE(action(name)->isEnabled()) << name;
  }
  EXPECT_NE(action("FileSaveItem"), action("FileSave1"));
  EXPECT_TRUE(action("FileSave1")->isEnabled());
}

TEST_F(StartTest, ToolBarHoldsItsButtonsInOrderWithStartStates) {
  auto* bar = find<QToolBar>("ToolBar1");
  QStringList order;
  for (QAction* item : bar->actions()) {
    order << (item->isSeparator() ? QStringLiteral("-") : bar->widgetForAction(item)->objectName());
  }
  EXPECT_EQ(order, QStringList({"ToolButton9", "ToolButton1", "ToolButton2", "-", "ToolButton4",
                                "ToolButton5", "-", "ToolButton7"}));
  for (const char* name : {"ToolButton9", "ToolButton1"})
    EXPECT_TRUE(find<QToolButton>(name)->isEnabled()) << name;
  for (const char* name : {"ToolButton2", "ToolButton4", "ToolButton5", "ToolButton7"}) {
    EXPECT_FALSE(find<QToolButton>(name)->isEnabled()) << name;
  }
  EXPECT_EQ(find<QToolButton>("ToolButton9")->toolTip(), "New");
  EXPECT_EQ(find<QToolButton>("ToolButton9")->statusTip(), "Create a new file");
  EXPECT_EQ(find<QToolButton>("ToolButton2")->toolTip(), "Save");
  for (const char* name :
       {"ToolButton9", "ToolButton1", "ToolButton2", "ToolButton4", "ToolButton5", "ToolButton7"}) {
    EXPECT_FALSE(find<QToolButton>(name)->icon().isNull()) << name;
    // Every button says what it does, from its command's hint.
    EXPECT_FALSE(find<QToolButton>(name)->toolTip().isEmpty()) << name;
  }
  EXPECT_EQ(find<QToolButton>("ToolButton4")->toolTip(), "Open from phone");
  EXPECT_EQ(find<QToolButton>("ToolButton7")->statusTip(),
            "Restart the connected phone so that it reads the new menu");
}

TEST_F(StartTest, SixteenImagesOf16By16AreCompiledIn) {
  const QStringList files = QDir(QStringLiteral(":/images")).entryList();
  ASSERT_EQ(files.size(), 16);
  for (const QString& file : files) {
    const QImage image(QStringLiteral(":/images/") + file);
    EXPECT_EQ(image.size(), QSize(16, 16)) << file.toStdString();
  }
  // Each command shows its own picture.
  EXPECT_NE(action("FileNew1")->icon().pixmap(16).toImage(),
            action("FileOpen1")->icon().pixmap(16).toImage());
  EXPECT_NE(action("PhoneOpen")->icon().pixmap(16).toImage(),
            action("PhoneSave")->icon().pixmap(16).toImage());
}

TEST_F(StartTest, HintOfTheControlUnderTheMouseGoesToTheHintLine) {
  QStatusTipEvent tip(QStringLiteral("Create a new file"));
  QApplication::sendEvent(find<QToolButton>("ToolButton9"), &tip);
  EXPECT_EQ(find<QStatusBar>("StatusBar")->currentMessage(), "Create a new file");
}

TEST_F(StartTest, F1OpensTheShippedUserGuideInOneWindow) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_F1);
  auto* guide = find<QTextBrowser>("HelpText");
  ASSERT_NE(guide, nullptr);
  EXPECT_TRUE(guide->window()->isVisible());
  EXPECT_EQ(guide->window()->windowTitle(), "Quillet Help");
  EXPECT_TRUE(guide->toPlainText().contains("Save As...")) << guide->toPlainText().left(200).toStdString();
  action("HelpContentsItem")->trigger();
  EXPECT_EQ(window->findChildren<QTextBrowser*>().size(), 1);
}

TEST(StartUp, CreatesTheSixWindowsOnceWithTheMainWindowFirst) {
  ApplicationForms forms = CreateForms();
  ASSERT_NE(forms.SDIAppForm, nullptr);
  QWidget* main = forms.SDIAppForm.get();
  const std::vector<QWidget*> dialogs = {forms.AboutBox, forms.OKRightDlg, forms.OKRightDlg1, forms.Form1,
                                         forms.Form2};
  for (QWidget* dialog : dialogs) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->parentWidget(), main);
    EXPECT_FALSE(dialog->isVisible());
  }
  // Children are kept in creation order: the dialogs follow the design's start-up order.
  std::vector<QWidget*> created;
  for (QObject* child : main->children()) {
    if (auto* dialog = qobject_cast<QDialog*>(child)) created.push_back(dialog);
  }
  EXPECT_EQ(created, dialogs);
  EXPECT_NE(dynamic_cast<TAboutBox*>(forms.AboutBox), nullptr);
  EXPECT_NE(dynamic_cast<TOKRightDlg*>(forms.OKRightDlg), nullptr);
  EXPECT_NE(dynamic_cast<TOKRightDlg1*>(forms.OKRightDlg1), nullptr);
  EXPECT_NE(dynamic_cast<TForm1*>(forms.Form1), nullptr);
  EXPECT_NE(dynamic_cast<TForm2*>(forms.Form2), nullptr);
}

TEST(StartUp, AboutShowsTheProductAndVersionAndClosesWithOk) {
  ApplicationForms forms = CreateForms();
  forms.SDIAppForm->show();
  TAboutBox* about = forms.AboutBox;
  EXPECT_EQ(about->windowTitle(), "About");
  EXPECT_EQ(about->size(), QSize(453, 350));
  auto* name = about->findChild<QLabel*>(QStringLiteral("ProductName"));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text(), "Quillet");
  EXPECT_TRUE(name->font().bold());
  EXPECT_EQ(name->font().pixelSize(), 26);
  EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(Qt::red));
  auto* version = about->findChild<QLabel*>(QStringLiteral("Version"));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->text(), "Version 0.1");
  EXPECT_EQ(version->font().pixelSize(), 22);
  auto* ok = about->findChild<QPushButton*>(QStringLiteral("OKButton"));
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->isDefault());

  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    wasModal = about->isVisible() && about->isModal();
    ok->click();
  });
  forms.SDIAppForm->findChild<QAction*>(QStringLiteral("HelpAbout1"))->trigger();
  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(about->isVisible());
  EXPECT_EQ(about->result(), QDialog::Accepted);
}

}  // namespace
}  // namespace quillet::ui::testing
