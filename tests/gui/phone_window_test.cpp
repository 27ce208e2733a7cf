// The main window with the emulated phone: the indicator, the phone panel, the phone
// commands, StoredToPhone and the reboot question at close.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "backup_store.h"
#include "dialog_driver.h"
#include "emulated_phone.h"
#include "file_chooser.h"
#include "main_window.h"
#include "menu_bytes.h"
#include "no_phone.h"
#include "paced_phone.h"
#include "phone_indicator.h"
#include "phone_library_factory.h"

namespace quillet::ui::testing {
namespace {

namespace mb = quillet::menubytes;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kModel = "V3x";
const QString kRebootQuestion =
    QStringLiteral("mma_ucp was stored to the phone\r\n      Should we reboot it?");

Bytes SampleMenu() {
  mb::MenuPlan plan;
  plan.recordSize = 36;
  const std::uint8_t marker = mb::NameMarker(36);
  mb::ItemPlan phoneBook;
  phoneBook.identifier = "PhoneBook";
  phoneBook.data = mb::MenuNameBlock({{1, u"Contacts"}}, marker);
  mb::ItemPlan games;
  games.identifier = "Games";
  games.data = mb::MenuNameBlock({{1, u"Fun"}, {2, u"Spiele"}}, marker);
  mb::ItemPlan settings;
  settings.identifier = "Settings";
  settings.children = {games};
  plan.items = {phoneBook, settings};
  return mb::BuildMenuFile(plan);
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WaitForPhone(TSDIAppForm& window) {
  QElapsedTimer timer;
  timer.start();
  while (window.phoneWorking() && timer.elapsed() < 10000) QTest::qWait(5);
  ASSERT_FALSE(window.phoneWorking());
}

// The window runs in a temporary current folder with an emulated phone in a folder of
// its own; the runtime folder, where the link makes its exchange folder, is the test's
// too. Message boxes are recorded and answered.
// The emulated phone, counting the restarts it carried out.
class RestartCountingPhone : public test::PacedPhone {
 public:
  using PacedPhone::PacedPhone;
  std::int32_t P2K_Restart() override {
    const std::int32_t result = EmulatedPhone::P2K_Restart();
    if (result == 0) ++restarts;
    return result;
  }
  std::atomic<int> restarts{0};  // restarts run on the phone thread
};

class PhoneWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(workDir.isValid() && phoneDir.isValid() && runtimeDir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    WriteBytes(phoneMenuPath(), menu);
    window = std::make_unique<TSDIAppForm>();
    window->setPrompter(prompter);
    auto emulated = std::make_unique<RestartCountingPhone>(phoneDir.path().toStdString(), kModel);
    phone = emulated.get();
    window->usePhoneLibrary(std::move(emulated));
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previousDir);
    qputenv("XDG_RUNTIME_DIR", previousRuntime);
  }
  // The files in the runtime folder's exchange folders.
  std::vector<std::filesystem::path> exchangeFiles() const {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(runtimeDir.path().toStdString()))
      if (entry.is_regular_file()) files.push_back(entry.path());
    return files;
  }
  bool runtimeFolderEmpty() const { return std::filesystem::is_empty(runtimeDir.path().toStdString()); }

