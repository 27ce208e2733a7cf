// The custom item type dialog: the type selector, its two conflict questions, the states
// of the four edits, and "Choose Java application..." (the MIDlet texts filled from a .jar
// or .jad, the MIDlet chooser of a suite with several, damaged files refused).
#include "custom_type_dialog.h"

#include <QListWidget>
#include <QScreen>
#include <QToolTip>

#include "dialog_driver.h"
#include "java_archive.h"
#include "temp_folder.h"

namespace quillet::test {
namespace {

const char* const kRemoveMidlet =
    "Custom item cannot have both URL and a midlet attached\r\nRemove midlet reference first\r\n"
    "Should we remove it now?";
const char* const kRemoveUrl =
    "Custom item cannot have both URL and a midlet attached\r\nRemove URL first\r\n"
    "Should we remove it now?";

CustomTypeView UrlItem(const std::string& url) {
  CustomTypeView view;
  view.hasUrl = true;
  view.selection = kCustomTypeUrl;
  view.texts.url = url;
  return view;
}

CustomTypeView MidletItem(const std::string& app, const std::string& name, const std::string& vendor) {
  CustomTypeView view;
  view.hasMidlet = true;
  view.selection = kCustomTypeApplication;
  view.texts = {"", app, name, vendor};
  return view;
}

class CustomTypeDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.setPrompter(prompts);
    dialog.show();
    selector = Child<QComboBox>(dialog, "ComboBox1");
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4"})
      edits.push_back(Child<QLineEdit>(dialog, name));
  }
  std::vector<bool> Enabled() const {
    std::vector<bool> states;
    for (const QLineEdit* edit : edits) states.push_back(edit->isEnabled());
    return states;
  }
  std::vector<QString> TextsShown() const {
    std::vector<QString> texts;
    for (const QLineEdit* edit : edits) texts.push_back(edit->text());
    return texts;
  }
  void ExpectQuestion(const char* text) {
    ASSERT_EQ(messages.requests.size(), 1u);
    const ui::MessageRequest& request = messages.requests.front();
    EXPECT_EQ(request.text, text);
    EXPECT_EQ(request.title, "Warning");
    EXPECT_EQ(request.icon, QMessageBox::Critical);
    EXPECT_EQ(request.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(request.owner, &dialog);
  }

  TestPrompter prompts;
  MessageRecorder& messages = prompts.messages;
  ui::TOKRightDlg1 dialog;
  QComboBox* selector = nullptr;
  std::vector<QLineEdit*> edits;
};

TEST_F(CustomTypeDialogTest, StartsWithPlaceholderAndDisabledEdits) {
  EXPECT_EQ(dialog.windowTitle(), "Dialog");
  EXPECT_EQ(selector->currentIndex(), -1);
  EXPECT_EQ(selector->placeholderText(), "Select custom item type");
  ASSERT_EQ(selector->count(), 2);
  EXPECT_EQ(selector->itemText(0), "URL link");
  EXPECT_EQ(selector->itemText(1), "Application start");
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, false, false}));
  EXPECT_TRUE(Child<QPushButton>(dialog, "OKBtn")->isDefault());
  EXPECT_EQ(dialog.Selection(), -1);
}

TEST_F(CustomTypeDialogTest, ApplicationStartOverAUrlAsksAndClearsOnYes) {
  dialog.ShowItemType(UrlItem("http://wap.example.com/"));
  messages.answers = {QMessageBox::Yes};
  Pick(selector, 1);
  ExpectQuestion(kRemoveUrl);
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(edits[0]->text(), "");
}

TEST_F(CustomTypeDialogTest, NoKeepsTextsAndStatesButThePickStays) {
  dialog.ShowItemType(UrlItem("http://wap.example.com/"));
  messages.answers = {QMessageBox::No};
  Pick(selector, 1);
  ExpectQuestion(kRemoveUrl);
  EXPECT_EQ(selector->currentIndex(), 1);
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(edits[0]->text(), "http://wap.example.com/");
  // OK hands over the picked type with the texts as they stand.
  Click(Child<QPushButton>(dialog, "OKBtn"));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Selection(), kCustomTypeApplication);
  EXPECT_EQ(dialog.Texts(), (CustomTypeTexts{"http://wap.example.com/", "", "", ""}));
}

TEST_F(CustomTypeDialogTest, UrlLinkOverAMidletAsksAndClearsOnYes) {
  dialog.ShowItemType(MidletItem("Opera Mini", "Opera", "Opera Software"));
  messages.answers = {QMessageBox::Yes};
  Pick(selector, 0);
  ExpectQuestion(kRemoveMidlet);
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(TextsShown(), (std::vector<QString>{"", "", "", ""}));
}

