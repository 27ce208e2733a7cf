// "Choose Java application..." in the custom item type dialog: the three MIDlet texts
// filled from a .jar or .jad picked through the file seam, the type question when the
// item held a URL, the MIDlet chooser of a suite with several, and damaged files refused.
#include <QListWidget>

#include "custom_type_dialog.h"
#include "dialog_driver.h"
#include "java_archive.h"
#include "temp_folder.h"

namespace quillet::test {
namespace {

const char* const kRemoveUrl =
    "Custom item cannot have both URL and a midlet attached\r\nRemove URL first\r\n"
    "Should we remove it now?";

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

class JavaApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.setFileChooser([this](QWidget* owner, ui::FileDialogKind kind) {
      EXPECT_EQ(owner, &dialog);
      EXPECT_EQ(kind, ui::FileDialogKind::OpenJavaApplication);
      ++chooserOpenings;
      return chosenFile;
    });
    dialog.show();
    selector = Child<QComboBox>(dialog, "ComboBox1");
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4"}) edits.push_back(Child<QLineEdit>(dialog, name));
  }
  void Choose(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(folder.path() / name, bytes);
    chosenFile = QString::fromStdString(folder.file(name));
    Click(Child<QPushButton>(dialog, "ChooseJavaApplicationButton"));
  }
  std::vector<QString> TextsShown() const {
    std::vector<QString> texts;
    for (const QLineEdit* edit : edits) texts.push_back(edit->text());
    return texts;
  }
  std::vector<bool> Enabled() const {
    std::vector<bool> states;
    for (const QLineEdit* edit : edits) states.push_back(edit->isEnabled());
    return states;
  }
  void ShowUrl() {
    CustomTypeView view;
    view.hasUrl = true;
    view.selection = kCustomTypeUrl;
    view.texts.url = "http://wap.example.com/";
    dialog.ShowItemType(view);
  }

  TempFolder folder;
  MessageRecorder messages;
  ModalScript modals;
  ui::TOKRightDlg1 dialog;
  QString chosenFile;
  int chooserOpenings = 0;
  QComboBox* selector = nullptr;
  std::vector<QLineEdit*> edits;
};

TEST_F(JavaApplicationTest, AJarOverAUrlAsksThenFillsTheMidletTexts) {
  ShowUrl();
  messages.answers = {QMessageBox::Yes};
  Choose("snake.jar", BuildArchive({{"META-INF/MANIFEST.MF", kManifest}}));
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(messages.requests[0].text, kRemoveUrl);
  EXPECT_EQ(selector->currentIndex(), kCustomTypeApplication);
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(TextsShown(), (std::vector<QString>{"", QString::fromUtf8("Caf\xC3\xA9 Snake"), "Snake", "Example Games"}));
  // OK hands over the texts as the menu stores them: one Latin-1 byte per character.
  Click(Child<QPushButton>(dialog, "OKBtn"));
  EXPECT_EQ(dialog.Selection(), kCustomTypeApplication);
  EXPECT_EQ(dialog.Texts(), (CustomTypeTexts{"", "Caf\xE9 Snake", "Snake", "Example Games"}));
}

TEST_F(JavaApplicationTest, NoToTheQuestionKeepsTheUrlAndFillsNothing) {
  ShowUrl();
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
  ShowUrl();
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
