// Save as in every editor: Save writes the document's own file in place (asking first
// when data would be left out), Save As always asks, both dialogs open at the current
// file, a backup is never overwritten, and the editor remembers the file afterwards.
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

#include "file_chooser.h"
#include "shipped_samples.h"
#include "start_arguments.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

Bytes Sample(const char* name) {
  for (const shipped::SampleFile& file : shipped::SampleFiles()) {
    if (file.name == name) return file.bytes;
  }
  ADD_FAILURE() << "no sample " << name;
  return {};
}

// Shows each box for real and answers it with the Enter key, as a user would.
class EnterPrompter : public Prompter {
 public:
  QMessageBox::StandardButton showMessage(const MessageRequest& request) override {
    requests.push_back(request);
    std::unique_ptr<QMessageBox> box = buildMessageBox(request);
    box->show();
    QTest::keyClick(box.get(), Qt::Key_Return);
    return box->standardButton(box->clickedButton());
  }
  int runModal(QDialog&) override { return QDialog::Rejected; }
  std::vector<MessageRequest> requests;
};

class SaveInPlace : public WindowTest {
 protected:
  void activate() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void pressCtrl(Qt::Key key) { QTest::keyClick(window.get(), key, Qt::ControlModifier); }
  QString hintLine() const { return find<QStatusBar>("StatusBar")->currentMessage(); }
};

// quillet FILE, Ctrl+S, Enter: the question's default keeps every byte, FILE is written
// in place with nothing beside it, and it is in Open Recent after a restart.
TEST_F(SaveInPlace, StartWithAFileCtrlSAndEnterWriteItBackByteForByte) {
  const Bytes original = Sample("mma_ucp_custom");
  ASSERT_TRUE(QDir(folder.path()).mkdir("menus"));
  const std::string path = writeFile("menus/mma_ucp", original);
  window->openFile(ReadStartArguments({QStringLiteral("quillet"), QString::fromStdString(path)}).file);
  ASSERT_TRUE(messages.empty());
  ASSERT_FALSE(find<QCheckBox>("CheckBox1")->isChecked());

  EnterPrompter enter;
  window->setPrompter(enter);
  activate();
  pressCtrl(Qt::Key_S);
  ASSERT_EQ(enter.requests.size(), 1u);
  const MessageRequest& question = enter.requests[0];
  EXPECT_TRUE(question.text.contains("\"Settings\": uninterpreted data (tags 7, 20)"))
      << question.text.toStdString();
  EXPECT_EQ(question.defaultButton, QMessageBox::Save);
  EXPECT_TRUE(find<QCheckBox>("CheckBox1")->isChecked());  // "Keep the data" ticked the box
  EXPECT_EQ(dialogsShown, 0);
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(QDir(folder.filePath("menus")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"mma_ucp"});
  EXPECT_EQ(hintLine(), "Saved to " + QString::fromStdString(path));
  EXPECT_EQ(window->windowTitle(), "mma_ucp[*] - Quillet v.0.1");

  // With the box ticked nothing would be lost: no question.
  pressCtrl(Qt::Key_S);
  EXPECT_EQ(enter.requests.size(), 1u);
  window->setPrompter(prompter);

  restartWindow();
  const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  auto* recent = find<QMenu>("FileOpenRecentMenu");
  emit recent->aboutToShow();
  QAction* first = action("FileOpenRecent1");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->statusTip(), absolute);
  first->trigger();
  EXPECT_EQ(window->documentPath(), absolute);
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(SaveInPlace, SaveAsAlwaysAsksAndBothDialogsOpenAtTheCurrentFile) {
  const std::string path = writeFile("plain", Sample("mma_ucp_36byte"));
  openThroughWindow(path);
  EXPECT_EQ(dialogStarts.back(), "");  // nothing remembered yet
  activate();
  dialogsShown = 0;
  pressCtrl(Qt::Key_S);
  EXPECT_EQ(dialogsShown, 0);
  EXPECT_TRUE(messages.empty());  // nothing to lose: never asked

  const std::string copy = pathIn("copy");
  chosenPaths.push_back(QString::fromStdString(copy));
  QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(dialogsShown, 1);
  EXPECT_EQ(dialogKinds.back(), FileDialogKind::Save);
  EXPECT_EQ(dialogStarts.back(), QFileInfo(QString::fromStdString(path)).absoluteFilePath());
  EXPECT_EQ(ReadBytes(copy), ReadBytes(path));
  EXPECT_EQ(window->windowTitle(), "copy[*] - Quillet v.0.1");

  // Save now writes the copy in place; the unsaved-changes Save does the same.
  std::filesystem::remove(copy);
  pressCtrl(Qt::Key_S);
  EXPECT_EQ(dialogsShown, 1);
  EXPECT_FALSE(ReadBytes(copy).empty());
  std::filesystem::remove(copy);
  answer = QMessageBox::Yes;
  clickNode(kFirstMenuNodeIndex);
  action("Deleteitem1")->trigger();
  ASSERT_TRUE(window->isDocumentModified());
  answer = QMessageBox::Save;
  action("FileNew1")->trigger();
  EXPECT_EQ(dialogsShown, 1);
  EXPECT_FALSE(ReadBytes(copy).empty());

  // A new document is proposed as mma_ucp in the folder saved to last; Open starts in
  // the folder opened from last.
  pressCtrl(Qt::Key_S);
  EXPECT_EQ(dialogStarts.back(), folder.path() + "/mma_ucp");
  action("FileOpen1")->trigger();
  EXPECT_EQ(dialogKinds.back(), FileDialogKind::Open);
  EXPECT_EQ(dialogStarts.back(), folder.path());
}

TEST_F(SaveInPlace, ABackupIsNeverOverwritten) {
  const Bytes backup = Sample("mma_ucp_22byte");
  const QString backupPath = backupsFolder() + "/V3x/2026-12-08T14-03-22_mma_ucp";
  ASSERT_TRUE(QDir().mkpath(QFileInfo(backupPath).absolutePath()));
  {
    QFile file(backupPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(backup.data()), static_cast<qint64>(backup.size()));
  }
  chosenPaths.push_back(backupPath);
  action("FileOpenBackup")->trigger();
  EXPECT_EQ(window->windowTitle(), "2026-12-08T14-03-22_mma_ucp[*] - Quillet v.0.1");
  EXPECT_TRUE(window->documentPath().isEmpty());

  // Save asks for a name, proposing the backup's own name outside the backups folder;
  // choosing the backup itself is refused.
  dialogsShown = 0;
  chosenPaths.push_back(backupPath);
  action("FileSave1")->trigger();
  ASSERT_EQ(dialogsShown, 1);
  EXPECT_EQ(dialogStarts.back(), "2026-12-08T14-03-22_mma_ucp");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains("is a backup of a phone's menu"));
  const std::string elsewhere = pathIn("restored");
  chosenPaths.push_back(QString::fromStdString(elsewhere));
  action("FileSave1")->trigger();
  EXPECT_EQ(ReadBytes(elsewhere), backup);
  EXPECT_EQ(window->documentPath(), QString::fromStdString(elsewhere));
  std::filesystem::remove_all(QFile::encodeName(backupsFolder()).toStdString());
}

}  // namespace
}  // namespace quillet::ui::testing
