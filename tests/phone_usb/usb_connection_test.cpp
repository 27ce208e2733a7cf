// Finding and keeping the phone: modem-mode switch, unsupported and unusable phones,
// disconnects and timeouts.
#include <algorithm>

#include "usb_library_fixture.h"

namespace quillet::usb::testing {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

TEST_F(UsbLibraryTest, FindsTheTestInterfaceNumberFromTheDescriptors) {
  FakeBusOptions options;
  options.testInterface = 5;
  connect(options);
  putFile("/a/x", {7});
  EXPECT_EQ(library->File_Count(), 1);
}

TEST_F(UsbLibraryTest, PhoneInModemModeIsSwitchedAndConnects) {
  FakeBusOptions options;
  options.startInAtMode = true;
  connect(options);
  EXPECT_EQ(bus->modemWrites(), std::vector<std::string>{"AT+MODE=8\r\n"});
  EXPECT_TRUE(recorder.waitForLine("switched"));
}

TEST_F(UsbLibraryTest, PhoneThatStaysInModemModeIsReportedAfterTheWait) {
  FakeBusOptions options;
  options.startInAtMode = true;
  options.ignoreModeSwitch = true;
  make(options);
  ASSERT_EQ(library->P2K_Init([this](std::int32_t s) { recorder.notice(s); }), 0);
  EXPECT_TRUE(recorder.waitForLine("did not come back in P2K mode"));
  EXPECT_TRUE(recorder.notices().empty());
  EXPECT_EQ(bus->modemWrites().size(), 1u) << "the switch is sent once, not at every rescan";
}

TEST_F(UsbLibraryTest, BulkEndpointsInAnUnknownLayoutAreReportedOnceAndLeftAlone) {
  FakeBusOptions options;
  options.p2k05 = true;
  options.testSubclass = 0x00;
  make(options);
  ASSERT_EQ(library->P2K_Init([this](std::int32_t s) { recorder.notice(s); }), 0);
  ASSERT_TRUE(recorder.waitForLine("not one each way on subclass 3, protocol 0xFF"));
  std::this_thread::sleep_for(milliseconds(150));
  EXPECT_EQ(recorder.linesContaining("left alone"), 1u);
  EXPECT_TRUE(recorder.notices().empty());
  EXPECT_EQ(library->P2K_GetStatus(), 2);
  EXPECT_TRUE(bus->commandPackets().empty());
}

TEST_F(UsbLibraryTest, NoPermissionIsExplainedOnceAndHealsWhenAccessComes) {
  FakeBusOptions options;
  options.denyAccess = true;
  make(options);
  ASSERT_EQ(library->P2K_Init([this](std::int32_t s) { recorder.notice(s); }), 0);
  ASSERT_TRUE(recorder.waitForLine("no permission"));
  std::this_thread::sleep_for(milliseconds(150));
  EXPECT_EQ(recorder.linesContaining("no permission"), 1u);
  EXPECT_EQ(recorder.linesContaining("70-quillet-p2k.rules"), 1u);
  EXPECT_EQ(library->File_Count(), -1);
}

TEST_F(UsbLibraryTest, InterfaceClaimedElsewhereIsExplainedAndRetried) {
  FakeBusOptions options;
  options.claimedByOther = true;
  make(options);
  ASSERT_EQ(library->P2K_Init([this](std::int32_t s) { recorder.notice(s); }), 0);
  ASSERT_TRUE(recorder.waitForLine("claimed by another"));
  EXPECT_TRUE(recorder.notices().empty());
  bus->setClaimedByOther(false);
  ASSERT_TRUE(recorder.waitForNotices(1));
  EXPECT_EQ(recorder.notices(), std::vector<std::int32_t>{1});
}

TEST_F(UsbLibraryTest, NoUsbAtAllStartsQuietlyWithoutAPhone) {
  FakeBusOptions options;
  options.failStart = true;
  make(options);
  EXPECT_EQ(library->P2K_Init([this](std::int32_t s) { recorder.notice(s); }), 0);
  EXPECT_EQ(library->P2K_GetStatus(), 2);
  EXPECT_EQ(recorder.lines().size(), 1u);
  EXPECT_EQ(recorder.linesContaining("USB is not available"), 1u);
  EXPECT_EQ(library->File_Count(), -1);
}

TEST_F(UsbLibraryTest, UnplugAndPlugAreNoticed) {
  connect();
  bus->unplug();
  ASSERT_TRUE(recorder.waitForNotices(2));
  EXPECT_EQ(library->P2K_GetStatus(), 2);
  bus->plug();
  ASSERT_TRUE(recorder.waitForNotices(3));
  EXPECT_EQ(recorder.notices(), (std::vector<std::int32_t>{1, 0, 1}));
}

TEST_F(UsbLibraryTest, DisconnectInTheMiddleOfAReadFailsClearly) {
  connect();
  putFile(kMenuPath, patternBytes(50 * 1024, 6));
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  bus->disconnectAfterCommands(10);
  std::vector<std::uint8_t> buffer(65536);
  EXPECT_EQ(library->File_Read(buffer.data(), 65535, 9), -1);
  EXPECT_EQ(recorder.linesContaining("File_Read failed"), 1u);
  // The read's own line says why; the watcher may say it again as it looks at the bus.
  const std::vector<std::string> lines = recorder.lines();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) {
                            return line.find("File_Read failed") != std::string::npos &&
                                   line.find("no longer connected") != std::string::npos;
                          }),
            1);
  ASSERT_TRUE(recorder.waitForNotices(2));
  EXPECT_EQ(recorder.notices().back(), 0);
  EXPECT_EQ(library->File_Close(), -1) << "nothing left to talk to";
}