TEST_F(CustomTypeDialogTest, UrlLinkOverAMidletOnNoChangesNothing) {
  dialog.ShowItemType(MidletItem("Opera Mini", "Opera", "Opera Software"));
  messages.answers = {QMessageBox::No};
  Pick(selector, 0);
  ExpectQuestion(kRemoveMidlet);
  EXPECT_EQ(selector->currentIndex(), 0);
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(TextsShown(), (std::vector<QString>{"", "Opera Mini", "Opera", "Opera Software"}));
}

TEST_F(CustomTypeDialogTest, OnlyTheApplicationNameCountsAsMidletData) {
  dialog.ShowItemType(MidletItem("", "Orphan name", "Orphan vendor"));
  Pick(selector, 0);
  EXPECT_TRUE(messages.requests.empty());
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(TextsShown(), (std::vector<QString>{"", "", "", ""}));
  // Back to a MIDlet with an empty URL: no question either.
  Pick(selector, 1);
  EXPECT_TRUE(messages.requests.empty());
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, true, true, true}));
}

TEST_F(CustomTypeDialogTest, ItemWithoutTypeKeepsSelectionAndEditsButNotTexts) {
  dialog.ShowItemType(MidletItem("App", "Name", "Vendor"));
  dialog.ShowItemType(CustomTypeView{});
  EXPECT_EQ(selector->currentIndex(), 1);
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(TextsShown(), (std::vector<QString>{"", "", "", ""}));
}

TEST_F(CustomTypeDialogTest, UrlItemAfterMidletItemLeavesMidletEditsEnabledAndEmpty) {
  dialog.ShowItemType(MidletItem("App", "Name", "Vendor"));
  dialog.ShowItemType(UrlItem("http://a.b/"));
  EXPECT_EQ(selector->currentIndex(), 0);
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(TextsShown(), (std::vector<QString>{"http://a.b/", "", "", ""}));
}

TEST_F(CustomTypeDialogTest, EditsTakeOnlyByteTextsThatFitAndSayWhyAKeyIsRefused) {
  Pick(selector, 0);
  EXPECT_TRUE(edits[0]->toolTip().contains("Latin-1"));
  TypeInto(edits[0], QString("http://x/") + QChar(0x0416));
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), edits[0]->toolTip());
  TypeInto(edits[0], QString("http://x/") + QChar(0x00E9));
  EXPECT_EQ(dialog.Texts().url, "http://x/\xE9");
  edits[0]->setText(QString(300, 'a'));
  EXPECT_EQ(edits[0]->text().size(), 255);
}

TEST_F(CustomTypeDialogTest, ALongerTextFromTheFileIsShownWhole) {
  const std::string url(301, 'u');
  dialog.ShowItemType(UrlItem(url));
  EXPECT_EQ(dialog.Texts().url, url);
  dialog.ShowItemType(UrlItem("short"));
  edits[0]->setText(QString(300, 'a'));
  EXPECT_EQ(edits[0]->text().size(), 255);
}

TEST_F(CustomTypeDialogTest, OpensAtTheCentreOfTheScreen) {
  QWidget owner;
  owner.setGeometry(10, 10, 200, 150);
  owner.show();
  ui::TOKRightDlg1 owned(&owner);
  owned.show();
  EXPECT_EQ(owned.frameGeometry().center(), owned.screen()->availableGeometry().center());
}

TEST_F(CustomTypeDialogTest, CancelAndEscapeCloseWithCancel) {
  Click(Child<QPushButton>(dialog, "CancelBtn"));
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  dialog.show();
  dialog.setResult(QDialog::Accepted);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());
}

const std::string kManifest =
    "Manifest-Version: 1.0\r\n"
    "MIDlet-Name: Caf\xC3\xA9 Snake\r\n"
    "MIDlet-Vendor: Example Games\r\n"
    "MIDlet-1: Snake, /snake.png, com.example.Snake\r\n";

const std::string kThreeMidlets =
    "MIDlet-Name: Board Games\n"
    "MIDlet-Vendor: Tabletop\n"
    "MIDlet-1: Chess, , games.Chess\n"
    "MIDlet-2: Draughts, , games.Draughts\n"
    "MIDlet-3: Go, /go.png, games.Go\n";

// "Choose Java application...": the file comes through the file seam.
class JavaApplicationTest : public CustomTypeDialogTest {
 protected:
  void SetUp() override {
    CustomTypeDialogTest::SetUp();
    dialog.setFileChooser([this](QWidget* owner, ui::FileDialogKind kind, const QString&) {
      EXPECT_EQ(owner, &dialog);
      EXPECT_EQ(kind, ui::FileDialogKind::OpenJavaApplication);
      ++chooserOpenings;
      return chosenFile;
    });
  }
  void Choose(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(folder.path() / name, bytes);
    chosenFile = QString::fromStdString(folder.file(name));
    Click(Child<QPushButton>(dialog, "ChooseJavaApplicationButton"));
  }

