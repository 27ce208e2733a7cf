// The real phone link over the USB backend and the fake phone: open from phone, edit,
// save to phone and restart, as the window runs them, with notices posted to a "UI"
// queue that the test thread drains.
#include <condition_variable>
#include <deque>
#include <functional>

#include "file_io.h"
#include "menu_bytes.h"
#include "menu_loader.h"
#include "menu_writer.h"
#include "phone_library_factory.h"
#include "phone_link.h"
#include "scripted_library.h"
#include "temp_folder.h"
#include "tree_commands.h"
#include "usb_library_fixture.h"

namespace quillet::usb::testing {
namespace {

using namespace std::chrono_literals;
namespace mb = quillet::menubytes;
using quillet::test::ReadBytes;

// A valid menu file of about 50 KiB: items named in many languages.
std::vector<std::uint8_t> bigMenu() {
  mb::MenuPlan plan;
  for (int item = 0; item < 24; ++item) {
    std::vector<mb::Name> names;
    for (std::uint8_t language = 1; language <= 40; ++language)
      names.push_back({language, u"Menu entry name number " +
                                     std::u16string(1, static_cast<char16_t>(u'A' + item))});
    plan.items.push_back(
        {"WebAccess", mb::MenuNameBlock(names, mb::NameMarker(36)), 0, 0, 0x41, {}});
  }
  return mb::BuildMenuFile(plan);
}

class UsbLinkFlow : public UsbLibraryTest {
 protected:
  void startLink(FakeBusOptions options = {}) {
    make(options);
    PhoneLinkHooks hooks;
    hooks.pause = [this](int ms) { log.push_back("pause " + std::to_string(ms)); };
    hooks.postToUi = [this](std::function<void()> task) {
      {
        std::lock_guard lock(uiMutex);
        uiTasks.push_back(std::move(task));
      }
      uiSignal.notify_all();
    };
    link =
        std::make_unique<PhoneLink>(*library, view, folder.file("mma_temp"), StoredToPhone, hooks);
    link->InitPhoneLink();
  }

  // Runs posted notices on this thread until `done` holds; false after the timeout.
  bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
      std::unique_lock lock(uiMutex);
      if (!uiSignal.wait_until(lock, deadline, [this] { return !uiTasks.empty(); })) return false;
      auto task = std::move(uiTasks.front());
      uiTasks.pop_front();
      lock.unlock();
      task();
    }
    return true;
  }

  void TearDown() override {
    link.reset();
    UsbLibraryTest::TearDown();
  }

  quillet::test::TempFolder folder;
  std::vector<std::string> log;
  quillet::test::RecordingView view{log};
  std::uint8_t StoredToPhone = 0;
  std::mutex uiMutex;
  std::condition_variable uiSignal;
  std::deque<std::function<void()>> uiTasks;
  std::unique_ptr<PhoneLink> link;
};

TEST_F(UsbLinkFlow, OpenEditSaveAndRestartRunGreen) {
  const auto original = bigMenu();
  ASSERT_GT(original.size(), 48u * 1024);
  ASSERT_LT(original.size(), 64u * 1024);
  FakeBusOptions options;
  options.rebootDelay = 100ms;
  startLink(options);
  putFile(kMenuPath, original);
  ASSERT_TRUE(pumpUntil([&] { return view.panel == "Phone: E398 "; }));
  EXPECT_TRUE(view.openAndRestart);

  std::string path;
  link->ReadPhoneFile(path);
  ASSERT_EQ(path, folder.file("mma_temp")) << ::testing::PrintToString(view.errors);
  EXPECT_EQ(ReadBytes(path), original);

  MenuDocument doc;
  ASSERT_TRUE(LoadMenuFileFromPath(path, doc).ok());
  const int before = doc.mainMenuItemCount();
  ASSERT_TRUE(AddCatalogueItem(doc, *doc.menuRootNode(), 0, AddPlace::LastSubitem).ok());
  ASSERT_TRUE(SaveMenuFile(path, doc, SaveOptions{}).ok());
  const auto edited = ReadBytes(path);
  ASSERT_NE(edited, original);

  link->WritePhoneFile();
  EXPECT_TRUE(view.errors.empty()) << ::testing::PrintToString(view.errors);
  EXPECT_EQ(StoredToPhone, 1);
  EXPECT_EQ(fileOnPhone(kMenuPath), edited);
  MenuDocument reread;
  ASSERT_TRUE(LoadMenuFile(fileOnPhone(kMenuPath), reread, "phone").ok());
  EXPECT_EQ(reread.mainMenuItemCount(), before + 1);

  link->RestartPhone();
  EXPECT_EQ(StoredToPhone, 0);
  EXPECT_EQ(bus->restarts(), 1);
  ASSERT_TRUE(pumpUntil([&] { return view.panel == "Phone: None "; }));
  ASSERT_TRUE(pumpUntil([&] { return view.panel == "Phone: E398 "; }));
  EXPECT_EQ(link->status(), 1);
}