  // Shows the window and lets the queued connection notice and the model read arrive.
  void showWindow() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();
    settle();
  }
  // Runs the event loop until the phone work has ended and its results are in.
  void settle() { WaitForPhone(*window); }
  std::filesystem::path phoneMenuPath() const {
    return std::filesystem::path(phoneDir.path().toStdString()) / "a/mobile/system/mma_ucp";
  }
  template <typename T>
  T* find(const char* name) const {
    T* found = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
  }
  void trigger(const char* action) {
    find<QAction>(action)->trigger();
    settle();
  }
  QColor indicator() const { return find<PhoneIndicator>("Shape1")->brushColor(); }
  QString phonePanel() const { return find<QLabel>("StatusBar1Panel1")->text(); }
  // Open from phone and Restart Phone on the tool bar and in the menu, then Save to phone.
  void expectPhoneCommands(bool openAndRestart, bool save) const {
    for (const char* name : {"ToolButton4", "ToolButton7"})
      EXPECT_EQ(find<QToolButton>(name)->isEnabled(), openAndRestart) << name;
    for (const char* name : {"Openfromphone1", "RestartPhone1", "RestorePhoneMenu1"})
      EXPECT_EQ(find<QAction>(name)->isEnabled(), openAndRestart) << name;
    EXPECT_EQ(find<QToolButton>("ToolButton5")->isEnabled(), save);
    EXPECT_EQ(find<QAction>("Savetophone1")->isEnabled(), save);
  }
  int rebootQuestions() const {
    int n = 0;
    for (const MessageRequest& m : messages) n += m.text == kRebootQuestion ? 1 : 0;
    return n;
  }

  QTemporaryDir workDir;
  QTemporaryDir phoneDir;
  QTemporaryDir runtimeDir;
  QString previousDir;
  QByteArray previousRuntime;
  Bytes menu = SampleMenu();
  std::unique_ptr<TSDIAppForm> window;
  RestartCountingPhone* phone = nullptr;
  test::TestPrompter prompter;
  std::vector<MessageRequest>& messages = prompter.messages.requests;
  QMessageBox::StandardButton& answer = prompter.messages.lastAnswer;  // every box's answer
  test::ModalScript& modals = prompter.modals;
};

TEST_F(PhoneWindowTest, ConnectTurnsGreenShowsTheModelAndEnablesOpenFromPhone) {
  window->show();
  EXPECT_EQ(indicator(), QColor(Qt::red));  // the notice waits for the event loop
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QApplication::processEvents();
  settle();
  EXPECT_EQ(indicator(), QColor(0, 255, 0));
  EXPECT_EQ(phonePanel(), QStringLiteral("Phone: V3x "));
  expectPhoneCommands(true, false);  // no document yet
  EXPECT_TRUE(messages.empty());
}

TEST_F(PhoneWindowTest, OpenFromPhoneLoadsThePhonesMenu) {
  showWindow();
  trigger("PhoneOpen");
  ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
  EXPECT_EQ(window->document().mainMenuItemCount(), 3);
  EXPECT_EQ(find<QStatusBar>("StatusBar")->currentMessage(), QStringLiteral("Files found: 1"));
  // Titled as read from the phone; it has no file of its own, so Save asks for one.
  EXPECT_EQ(window->windowTitle(), "mma_ucp (phone)[*] - Quillet v.0.1");
  EXPECT_TRUE(window->documentPath().isEmpty());
  EXPECT_TRUE(find<QToolButton>("ToolButton2")->isEnabled());
  expectPhoneCommands(true, true);
  const auto files = exchangeFiles();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].filename(), "mma_temp");
  EXPECT_EQ(ReadFile(files[0]), menu);
}

TEST_F(PhoneWindowTest, SaveToPhoneWritesBackTheSameBytes) {
  showWindow();
  trigger("PhoneOpen");
  WriteBytes(phoneMenuPath(), {});  // proves the bytes arrive anew
  trigger("PhoneSave");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(ReadFile(phoneMenuPath()), menu);
  EXPECT_EQ(window->StoredToPhone, 1);
}

// The backups the window keeps, oldest first.
std::vector<Backup> WindowBackups() {
  return BackupStore(QFile::encodeName(backupsFolder()).toStdString()).list("V3x");
}

// Flips one bit of every menu it writes: a write the phone took without keeping it right.
class CorruptingPhone : public EmulatedPhone {
 public:
  using EmulatedPhone::EmulatedPhone;
  std::int32_t File_Write(const std::uint8_t* buffer, std::int32_t bytes) override {
    std::vector<std::uint8_t> copy(buffer, buffer + bytes);
    if (!copy.empty()) copy[copy.size() / 2] ^= 0x10;
    return EmulatedPhone::File_Write(copy.data(), bytes);
  }
};

