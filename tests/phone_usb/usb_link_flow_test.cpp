// The real phone link over the USB backend and the fake phone: open from phone, edit,
// save to phone and restart, as the window runs them, with notices posted to a "UI"
// queue that the test thread drains.
#include <condition_variable>
#include <deque>
#include <functional>
#include <optional>

#include "file_io.h"
#include "libusb_transport.h"
#include "menu_bytes.h"
#include "menu_loader.h"
#include "menu_writer.h"
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
      names.push_back(
          {language, u"Menu entry name number " + std::u16string(1, static_cast<char16_t>(u'A' + item))});
    plan.items.push_back({"WebAccess", mb::MenuNameBlock(names, mb::NameMarker(36)), 0, 0, 0x41, {}});
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
    hooks.exchangeParent = folder.path().string();
    link = std::make_unique<PhoneLink>(*library, view, hooks);
    link->InitPhoneLink();
  }
  // The read menu, or nothing with the error's message in `errors`.
  std::optional<std::vector<std::uint8_t>> read() {
    auto bytes = link->ReadPhoneFile();
    if (bytes) return bytes.value();
    errors.push_back(bytes.error().message);
    lastError = bytes.error();
    return std::nullopt;
  }
  bool write(const std::vector<std::uint8_t>& bytes) {
    const Status sent = link->WritePhoneFile(bytes);
    if (!sent) {
      errors.push_back(sent.error().message);
      lastError = sent.error();
    }
    return sent.ok();
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
  std::vector<std::string> errors;
  Error lastError{ErrorCode::PhoneError, "", "", {}, {}};
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
  ASSERT_TRUE(pumpUntil([&] { return view.connected && view.model == "E398"; }));

  const auto received = read();
  ASSERT_TRUE(received) << ::testing::PrintToString(errors);
  EXPECT_EQ(*received, original);

  MenuDocument doc;
  ASSERT_TRUE(LoadMenuFile(*received, doc, "phone").ok());
  const int before = doc.mainMenuItemCount();
  ASSERT_TRUE(AddCatalogueItem(doc, *doc.menuRootNode(), 0, ItemPlace::LastSubitem).ok());
  const auto edited = SerializeMenu(doc, SaveOptions{});
  ASSERT_TRUE(edited.ok());
  ASSERT_NE(edited.value(), original);

  EXPECT_TRUE(write(edited.value()));
  EXPECT_TRUE(errors.empty()) << ::testing::PrintToString(errors);
  EXPECT_EQ(fileOnPhone(kMenuPath), edited.value());
  MenuDocument reread;
  ASSERT_TRUE(LoadMenuFile(fileOnPhone(kMenuPath), reread, "phone").ok());
  EXPECT_EQ(reread.mainMenuItemCount(), before + 1);

  link->RestartPhone();
  EXPECT_EQ(bus->restarts(), 1);
  ASSERT_TRUE(pumpUntil([&] { return !view.connected; }));
  ASSERT_TRUE(pumpUntil([&] { return view.connected && view.model == "E398"; }));
  EXPECT_EQ(link->status(), 1);
}

TEST_F(UsbLinkFlow, DisconnectDuringOpenLeavesExchangeFileAndDocumentUntouched) {
  startLink();
  ASSERT_TRUE(pumpUntil([&] { return view.connected && view.model == "E398"; }));
  const std::vector<std::uint8_t> earlier{1, 2, 3};
  write(earlier);  // the exchange file holds the last menu sent
  putFile(kMenuPath, bigMenu());
  bus->disconnectAfterCommands(20);  // inside the chunked read
  EXPECT_FALSE(read());
  EXPECT_EQ(errors, std::vector<std::string>{"Error reading file"});
  // The session's own words reach the user, not only the log.
  EXPECT_NE(lastError.detail.find("File_Read failed"), std::string::npos) << lastError.detail;
  EXPECT_EQ(ReadBytes(link->exchangeFile()), earlier);
  EXPECT_EQ(recorder.linesContaining("File_Read failed"), 1u);
  ASSERT_TRUE(pumpUntil([&] { return !view.connected; }));
}

TEST_F(UsbLinkFlow, DisconnectDuringSaveFailsTheWrite) {
  startLink();
  ASSERT_TRUE(pumpUntil([&] { return view.connected; }));
  const auto menu = bigMenu();
  bus->disconnectAfterCommands(5);
  EXPECT_FALSE(write(menu));
  EXPECT_EQ(errors, std::vector<std::string>{"Error writing file"});
  EXPECT_EQ(ReadBytes(link->exchangeFile()), menu);
}

TEST_F(UsbLinkFlow, SilentPhoneCostsOneTimeoutAndTheRetryPausesNotTenTimeouts) {
  startLink();
  putFile(kMenuPath, {1, 2, 3});
  ASSERT_TRUE(pumpUntil([&] { return view.connected; }));
  bus->setSilent(true);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(read());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5 * std::chrono::milliseconds(kTimeoutMs))
      << "each retry waited out a timeout";
  EXPECT_EQ(errors, std::vector<std::string>{"Error getting file count"});
  EXPECT_EQ(std::count(log.begin(), log.end(), "pause 300"), 10);
  bus->setSilent(false);
}

// The editor's default library on this machine: real USB, most likely without a phone
// or without any USB access. It starts without an error box and shows no phone.
TEST(DefaultUsbLibrary, StartsCleanlyWithoutAPhone) {
  auto library = std::make_unique<UsbP2KLibrary>(std::make_unique<LibusbTransport>());
  std::vector<std::string> log;
  quillet::test::RecordingView view{log};
  ::testing::internal::CaptureStderr();
  {
    PhoneLink link(*library, view);
    EXPECT_TRUE(link.InitPhoneLink());
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(view.errors.empty());
    EXPECT_FALSE(view.connected);
    EXPECT_NE(library->P2K_GetStatus(), 0);
    library.reset();
  }
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

}  // namespace
}  // namespace quillet::usb::testing
