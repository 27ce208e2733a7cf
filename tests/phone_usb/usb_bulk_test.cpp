// A p2k05 phone: the calls over the bulk endpoints of its test-command interface, with
// replies split across reads, padded, refused, cut short or late, and its restart.
#include "usb_library_fixture.h"

namespace quillet::usb::testing {
namespace {

using std::chrono::milliseconds;

FakeBusOptions p2k05Phone() {
  FakeBusOptions options;
  options.p2k05 = true;
  options.testInterface = 3;
  return options;
}

TEST_F(UsbLibraryTest, P2K05PhoneTakesTwelveByteRequestsOnTheEndpointsItsDescriptorNames) {
  connect(p2k05Phone());
  EXPECT_EQ(recorder.linesContaining("is a p2k05 phone: commands go over the bulk endpoints 0x04 "
                                     "(out) and 0x85 (in) of interface 3, packets of 64 bytes"),
            1u);
  putFile("/a/x", {1}, 0x0004);
  ASSERT_EQ(library->File_Create("/a/x", 0), 0);
  // After the id: command, two zero words, the argument length in 32 bits, then the open
  // of "/a/x" with its listed attribute 4.
  const auto sent = bus->commandPackets().back();
  const std::vector<std::uint8_t> expected{0x00, 0x4A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x00,
                                           0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x2F, 0x61, 0x2F, 0x78};
  EXPECT_EQ(std::vector<std::uint8_t>(sent.begin() + 2, sent.end()), expected);
  EXPECT_EQ(library->File_Close(), 0);
  EXPECT_EQ(bus->controlTransfers(), 0);
}

// Packets of 16 bytes: the last chunk of a 1028-byte file answers 12 + 4 bytes, whole
// packets, so two zero bytes follow it, in the same read or in one of their own; they are
// neither payload nor the next reply.
class UsbBulkPaddingTest : public UsbLibraryTest {
 protected:
  void readsTheFileWhole(bool splitReplies) {
    FakeBusOptions options = p2k05Phone();
    options.bulkPacketSize = 16;
    options.splitReplies = splitReplies;
    connect(options);
    const auto original = patternBytes(0x400 + 4, 21);
    putFile(kMenuPath, original);
    std::vector<TP2KFileEntry> entries(static_cast<std::size_t>(library->File_Count()));
    ASSERT_EQ(library->File_List(entries.data(), static_cast<std::int32_t>(entries.size())), 1);
    ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
    std::vector<std::uint8_t> buffer(65536);
    ASSERT_EQ(library->File_Read(buffer.data(), 65535, 9), static_cast<std::int32_t>(original.size()));
    buffer.resize(original.size());
    EXPECT_EQ(buffer, original);
    EXPECT_EQ(library->File_Close(), 0);
    EXPECT_EQ(library->File_Count(), 1);
  }
};

TEST_F(UsbBulkPaddingTest, PaddingInTheSameReadIsNotPayload) { readsTheFileWhole(false); }

TEST_F(UsbBulkPaddingTest, RepliesInPiecesAndPaddingApartAreTakenByTheirLength) { readsTheFileWhole(true); }

TEST_F(UsbLibraryTest, P2K05RefusalIsMinusOneWithOneLine) {
  connect(p2k05Phone());
  putFile("/a/x", {1});
  bus->failNextCommands(1);
  EXPECT_EQ(library->File_Count(), -1);
  EXPECT_EQ(recorder.linesContaining("File_Count failed: counting files: the phone refused command "
                                     "0x004A (reply byte 0 is 0x81, not 0x80 or 0x82)"),
            1u);
  EXPECT_EQ(recorder.linesContaining("failed"), 1u);
  EXPECT_EQ(library->File_Count(), 1) << "the next call works again";
}

// A reply that stops short is a timeout that says how much came; what came is dropped
// before the next command.
TEST_F(UsbLibraryTest, P2K05ReplyCutShortFailsWithWhatCame) {
  connect(p2k05Phone());
  putFile("/a/x", {1});
  bus->cutNextReply(5);
  EXPECT_EQ(library->File_Count(), -1);
  EXPECT_EQ(recorder.linesContaining("reading the reply (5 of at least 12 bytes came) of command "
                                     "0x004A failed: timed out (no answer within 200 ms per "
                                     "transfer, 400 ms in all)"),
            1u);
  std::this_thread::sleep_for(milliseconds(kHoldMs));
  bus->cutNextReply(13);  // the search reply: 12 + 2 bytes
  EXPECT_EQ(library->File_Count(), -1);
  EXPECT_EQ(recorder.linesContaining("reading the reply (13 of 14 bytes came)"), 1u);
  std::this_thread::sleep_for(milliseconds(kHoldMs));
  EXPECT_EQ(library->File_Count(), 1);
}

TEST_F(UsbLibraryTest, P2K05SilentPhoneTimesOutAsOnControlTransfers) {
  connect(p2k05Phone());
  bus->setSilent(true);
  EXPECT_EQ(library->File_Count(), -1);
  EXPECT_EQ(library->lastErrorDetail(),
            "File_Count failed: counting files: waiting for the reply of command 0x004A failed: "
            "timed out (no answer within 200 ms per transfer, 400 ms in all)");
  EXPECT_EQ(library->File_Count(), -1) << "held like a control-transfer phone";
  EXPECT_EQ(recorder.linesContaining("left alone"), 1u);
}

// Nothing in these replies tells which request they answer: a reply that came after its
// window is read off before the next command goes out.
TEST_F(UsbLibraryTest, P2K05LateReplyIsDroppedAndTheNextCallGetsItsOwnAnswer) {
  connect(p2k05Phone());
  lateReplyIsDroppedForTheNextCallsOwn();
}

// Any taken answer to a write is taken; a phone that lost the data fails the size check.
TEST_F(UsbLibraryTest, P2K05WriteAnswersAreTakenAndTheSizeCheckDecides) {
  connect(p2k05Phone());
  const auto menu = patternBytes(2500, 22);
  bus->withPhone([](FakeP2KPhone& phone) { return phone.lostWrites = 100; });
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  ASSERT_EQ(library->File_Write(menu.data(), 2500), 2500);
  EXPECT_EQ(library->File_Close(), -1);
  EXPECT_EQ(recorder.linesContaining("File_Close failed: the size check found 0 bytes"), 1u);
}

TEST_F(UsbLibraryTest, P2K05RestartIsAnsweredByLeavingTheBus) {
  FakeBusOptions options = p2k05Phone();
  options.rebootDelay = milliseconds(100);
  connect(options);
  EXPECT_EQ(library->P2K_Restart(), 0);
  ASSERT_TRUE(recorder.waitForNotices(3));
  EXPECT_EQ(recorder.notices(), (std::vector<std::int32_t>{1, 0, 1}));
}

TEST_F(UsbLibraryTest, P2K05LeavingWhileTheRestartIsSentIsItsAnswerToo) {
  FakeBusOptions options = p2k05Phone();
  options.restartCutsTransfer = true;
  connect(options);
  EXPECT_EQ(library->P2K_Restart(), 0) << library->lastErrorDetail();
  EXPECT_EQ(bus->restarts(), 1);
  ASSERT_TRUE(recorder.waitForNotices(2));
  EXPECT_EQ(recorder.notices(), (std::vector<std::int32_t>{1, 0}));
  EXPECT_EQ(recorder.linesContaining("failed"), 0u);
}

TEST_F(UsbLibraryTest, P2K05DisconnectInTheMiddleOfAReadFailsClearly) {
  connect(p2k05Phone());
  putFile(kMenuPath, patternBytes(20 * 1024, 23));
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  bus->disconnectAfterCommands(5);
  std::vector<std::uint8_t> buffer(65536);
  EXPECT_EQ(library->File_Read(buffer.data(), 65535, 9), -1);
  EXPECT_TRUE(recorder.waitForLine("File_Read failed"));
  EXPECT_EQ(recorder.linesContaining("no longer connected"), 1u);
  ASSERT_TRUE(recorder.waitForNotices(2));
  EXPECT_EQ(recorder.notices().back(), 0);
}

}  // namespace
}  // namespace quillet::usb::testing