TEST_F(PhoneWindowTest, OpenAndSaveToPhoneKeepBackupsAndSaveVerifies) {
  std::filesystem::remove_all(QFile::encodeName(backupsFolder()).toStdString());
  showWindow();
  trigger("PhoneOpen");
  ASSERT_EQ(WindowBackups().size(), 1u);
  EXPECT_EQ(ReadFile(WindowBackups()[0].path), menu);

  const Bytes other = {1, 2, 3};  // what the phone holds by the time of the save
  WriteBytes(phoneMenuPath(), other);
  trigger("PhoneSave");
  ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
  EXPECT_EQ(ReadFile(phoneMenuPath()), menu);
  EXPECT_EQ(window->StoredToPhone, 1);
  ASSERT_EQ(WindowBackups().size(), 2u);
  EXPECT_EQ(ReadFile(WindowBackups()[1].path), other);

  // Restoring: Open backup starts in the backups folder and opens the chosen file.
  std::vector<FileDialogKind> asked;
  window->setFileChooser([&](QWidget*, FileDialogKind kind, const QString&) {
    asked.push_back(kind);
    return QFile::decodeName(QByteArray::fromStdString(WindowBackups()[0].path));
  });
  trigger("FileOpenBackup");
  EXPECT_EQ(asked, std::vector<FileDialogKind>{FileDialogKind::OpenBackup});
  EXPECT_EQ(window->document().mainMenuItemCount(), 3);
}

TEST_F(PhoneWindowTest, AWriteThatReadsBackDifferentIsReportedAndDoesNotCount) {
  auto corrupting = std::make_unique<CorruptingPhone>(phoneDir.path().toStdString(), kModel);
  window->usePhoneLibrary(std::move(corrupting));
  showWindow();
  trigger("PhoneOpen");
  const QString title = window->windowTitle();
  const int items = window->document().mainMenuItemCount();
  trigger("PhoneSave");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains(QStringLiteral("does not match what was sent")))
      << messages[0].text.toStdString();
  EXPECT_TRUE(
      messages[0].text.contains(QFile::decodeName(QByteArray::fromStdString(WindowBackups().back().path))));
  EXPECT_EQ(window->StoredToPhone, 0);
  EXPECT_EQ(window->document().mainMenuItemCount(), items);
  EXPECT_EQ(window->windowTitle(), title);
  window->close();
  EXPECT_EQ(rebootQuestions(), 0);
}