TEST_F(UsbLibraryTest, DisconnectInTheMiddleOfAWriteFailsClearly) {
  connect();
  const auto data = patternBytes(50 * 1024, 7);
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  bus->disconnectAfterCommands(20);
  EXPECT_EQ(library->File_Write(data.data(), static_cast<std::int32_t>(data.size())), -1);
  EXPECT_EQ(recorder.linesContaining("File_Write failed"), 1u);
  ASSERT_TRUE(recorder.waitForNotices(2));
  EXPECT_EQ(recorder.notices().back(), 0);
}

TEST_F(UsbLibraryTest, SilentPhoneTimesOutAtTheEndOfTheReplyWindow) {
  connect();
  bus->setSilent(true);
  const auto start = Clock::now();
  EXPECT_EQ(library->File_Count(), -1);
  const auto took = Clock::now() - start;
  EXPECT_GE(took, milliseconds(kWindowMs - 20)) << "gave up before the window closed";
  EXPECT_LT(took, milliseconds(kWindowMs * 2));
  EXPECT_EQ(recorder.linesContaining("timed out"), 1u);
}

TEST_F(UsbLibraryTest, AfterATimeoutCallsFailAtOnceUntilTheHoldEnds) {
  connect();
  putFile("/a/x", {1});
  bus->setSilent(true);
  EXPECT_EQ(library->File_Count(), -1);
  bus->setSilent(false);
  const auto start = Clock::now();
  for (int retry = 0; retry < 9; ++retry) EXPECT_EQ(library->File_Count(), -1);
  EXPECT_LT(Clock::now() - start, milliseconds(kTimeoutMs));
  EXPECT_EQ(recorder.linesContaining("left alone"), 9u);
  std::this_thread::sleep_for(milliseconds(kHoldMs));
  EXPECT_EQ(library->File_Count(), 1);
}

TEST_F(UsbLibraryTest, HeldPollsAreAskedAgainWithinTheReplyWindow) {
  FakeBusOptions options;
  options.holdPolls = true;
  connect(options);
  putFile("/a/x", {1});
  // Each poll runs out after one transfer timeout; the reply comes later, inside the window.
  bus->setReplyDelay(milliseconds(kTimeoutMs + 100));
  EXPECT_EQ(library->File_Count(), 1) << ::testing::PrintToString(recorder.lines());
}

TEST_F(UsbLibraryTest, LateReplyIsDroppedAndTheNextCallGetsItsOwnAnswer) {
  connect();
  lateReplyIsDroppedForTheNextCallsOwn();
}

TEST_F(UsbLibraryTest, StalledTransfersTimeOutWithoutHanging) {
  connect();
  bus->setStalled(true);
  const auto start = Clock::now();
  std::uint8_t buffer[100];
  EXPECT_EQ(library->Seem_Read(279, 1, 0, 0, buffer, sizeof buffer), -1);
  EXPECT_LT(Clock::now() - start, milliseconds(kTimeoutMs * 3));
  EXPECT_EQ(recorder.linesContaining("timed out"), 1u);
  bus->setStalled(false);
}

TEST_F(UsbLibraryTest, LibraryStopsPromptlyEvenWhileWatching) {
  make();
  ASSERT_EQ(library->P2K_Init([this](std::int32_t s) { recorder.notice(s); }), 0);
  const auto start = Clock::now();
  library.reset();
  EXPECT_LT(Clock::now() - start, milliseconds(500));
}

}  // namespace
}  // namespace quillet::usb::testing
