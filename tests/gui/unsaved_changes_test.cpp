// Unsaved changes: the title's modified mark, and the Save / Discard / Cancel question
// before New, Open, Open from phone and Exit set the document aside.
#include "no_phone.h"
#include "shipped_samples.h"
#include "tree_editing_fixture.h"

namespace quillet::ui::testing {
namespace {

const QString kQuestionStart = QStringLiteral("The menu \"");

class UnsavedChanges : public TreeEditingTest {
 protected:
  int questionsAsked() const {
    int asked = 0;
    for (const MessageRequest& request : messages) asked += request.text.startsWith(kQuestionStart) ? 1 : 0;
    return asked;
  }
  // A new document with one edit in it.
  void newDocumentWithAnEdit() {
    answer = QMessageBox::Discard;
    window->FileNew1Execute();
    chooserCommand(kMenuRootNodeIndex, "PhoneBook", "AddLast1");
    ASSERT_TRUE(window->isDocumentModified());
  }
};

TEST_F(UnsavedChanges, EachWayOfSettingTheDocumentAsideAsksAndCancelKeepsIt) {
  EXPECT_EQ(window->windowTitle(), "Quillet v.0.1");
  window->FileNew1Execute();
  EXPECT_EQ(window->windowTitle(), "Untitled[*] - Quillet v.0.1");
  EXPECT_FALSE(window->isDocumentModified());
  newDocumentWithAnEdit();
  EXPECT_TRUE(window->isWindowModified());

  answer = QMessageBox::Cancel;
  const std::string other = writeFile("other", quillet::shipped::SampleFiles().front().bytes);
  chosenPaths.push_back(QString::fromStdString(other));
  dialogsShown = 0;
  window->usePhoneLibrary(std::make_unique<NoPhone>());  // Open from phone needs a link
  action("FileNew1")->trigger();
  action("FileOpen1")->trigger();
  action("PhoneOpen")->trigger();
  window->close();
  EXPECT_EQ(questionsAsked(), 4);
  EXPECT_EQ(dialogsShown, 0);  // Open asks before its file dialog
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isDocumentModified());
  EXPECT_EQ(node(kFirstMenuNodeIndex)->caption(), "PhoneBook");
  const MessageRequest& question = messages.back();
  EXPECT_EQ(question.text, "The menu \"Untitled\" has changed.\nDo you want to save the changes?");
  EXPECT_EQ(question.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  EXPECT_EQ(question.owner, window.get());

  // Save whose dialog is cancelled cancels the action too.
  answer = QMessageBox::Save;
  chosenPaths.clear();
  action("FileNew1")->trigger();
  EXPECT_EQ(node(kFirstMenuNodeIndex)->caption(), "PhoneBook");

  // Save that succeeds writes the file, then the action goes on: Open loads the other file.
  const std::string saved = pathIn("saved");
  chosenPaths = {QString::fromStdString(saved), QString::fromStdString(other)};
  action("FileOpen1")->trigger();
  EXPECT_FALSE(ReadBytes(saved).empty());
  EXPECT_EQ(window->windowTitle(), "other[*] - Quillet v.0.1");
  EXPECT_FALSE(window->isDocumentModified());

  // Discard drops the edit; an unchanged document never asks.
  const int asked = questionsAsked();
  chooserCommand(kMenuRootNodeIndex, "Camera", "AddFirst1");
  answer = QMessageBox::Discard;
  action("FileNew1")->trigger();
  action("FileNew1")->trigger();
  EXPECT_EQ(questionsAsked(), asked + 1);
  EXPECT_EQ(window->document().mainMenuItemCount(), 0);
}

TEST_F(UnsavedChanges, SavingClearsTheMarkAndExitAsksBeforeTheRebootQuestion) {
  FakePhone& phone = usePhone(*window);
  phone.status = 1;
  newDocumentWithAnEdit();
  saveThroughWindow(pathIn("first"));
  EXPECT_FALSE(window->isDocumentModified());
  EXPECT_EQ(window->windowTitle(), "first[*] - Quillet v.0.1");

  treeCommand(kFirstMenuNodeIndex, "Deleteitem1");  // answered Discard: not Yes, so kept
  EXPECT_FALSE(window->isDocumentModified());
  answer = QMessageBox::Yes;
  treeCommand(kFirstMenuNodeIndex, "Deleteitem1");
  EXPECT_TRUE(window->isDocumentModified());

  window->StoredToPhone = 1;
  messages.clear();
  answer = QMessageBox::Discard;
  window->close();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_TRUE(messages[0].text.startsWith(kQuestionStart));
  EXPECT_TRUE(messages[1].text.startsWith(QStringLiteral("mma_ucp was stored")));
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace quillet::ui::testing