// The cable pulled as Save to phone begins: the box says what happened in plain lines;
// when the phone comes back the window offers to put back the menu it had, and doing so
// writes exactly that menu.
TEST_F(PhoneWindowTest, APhoneWithAnUnfinishedWriteIsOfferedItsMenuBackWhenItConnects) {
  showWindow();
  trigger("PhoneOpen");
  phone->pullCableAfterPieces(0);
  trigger("PhoneSave");
  ASSERT_EQ(messages.size(), 1u);
  const QStringList lines = messages[0].text.split(QLatin1Char('\n'));
  ASSERT_GE(lines.size(), 5) << messages[0].text.toStdString();
  EXPECT_EQ(lines[0], QStringLiteral("Error writing file"));
  EXPECT_TRUE(lines.contains(QStringLiteral("The phone was disconnected during the write.")));
  EXPECT_TRUE(lines.contains(QStringLiteral("The phone's menu may be incomplete.")));
  EXPECT_TRUE(ReadFile(phoneMenuPath()).empty());
  EXPECT_EQ(window->StoredToPhone, 0);
  expectPhoneCommands(false, false);

  answer = QMessageBox::Yes;
  phone->setConnected(true);
  QApplication::processEvents();  // the notice, queued for the window's thread
  settle();
  ASSERT_EQ(messages.size(), 2u);
  const MessageRequest& offer = messages[1];
  EXPECT_EQ(offer.buttons, QMessageBox::Yes | QMessageBox::No);
  ASSERT_EQ(offer.buttonTexts.size(), 2);
  EXPECT_EQ(offer.buttonTexts[0].second, QStringLiteral("Restore the menu the phone had before"));
  EXPECT_EQ(offer.buttonTexts[1].second, QStringLiteral("Not now"));
  EXPECT_TRUE(offer.text.contains(QString::fromStdString(WindowBackups().front().time)))
      << offer.text.toStdString();
  EXPECT_EQ(ReadFile(phoneMenuPath()), menu);
  EXPECT_EQ(window->StoredToPhone, 1);

  // Once restored, connecting again finds nothing to offer.
  phone->setConnected(false);
  phone->setConnected(true);
  QApplication::processEvents();
  settle();
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(PhoneWindowTest, RestorePhoneMenuListsTheBackupsAndWritesTheChosenOne) {
  std::filesystem::remove_all(QFile::encodeName(backupsFolder()).toStdString());
  showWindow();
  EXPECT_TRUE(find<QAction>("RestorePhoneMenu1")->isEnabled());
  trigger("PhoneOpen");  // the first backup: the sample menu, three main-menu entries
  mb::MenuPlan other;
  other.recordSize = 22;
  mb::ItemPlan only;
  only.identifier = "Games";
  other.items = {only};
  WriteBytes(phoneMenuPath(), mb::BuildMenuFile(other));
  trigger("PhoneOpen");
  BackupStore(QFile::encodeName(backupsFolder()).toStdString()).keepDamaged(kModel, {1, 2, 3}).value();

  modals.actions["RestorePhoneMenuDialog"] = [](QDialog& dialog) {
    auto* list = test::Child<QTreeWidget>(dialog, "BackupList");
    auto* restore = test::Child<QPushButton>(dialog, "RestoreButton");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    // Newest first: the damaged one is marked and cannot be chosen.
    EXPECT_EQ(list->topLevelItem(0)->text(3), QStringLiteral("damaged, does not load"));
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_FALSE(restore->isEnabled());
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("1"));
    EXPECT_EQ(list->topLevelItem(2)->text(2), QStringLiteral("3"));
    EXPECT_TRUE(list->topLevelItem(2)->text(3).isEmpty());
    list->setCurrentItem(list->topLevelItem(2));
    test::Click(restore);
  };
  trigger("RestorePhoneMenu1");
  EXPECT_EQ(modals.openings["RestorePhoneMenuDialog"], 1);
  ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
  EXPECT_EQ(ReadFile(phoneMenuPath()), menu);
  EXPECT_EQ(window->StoredToPhone, 1);
}

// A phone menu with an uninterpreted block: Save to phone asks before it would leave it out.
TEST_F(PhoneWindowTest, SaveToPhoneAsksBeforeLeavingOutDataAndKeepTheDataSendsIt) {
  mb::MenuPlan plan;
  plan.items = {mb::ItemPlan{"Games", mb::Block(7, {1, 2}), 0, 0, 0x41, {}}};
  const Bytes withBlock = mb::BuildMenuFile(plan);
  WriteBytes(phoneMenuPath(), withBlock);
  showWindow();
  trigger("PhoneOpen");
  ASSERT_TRUE(messages.empty());
  WriteBytes(phoneMenuPath(), menu);  // what the phone holds until a save reaches it

  answer = QMessageBox::Cancel;
  trigger("PhoneSave");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains("\"Games\": uninterpreted data (tag 7)"));
  EXPECT_EQ(ReadFile(phoneMenuPath()), menu);  // nothing sent
  EXPECT_EQ(window->StoredToPhone, 0);

  answer = QMessageBox::Save;  // "Keep the data"
  trigger("PhoneSave");
  EXPECT_EQ(ReadFile(phoneMenuPath()), withBlock);
  EXPECT_TRUE(window->saveOptions().saveAllData);
}