TEST_F(UsbLinkFlow, DisconnectDuringOpenLeavesExchangeFileAndDocumentUntouched) {
  startLink();
  putFile(kMenuPath, bigMenu());
  ASSERT_TRUE(pumpUntil([&] { return view.connected; }));
  const std::vector<std::uint8_t> earlier{1, 2, 3};
  quillet::test::WriteBytes(folder.file("mma_temp"), earlier);
  bus->disconnectAfterCommands(20);  // inside the chunked read
  std::string path;
  link->ReadPhoneFile(path);
  EXPECT_TRUE(path.empty());
  EXPECT_EQ(view.errors, std::vector<std::string>{"Error reading file"});
  EXPECT_EQ(ReadBytes(folder.file("mma_temp")), earlier);
  EXPECT_EQ(recorder.linesContaining("File_Read failed"), 1u);
  ASSERT_TRUE(pumpUntil([&] { return view.panel == "Phone: None "; }));
  EXPECT_FALSE(view.openAndRestart);
}

TEST_F(UsbLinkFlow, DisconnectDuringSaveReportsTheWriteAndKeepsStoredToPhoneZero) {
  startLink();
  ASSERT_TRUE(pumpUntil([&] { return view.connected; }));
  const auto menu = bigMenu();
  quillet::test::WriteBytes(folder.file("mma_temp"), menu);
  bus->disconnectAfterCommands(5);
  link->WritePhoneFile();
  EXPECT_EQ(view.errors, std::vector<std::string>{"Error writing file"});
  EXPECT_EQ(StoredToPhone, 0);
  EXPECT_EQ(ReadBytes(folder.file("mma_temp")), menu);
}

TEST_F(UsbLinkFlow, SilentPhoneCostsOneTimeoutAndTheRetryPausesNotTenTimeouts) {
  startLink();
  putFile(kMenuPath, {1, 2, 3});
  ASSERT_TRUE(pumpUntil([&] { return view.connected; }));
  bus->setSilent(true);
  const auto start = std::chrono::steady_clock::now();
  std::string path;
  link->ReadPhoneFile(path);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5 * std::chrono::milliseconds(kTimeoutMs))
      << "each retry waited out a timeout";
  EXPECT_EQ(view.errors, std::vector<std::string>{"Error getting file count"});
  EXPECT_EQ(std::count(log.begin(), log.end(), "pause 300"), 10);
  bus->setSilent(false);
}

// The editor's default library on this machine: real USB, most likely without a phone
// or without any USB access. It starts without an error box and shows no phone.
TEST(DefaultUsbLibrary, StartsCleanlyWithoutAPhone) {
  ::unsetenv("QUILLET_PHONE_DIR");
  auto library = makePhoneLibraryFromEnvironment();
  ASSERT_NE(dynamic_cast<UsbP2KLibrary*>(library.get()), nullptr);
  std::vector<std::string> log;
  quillet::test::RecordingView view{log};
  std::uint8_t stored = 0;
  quillet::test::TempFolder folder;
  ::testing::internal::CaptureStderr();
  {
    PhoneLink link(*library, view, folder.file("mma_temp"), stored);
    link.InitPhoneLink();
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(view.errors.empty());
    EXPECT_EQ(view.panel, "Phone: None ");
    EXPECT_NE(library->P2K_GetStatus(), 0);
    library.reset();
  }
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

}  // namespace
}  // namespace quillet::usb::testing
