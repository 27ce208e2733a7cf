// The main window with the emulated phone: the indicator, the phone panel, the phone
// commands, StoredToPhone and the reboot question at close.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "emulated_phone.h"
#include "main_window.h"
#include "menu_bytes.h"
#include "message_prompt.h"
#include "phone_indicator.h"

namespace quillet::ui::testing {
namespace {

namespace mb = quillet::menubytes;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kModel = "V3x";
const QString kRebootQuestion = QStringLiteral("mma_ucp was stored to the phone\r\n      Should we reboot it?");

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

// The window runs in a temporary current folder (its exchange file lands there) with an
// emulated phone in a folder of its own. Message boxes are recorded and answered.
class PhoneWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(workDir.isValid() && phoneDir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    setMessageHandler([this](const MessageRequest& request) {
      messages.push_back(request);
      return answer;
    });
    WriteBytes(phoneMenuPath(), menu);
    window = std::make_unique<TSDIAppForm>();
    auto emulated = std::make_unique<EmulatedPhone>(phoneDir.path().toStdString(), kModel);
    phone = emulated.get();
    window->usePhoneLibrary(std::move(emulated));
  }
  void TearDown() override {
    window.reset();
    setMessageHandler({});
    QDir::setCurrent(previousDir);
  }

  // Shows the window and lets the queued connection notice arrive.
  void showWindow() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();
  }
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
    QApplication::processEvents();
  }
  QColor indicator() const { return find<PhoneIndicator>("Shape1")->brushColor(); }
  QString phonePanel() const { return find<QLabel>("StatusBar1Panel1")->text(); }
  // Open from phone and Restart Phone on the tool bar and in the menu, then Save to phone.
  void expectPhoneCommands(bool openAndRestart, bool save) const {
    for (const char* name : {"ToolButton4", "ToolButton7"})
      EXPECT_EQ(find<QToolButton>(name)->isEnabled(), openAndRestart) << name;
    for (const char* name : {"Openfromphone1", "RestartPhone1"})
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
  QString previousDir;
  Bytes menu = SampleMenu();
  std::unique_ptr<TSDIAppForm> window;
  EmulatedPhone* phone = nullptr;
  std::vector<MessageRequest> messages;
  QMessageBox::StandardButton answer = QMessageBox::Ok;
};

TEST_F(PhoneWindowTest, ConnectTurnsGreenShowsTheModelAndEnablesOpenFromPhone) {
  window->show();
  EXPECT_EQ(indicator(), QColor(Qt::red));  // the notice waits for the event loop
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QApplication::processEvents();
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
  EXPECT_TRUE(find<QToolButton>("ToolButton2")->isEnabled());
  expectPhoneCommands(true, true);
  EXPECT_EQ(ReadFile(window->TempFilePath), menu);
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

TEST_F(PhoneWindowTest, RestartClearsStoredToPhoneAndTheCloseDoesNotAsk) {
  showWindow();
  trigger("PhoneOpen");
  trigger("PhoneSave");
  ASSERT_EQ(window->StoredToPhone, 1);
  trigger("PhoneRestart");
  EXPECT_EQ(window->StoredToPhone, 0);
  EXPECT_EQ(phone->restartCount(), 1);
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
  EXPECT_EQ(phone->restartCount(), 1);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(window->TempFilePath)));
}

TEST_F(PhoneWindowTest, CloseAfterSaveToPhoneAnsweredNoLeavesThePhoneRunning) {
  showWindow();
  trigger("PhoneOpen");
  trigger("PhoneSave");
  answer = QMessageBox::No;
  window->close();
  EXPECT_EQ(rebootQuestions(), 1);
  EXPECT_EQ(phone->restartCount(), 0);
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

TEST_F(PhoneWindowTest, FailedOpenFromPhoneEmptiesTheTreeAndDisablesSave) {
  std::filesystem::remove(phoneMenuPath());
  showWindow();
  trigger("FileNew1");
  trigger("PhoneOpen");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, QStringLiteral("Error opening file"));
  EXPECT_TRUE(messages[0].title.isEmpty());
  EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
  EXPECT_EQ(messages[0].buttons, QMessageBox::Ok);
  EXPECT_FALSE(window->document().isOpen());
  EXPECT_FALSE(find<QToolButton>("ToolButton2")->isEnabled());
  EXPECT_FALSE(find<QAction>("FileSaveItem")->isEnabled());
  expectPhoneCommands(true, false);
}

TEST_F(PhoneWindowTest, MenuTooLongForTheTransferIsRefusedWithItsSize) {
  WriteBytes(phoneMenuPath(), Bytes(70000, 0));
  showWindow();
  trigger("PhoneOpen");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, QStringLiteral("The phone file /a/mobile/system/mma_ucp is 70000 bytes long; "
                                             "the phone link transfers at most 65535 bytes"));
  EXPECT_FALSE(window->document().isOpen());
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

TEST_F(PhoneWindowTest, NoticeFromAnotherThreadIsHandledOnTheWindowsThread) {
  auto threaded = std::make_unique<NoticesFromAnotherThread>(phoneDir.path().toStdString(), "T1");
  NoticesFromAnotherThread* library = threaded.get();
  window->usePhoneLibrary(std::move(threaded));
  showWindow();
  EXPECT_EQ(indicator(), QColor(0, 255, 0));
  EXPECT_EQ(phonePanel(), QStringLiteral("Phone: T1 "));
  EXPECT_EQ(library->modelReadOn, std::this_thread::get_id());
}

TEST(PhoneDirVariable, NamedFolderConnectsTheEmulatedPhoneAtStart) {
  QTemporaryDir workDir, phoneDir;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(workDir.path());
  qputenv("QUILLET_PHONE_DIR", phoneDir.path().toLocal8Bit());
  {
    TSDIAppForm window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    EXPECT_EQ(window.findChild<PhoneIndicator*>(QStringLiteral("Shape1"))->brushColor(), QColor(0, 255, 0));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("StatusBar1Panel1"))->text(),
              QStringLiteral("Phone: Emulated P2K "));
  }
  qunsetenv("QUILLET_PHONE_DIR");
  QDir::setCurrent(previous);
}

}  // namespace
}  // namespace quillet::ui::testing