TEST_F(PhoneWindowTest, RestartClearsStoredToPhoneAndTheCloseDoesNotAsk) {
  showWindow();
  trigger("PhoneOpen");
  trigger("PhoneSave");
  ASSERT_EQ(window->StoredToPhone, 1);
  EXPECT_EQ(find<QStatusBar>("StatusBar")->currentMessage(), "Menu written to the phone and checked");
  trigger("PhoneRestart");
  EXPECT_EQ(find<QStatusBar>("StatusBar")->currentMessage(), "Phone restarting");
  EXPECT_EQ(window->StoredToPhone, 0);
  EXPECT_EQ(phone->restarts.load(), 1);
  EXPECT_EQ(indicator(), QColor(0, 255, 0));  // the phone came back after the restart
  window->close();
  EXPECT_EQ(rebootQuestions(), 0);
}

TEST_F(PhoneWindowTest, DisconnectTurnsRedAndDisablesThePhoneCommands) {
  showWindow();
  trigger("FileNew1");
  expectPhoneCommands(true, true);
  phone->setConnected(false);
  QApplication::processEvents();
  EXPECT_EQ(indicator(), QColor(Qt::red));
  EXPECT_EQ(phonePanel(), QStringLiteral("Phone: None "));
  expectPhoneCommands(false, false);
  EXPECT_TRUE(find<QToolButton>("ToolButton2")->isEnabled());  // Save to disk is not the phone's
}

TEST_F(PhoneWindowTest, NewWithThePhoneConnectedEnablesSaveToPhone) {
  showWindow();
  trigger("FileNew1");
  expectPhoneCommands(true, true);
}

TEST_F(PhoneWindowTest, CloseAfterSaveToPhoneAsksAndRebootsOnYes) {
  showWindow();
  trigger("PhoneOpen");
  trigger("PhoneSave");
  answer = QMessageBox::Yes;
  window->close();
  ASSERT_EQ(rebootQuestions(), 1);
  const MessageRequest& question = messages.back();
  EXPECT_TRUE(question.title.isEmpty());
  EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(phone->restarts.load(), 1);
  EXPECT_TRUE(runtimeFolderEmpty());
}

// A user's own mma_temp in the start folder survives a whole session with the phone.
TEST_F(PhoneWindowTest, AUsersMmaTempInTheStartFolderSurvivesTheSession) {
  WriteBytes(std::filesystem::path(workDir.path().toStdString()) / "mma_temp", {9, 9, 9});
  showWindow();
  trigger("PhoneOpen");
  trigger("PhoneSave");
  window->close();
  EXPECT_EQ(ReadFile(std::filesystem::path(workDir.path().toStdString()) / "mma_temp"), (Bytes{9, 9, 9}));
  EXPECT_TRUE(runtimeFolderEmpty());
}

TEST_F(PhoneWindowTest, CloseAfterSaveToPhoneAnsweredNoLeavesThePhoneRunning) {
  showWindow();
  trigger("PhoneOpen");
  trigger("PhoneSave");
  answer = QMessageBox::No;
  window->close();
  EXPECT_EQ(rebootQuestions(), 1);
  EXPECT_EQ(phone->restarts.load(), 0);
}

TEST_F(PhoneWindowTest, CloseAfterTheStoredPhoneWasDisconnectedDoesNotAsk) {
  showWindow();
  trigger("PhoneOpen");
  trigger("PhoneSave");
  phone->setConnected(false);
  QApplication::processEvents();
  window->close();
  EXPECT_EQ(rebootQuestions(), 0);
}

TEST_F(PhoneWindowTest, CloseWithoutSaveToPhoneDoesNotAsk) {
  showWindow();
  trigger("PhoneOpen");
  window->close();
  EXPECT_EQ(rebootQuestions(), 0);
}