  TempFolder folder;
  ModalScript& modals = prompts.modals;
  QString chosenFile;
  int chooserOpenings = 0;
};

TEST_F(JavaApplicationTest, AJarOverAUrlAsksThenFillsTheMidletTexts) {
  dialog.ShowItemType(UrlItem("http://wap.example.com/"));
  messages.answers = {QMessageBox::Yes};
  Choose("snake.jar", BuildArchive({{"META-INF/MANIFEST.MF", kManifest}}));
  ExpectQuestion(kRemoveUrl);
  EXPECT_EQ(selector->currentIndex(), kCustomTypeApplication);
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(TextsShown(),
            (std::vector<QString>{"", QString::fromUtf8("Caf\xC3\xA9 Snake"), "Snake", "Example Games"}));
  // OK hands over the texts as the menu stores them: one Latin-1 byte per character.
  Click(Child<QPushButton>(dialog, "OKBtn"));
  EXPECT_EQ(dialog.Selection(), kCustomTypeApplication);
  EXPECT_EQ(dialog.Texts(), (CustomTypeTexts{"", "Caf\xE9 Snake", "Snake", "Example Games"}));
}

TEST_F(JavaApplicationTest, NoToTheQuestionKeepsTheUrlAndFillsNothing) {
  dialog.ShowItemType(UrlItem("http://wap.example.com/"));
  messages.answers = {QMessageBox::No};
  Choose("snake.jar", BuildArchive({{"META-INF/MANIFEST.MF", kManifest}}));
  EXPECT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(selector->currentIndex(), kCustomTypeUrl);
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(TextsShown(), (std::vector<QString>{"http://wap.example.com/", "", "", ""}));
}

TEST_F(JavaApplicationTest, ASuiteOfSeveralMidletsLetsTheUserPickOne) {
  QStringList listed;
  bool cancel = true;
  modals.actions["MidletChooserDialog"] = [&](QDialog& chooser) {
    auto* list = Child<QListWidget>(chooser, "MidletList");
    ASSERT_NE(list, nullptr);
    listed.clear();
    for (int row = 0; row < list->count(); ++row) listed << list->item(row)->text();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    Click(Child<QPushButton>(chooser, cancel ? "CancelBtn" : "OKBtn"));
  };
  // Cancel in the chooser leaves the dialog as it was.
  Choose("board.jad", TextBytes(kThreeMidlets));
  EXPECT_EQ(modals.openings["MidletChooserDialog"], 1);
  EXPECT_EQ(listed, (QStringList{"Chess  (games.Chess)", "Draughts  (games.Draughts)", "Go  (games.Go)"}));
  EXPECT_EQ(selector->currentIndex(), -1);
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, false, false}));

  cancel = false;
  Click(Child<QPushButton>(dialog, "ChooseJavaApplicationButton"));
  EXPECT_EQ(selector->currentIndex(), kCustomTypeApplication);
  EXPECT_EQ(TextsShown(), (std::vector<QString>{"", "Board Games", "Go", "Tabletop"}));
  EXPECT_TRUE(messages.requests.empty());  // no URL, so no question
}

TEST_F(JavaApplicationTest, ADamagedFileIsRefusedInABoxThatNamesIt) {
  std::vector<std::uint8_t> damaged = BuildArchive({{"META-INF/MANIFEST.MF", kManifest}});
  damaged.resize(damaged.size() - 30);
  dialog.ShowItemType(UrlItem("http://wap.example.com/"));
  Choose("damaged.jar", damaged);
  ASSERT_EQ(messages.requests.size(), 1u);
  const ui::MessageRequest& box = messages.requests[0];
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.owner, &dialog);
  EXPECT_TRUE(box.text.startsWith("Cannot read \"" + chosenFile + "\" as a Java application: "));
  EXPECT_TRUE(box.text.contains("not a readable Java archive")) << box.text.toStdString();
  EXPECT_EQ(selector->currentIndex(), kCustomTypeUrl);
  EXPECT_EQ(TextsShown(), (std::vector<QString>{"http://wap.example.com/", "", "", ""}));

  // Cancelling the file dialog does nothing at all.
  chosenFile.clear();
  Click(Child<QPushButton>(dialog, "ChooseJavaApplicationButton"));
  EXPECT_EQ(chooserOpenings, 2);
  EXPECT_EQ(messages.requests.size(), 1u);
}

}  // namespace
}  // namespace quillet::test