// A failed Open from phone costs nothing: the open document, its settings and the
// commands stay as they were, and the message keeps the link's words, then says why
// and which file.
TEST_F(PhoneWindowTest, FailedOpenFromPhoneKeepsTheOpenDocument) {
  showWindow();
  trigger("PhoneOpen");
  ASSERT_EQ(window->document().mainMenuItemCount(), 3);
  auto* layout36 = find<QRadioButton>("RadioButton2");
  ASSERT_TRUE(layout36->isChecked());
  const auto expectDocumentKept = [&] {
    EXPECT_EQ(window->document().mainMenuItemCount(), 3);
    EXPECT_TRUE(layout36->isChecked());
    EXPECT_TRUE(find<QToolButton>("ToolButton2")->isEnabled());
    expectPhoneCommands(true, true);
  };

  std::filesystem::remove(phoneMenuPath());
  trigger("PhoneOpen");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            QStringLiteral("Error opening file\nthe phone has no file /a/mobile/system/mma_ucp\n"
                           "File: /a/mobile/system/mma_ucp"));
  EXPECT_TRUE(messages[0].title.isEmpty());
  EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
  EXPECT_EQ(messages[0].buttons, QMessageBox::Ok);
  expectDocumentKept();

  WriteBytes(phoneMenuPath(), Bytes(70000, 0));
  trigger("PhoneOpen");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_TRUE(
      messages[1].text.startsWith(QStringLiteral("The phone file /a/mobile/system/mma_ucp is 70000 bytes "
                                                 "long; the phone link transfers at most 65535 bytes")));
  expectDocumentKept();

  // Garbage is named by its place on the phone, not by the exchange file.
  WriteBytes(phoneMenuPath(), Bytes(30, 0xFF));
  trigger("PhoneOpen");
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_TRUE(messages[2].text.contains(QStringLiteral("/a/mobile/system/mma_ucp")))
      << messages[2].text.toStdString();
  EXPECT_FALSE(messages[2].text.contains(QStringLiteral("mma_temp"))) << messages[2].text.toStdString();
  expectDocumentKept();

  // The phone's folder gone altogether.
  std::filesystem::remove_all(phoneDir.path().toStdString());
  trigger("PhoneOpen");
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_TRUE(messages[3].text.startsWith(QStringLiteral("Error getting file count\ncannot list ")))
      << messages[3].text.toStdString();
  expectDocumentKept();
}

// A library that, like a USB backend, sends its notices from a thread of its own.
class NoticesFromAnotherThread : public EmulatedPhone {
 public:
  using EmulatedPhone::EmulatedPhone;
  std::int32_t P2K_Init(PhoneStatusCallback notify) override {
    const std::int32_t result = EmulatedPhone::P2K_Init([](std::int32_t) {});
    std::thread([notify] { notify(1); }).join();
    return result;
  }
  std::int32_t Seem_Read(std::int32_t seem, std::int32_t record, std::int32_t offset, std::int32_t bytes,
                         std::uint8_t* buffer, std::size_t bufferSize) override {
    modelReadOn = std::this_thread::get_id();
    return EmulatedPhone::Seem_Read(seem, record, offset, bytes, buffer, bufferSize);
  }
  std::thread::id modelReadOn;
};

// The notice changes the controls on the window's thread; the model read, which may
// pause for seconds, runs on the phone thread.
TEST_F(PhoneWindowTest, NoticeFromAnotherThreadIsHandledOnTheWindowsThread) {
  auto threaded = std::make_unique<NoticesFromAnotherThread>(phoneDir.path().toStdString(), "T1");
  NoticesFromAnotherThread* library = threaded.get();
  window->usePhoneLibrary(std::move(threaded));
  showWindow();
  EXPECT_EQ(indicator(), QColor(0, 255, 0));
  EXPECT_EQ(phonePanel(), QStringLiteral("Phone: T1 "));
  EXPECT_NE(library->modelReadOn, std::thread::id());
  EXPECT_NE(library->modelReadOn, std::this_thread::get_id());
}

// A menu of about 8 KiB: the phone moves it in several pieces of 0x400 bytes.
Bytes LargeMenu() {
  mb::MenuPlan plan;
  plan.recordSize = 36;
  const std::uint8_t marker = mb::NameMarker(36);
  const std::u16string name(40, u'n');
  for (int i = 0; i < 24; ++i) {
    mb::ItemPlan item;
    item.identifier = i % 2 ? "Games" : "PhoneBook";
    item.data = mb::MenuNameBlock({{1, name}, {2, name}, {3, name}}, marker);
    plan.items.push_back(item);
  }
  return mb::BuildMenuFile(plan);
}

// The phone commands against a phone that takes its time: each piece of 0x400 bytes
// takes 40 ms, so a read of the large menu lasts about a third of a second.
class SlowPhoneTest : public PhoneWindowTest {
 protected:
  void SetUp() override {
    PhoneWindowTest::SetUp();
    menu = LargeMenu();
    ASSERT_GT(menu.size(), 6u * EmulatedPhone::kPieceBytes);
    WriteBytes(phoneMenuPath(), menu);
  }
  void slowDown() { phone->setTransferDelay(std::chrono::milliseconds(40)); }
  QProgressDialog* progress() const {
    return window->findChild<QProgressDialog*>(QStringLiteral("PhoneProgress"));
  }
  // Runs the event loop until the progress dialog shows `step` with part of the menu
  // moved ("1024 of 8190 bytes"); false if the job ended first.
  bool waitForProgress(const QString& step) {
    static const QRegularExpression bytes(QStringLiteral("\\n(\\d+) of (\\d+) bytes"));
    QElapsedTimer timer;
    timer.start();
    while (window->phoneWorking() && timer.elapsed() < 10000) {
      const QString text = progress() ? progress()->labelText() : QString();
      const QRegularExpressionMatch count = bytes.match(text);
      if (text.startsWith(step) && count.hasMatch() && count.captured(1).toULongLong() > 0 &&
          count.captured(1).toULongLong() < menu.size() && count.captured(2).toULongLong() == menu.size())
        return true;
      QTest::qWait(2);
    }
    return false;
  }
};

TEST_F(SlowPhoneTest, OpenFromPhoneShowsProgressWhileTheWindowRunsOn) {
  showWindow();
  slowDown();
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ticks += window->phoneWorking() ? 1 : 0; });
  timer.start(10);
  find<QAction>("PhoneOpen")->trigger();
  ASSERT_NE(progress(), nullptr);
  EXPECT_TRUE(progress()->isVisible());
  EXPECT_EQ(progress()->windowModality(), Qt::WindowModal);
  EXPECT_EQ(progress()->windowTitle(), QStringLiteral("Open from phone"));
  expectPhoneCommands(false, false);
  EXPECT_TRUE(waitForProgress(QStringLiteral("Reading the menu from the phone...")));
  expectPhoneCommands(false, false);
  settle();
  EXPECT_GE(ticks, 5);  // the event loop went on during the read
  EXPECT_EQ(progress(), nullptr);
  ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
  EXPECT_EQ(window->document().mainMenuItemCount(), 24);
  expectPhoneCommands(true, true);
}

TEST_F(SlowPhoneTest, CancellingAReadStopsItAndLeavesTheDocumentAsItWas) {
  showWindow();
  trigger("FileNew1");
  const QString title = window->windowTitle();
  slowDown();
  find<QAction>("PhoneOpen")->trigger();
  ASSERT_TRUE(waitForProgress(QStringLiteral("Reading the menu from the phone...")));
  auto* cancel = progress()->findChild<QPushButton*>(QStringLiteral("PhoneProgressCancel"));
  ASSERT_NE(cancel, nullptr);
  ASSERT_TRUE(cancel->isEnabled());
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_TRUE(progress()->labelText().endsWith(QStringLiteral("Cancelling...")));
  expectPhoneCommands(false, false);
  settle();
  EXPECT_EQ(phone->lastErrorDetail(), "the read was stopped before the end of the file");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(window->document().mainMenuItemCount(), 0);
  EXPECT_EQ(window->windowTitle(), title);
  EXPECT_EQ(progress(), nullptr);
  expectPhoneCommands(true, true);
}

// Once writing begins nothing stops the job: not Cancel, not Escape, not closing the
// window, which waits for the write and its check before it asks about the reboot.
TEST_F(SlowPhoneTest, SaveToPhoneCannotBeInterruptedAndCloseWaitsForIt) {
  showWindow();
  trigger("PhoneOpen");
  ASSERT_TRUE(messages.empty());
  WriteBytes(phoneMenuPath(), {1, 2, 3});  // the write must bring the menu back
  slowDown();
  find<QAction>("PhoneSave")->trigger();
  EXPECT_EQ(progress()->windowTitle(), QStringLiteral("Save to phone"));
  ASSERT_TRUE(waitForProgress(QStringLiteral("Writing the menu to the phone...")));
  EXPECT_TRUE(progress()->labelText().endsWith(
      QStringLiteral("A write to the phone cannot be interrupted: please wait.")));
  auto* cancel = progress()->findChild<QPushButton*>(QStringLiteral("PhoneProgressCancel"));
  EXPECT_FALSE(cancel->isEnabled());
  QTest::keyClick(progress(), Qt::Key_Escape);
  EXPECT_TRUE(progress()->isVisible());
  expectPhoneCommands(false, false);
  ASSERT_TRUE(waitForProgress(QStringLiteral("Reading the menu back to check it...")));
  answer = QMessageBox::No;
  window->close();
  EXPECT_FALSE(window->phoneWorking());
  EXPECT_EQ(ReadFile(phoneMenuPath()), menu);
  EXPECT_EQ(window->StoredToPhone, 1);
  EXPECT_EQ(rebootQuestions(), 1);
  EXPECT_EQ(messages.size(), 1u);
}

// The program's start hands the window the library QUILLET_PHONE_DIR chooses.
TEST(PhoneDirVariable, NamedFolderConnectsTheEmulatedPhoneAndAPlainFileSaysWhyNot) {
  QTemporaryDir workDir, phoneDir;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(workDir.path());
  test::TestPrompter prompter;
  const std::vector<MessageRequest>& messages = prompter.messages.requests;
  const auto noPhone = [] { return std::make_unique<NoPhone>(); };
  qputenv("QUILLET_PHONE_DIR", phoneDir.path().toLocal8Bit());
  {
    TSDIAppForm window;
    window.setPrompter(prompter);
    window.usePhoneLibrary(makePhoneLibraryFromEnvironment(noPhone));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    WaitForPhone(window);
    EXPECT_EQ(window.findChild<PhoneIndicator*>(QStringLiteral("Shape1"))->brushColor(), QColor(0, 255, 0));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("StatusBar1Panel1"))->text(),
              QStringLiteral("Phone: Emulated P2K "));
  }
  const QString plainFile = workDir.filePath(QStringLiteral("not-a-folder"));
  WriteBytes(plainFile.toStdString(), {1});
  qputenv("QUILLET_PHONE_DIR", plainFile.toLocal8Bit());
  {
    TSDIAppForm window;
    window.setPrompter(prompter);
    window.usePhoneLibrary(makePhoneLibraryFromEnvironment(noPhone));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Error initializing P2KAPI library\n")));
    EXPECT_TRUE(messages[0].text.contains(plainFile + QStringLiteral("\" is not a folder")))
        << messages[0].text.toStdString();
  }
  qunsetenv("QUILLET_PHONE_DIR");
  QDir::setCurrent(previous);
}

}  // namespace
}  // namespace quillet::ui::testing
