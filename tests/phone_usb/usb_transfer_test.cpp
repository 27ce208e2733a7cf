// The eleven calls over the fake phone: model, listing, chunked read and write, restart.
#include <algorithm>
#include <cstring>

#include "usb_library_fixture.h"

namespace quillet::usb::testing {
namespace {

constexpr std::size_t kMenuSize = 50 * 1024;

TEST_F(UsbLibraryTest, StatusIsZeroBeforeInitAndOneWithAPhone) {
  make();
  EXPECT_EQ(library->P2K_GetStatus(), 0);
  ASSERT_EQ(library->P2K_Init([this](std::int32_t s) { recorder.notice(s); }), 0);
  ASSERT_TRUE(recorder.waitForNotices(1));
  EXPECT_EQ(recorder.notices(), std::vector<std::int32_t>{1});
  EXPECT_EQ(library->P2K_GetStatus(), 1);
}

TEST_F(UsbLibraryTest, ModelNameComesAsUtf16BigEndianEndedByZeros) {
  connect();
  bus->withPhone([](FakeP2KPhone& phone) { return phone.model = "V3x"; });
  std::vector<std::uint8_t> buffer(10000, 0xEE);
  ASSERT_GT(library->Seem_Read(279, 1, 0, 0, buffer.data(), buffer.size()), 0);
  const std::vector<std::uint8_t> expected{0, 'V', 0, '3', 0, 'x', 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 8), expected);
  EXPECT_EQ(buffer.back(), 0) << "stale bytes after the seem data";
}

TEST_F(UsbLibraryTest, UnknownSeemIsAFailureWithAReason) {
  connect();
  std::uint8_t buffer[64];
  EXPECT_EQ(library->Seem_Read(280, 1, 0, 0, buffer, sizeof buffer), -1);
  EXPECT_EQ(recorder.linesContaining("Seem_Read failed"), 1u);
}

TEST_F(UsbLibraryTest, ListsEveryFileWithSizeAndAttributeHalves) {
  connect();
  putFile(kMenuPath, patternBytes(kMenuSize, 1), 0x0012, 0x0034);
  for (int i = 0; i < 20; ++i) putFile("/a/pictures/p" + std::to_string(i) + ".gif", {1, 2, 3});
  ASSERT_EQ(library->File_Count(), 21);
  std::vector<TP2KFileEntry> entries(21);
  ASSERT_EQ(library->File_List(entries.data(), 21), 21);
  const auto menu = std::find_if(entries.begin(), entries.end(),
                                 [](const TP2KFileEntry& e) { return std::strcmp(e.name, kMenuPath) == 0; });
  ASSERT_NE(menu, entries.end());
  EXPECT_EQ(menu->size, kMenuSize);
  // The value handed back to File_Create is the attribute alone; the owner is never sent.
  EXPECT_EQ(menu->attrHigh, 0);
  EXPECT_EQ(menu->attrLow, 0x0012);
  EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](const TP2KFileEntry& e) { return e.size == 3; }),
            20);
}

TEST_F(UsbLibraryTest, ListFillsNoMoreThanAskedAndClearsUnfilledEntries) {
  connect();
  putFile("/a/one", {1});
  putFile("/a/two", {1, 2});
  std::vector<TP2KFileEntry> few(1);
  EXPECT_EQ(library->File_List(few.data(), 1), 1);
  std::vector<TP2KFileEntry> many(4);
  many[3].size = 99;
  EXPECT_EQ(library->File_List(many.data(), 4), 2);
  EXPECT_EQ(many[3].size, 0u);
  EXPECT_EQ(many[3].name[0], '\0');
}

TEST_F(UsbLibraryTest, ReadsFiftyKibibytesInChunksByteExact) {
  connect();
  const auto original = patternBytes(kMenuSize, 2);
  putFile(kMenuPath, original);
  std::vector<TP2KFileEntry> entries(library->File_Count());
  ASSERT_GE(library->File_List(entries.data(), static_cast<std::int32_t>(entries.size())), 1);
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  ASSERT_EQ(library->File_SetPointer(0, 0), 0);
  std::vector<std::uint8_t> buffer(65536);
  ASSERT_EQ(library->File_Read(buffer.data(), 65535, 9), static_cast<std::int32_t>(kMenuSize));
  EXPECT_EQ(library->File_Close(), 0);
  EXPECT_TRUE(std::equal(original.begin(), original.end(), buffer.begin()));
  bus->withPhone([](FakeP2KPhone& phone) {
    EXPECT_EQ(phone.readCalls, kMenuSize / 0x400);
    EXPECT_EQ(phone.largestReadChunk, 0x400u);
    return 0;
  });
}

// Progress comes chunk by chunk; a read stops when told to, a write never does.
TEST_F(UsbLibraryTest, TransfersReportEveryChunkAndOnlyAReadCanBeStopped) {
  connect();
  putFile(kMenuPath, patternBytes(5000, 4));
  std::vector<std::size_t> reported;
  library->setTransferProgress([&](std::size_t done, std::size_t total) {
    EXPECT_EQ(total, 5000u);
    reported.push_back(done);
    return done < 2048;
  });
  std::vector<TP2KFileEntry> entries(library->File_Count());
  ASSERT_GE(library->File_List(entries.data(), static_cast<std::int32_t>(entries.size())), 1);
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  std::vector<std::uint8_t> buffer(65536);
  EXPECT_EQ(library->File_Read(buffer.data(), 65535, 9), -1);
  EXPECT_EQ(library->lastErrorDetail(), "File_Read failed: stopped after 2048 of 5000 bytes");
  EXPECT_EQ(reported, (std::vector<std::size_t>{1024, 2048}));
  EXPECT_EQ(library->File_Close(), 0);

  reported.clear();
  const auto written = patternBytes(5000, 5);
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  ASSERT_EQ(library->File_Write(written.data(), 5000), 5000);
  ASSERT_EQ(library->File_Close(), 0);
  EXPECT_EQ(reported, (std::vector<std::size_t>{1024, 2048, 3072, 4096, 5000}));
  EXPECT_EQ(fileOnPhone(kMenuPath), written);
}

TEST_F(UsbLibraryTest, ReadWithoutAListingStopsAtTheShortChunk) {
  connect();
  putFile("/a/odd", patternBytes(3000, 3));
  ASSERT_EQ(library->File_Create("/a/odd", 0), 0);
  std::vector<std::uint8_t> buffer(65536);
  EXPECT_EQ(library->File_Read(buffer.data(), 65535, 9), 3000);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 3000), patternBytes(3000, 3));
}

TEST_F(UsbLibraryTest, WritesFiftyKibibytesInChunksByteExact) {
  connect();
  const auto written = patternBytes(kMenuSize, 4);
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  ASSERT_EQ(library->File_Write(written.data(), static_cast<std::int32_t>(kMenuSize)),
            static_cast<std::int32_t>(kMenuSize));
  ASSERT_EQ(library->File_Close(), 0);
  EXPECT_EQ(fileOnPhone(kMenuPath), written);
  bus->withPhone([](FakeP2KPhone& phone) {
    EXPECT_EQ(phone.writeCalls, kMenuSize / 0x400);
    EXPECT_EQ(phone.largestWriteChunk, 0x400u);
    return 0;
  });
}

TEST_F(UsbLibraryTest, WriteOfAnOddSizeEndsWithAShortChunk) {
  connect();
  const auto written = patternBytes(0x400 * 3 + 17, 5);
  ASSERT_EQ(library->File_Create("/a/odd", 0), 0);
  ASSERT_EQ(library->File_Write(written.data(), static_cast<std::int32_t>(written.size())),
            static_cast<std::int32_t>(written.size()));
  EXPECT_EQ(fileOnPhone("/a/odd"), written);
  EXPECT_EQ(bus->withPhone([](FakeP2KPhone& phone) { return phone.writeCalls; }), 4u);
}

// The open sets the attribute: writing keeps the listed one although the link passes 0,
// and the replacement goes delete, open, chunks, close, then a listing to check the size.
TEST_F(UsbLibraryTest, WriteDeletesReopensWithTheListedAttributeAndChecksTheSize) {
  connect();
  putFile(kMenuPath, patternBytes(3000, 8), 0x0004, 0x0009);
  const auto shorter = patternBytes(1000, 9);
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  ASSERT_EQ(library->File_Write(shorter.data(), 1000), 1000);
  ASSERT_EQ(library->File_Close(), 0);
  EXPECT_EQ(fileOnPhone(kMenuPath), shorter);
  bus->withPhone([](FakeP2KPhone& phone) {
    EXPECT_EQ(phone.files[kMenuPath].attributes, 0x0004);
    // Search and list: the attribute; open; then free space, close, delete, open, write,
    // close, and search and list: the size check. The volume list is never asked for.
    EXPECT_EQ(phone.fileSubcommands,
              (std::vector<std::uint32_t>{0x07, 0x08, 0x00, 0x0B, 0x04, 0x05, 0x00, 0x02, 0x04, 0x07, 0x08}));
    return 0;
  });
  // The open for "/a/x" with listed attribute 4, byte for byte.
  putFile("/a/x", {1}, 0x0004);
  ASSERT_EQ(library->File_Create("/a/x", 0), 0);
  const auto sent = bus->commandPackets().back();
  const std::vector<std::uint8_t> expected{0x00, 0x4A, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00,
                                           0x00, 0x00, 0x00, 0x00, 0x04, 0x2F, 0x61, 0x2F, 0x78};
  EXPECT_EQ(std::vector<std::uint8_t>(sent.begin() + 2, sent.end()), expected);
}

TEST_F(UsbLibraryTest, SizeMismatchIsReportedAndWrittenOnceMore) {
  connect();
  putFile(kMenuPath, patternBytes(3000, 13));
  const auto menu = patternBytes(2500, 14);
  bus->withPhone([](FakeP2KPhone& phone) { return phone.lostWrites = 1; });
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  ASSERT_EQ(library->File_Write(menu.data(), 2500), 2500);
  EXPECT_EQ(library->File_Close(), 0);
  EXPECT_EQ(recorder.linesContaining("found 1476 bytes in /a/mobile/system/mma_ucp after "
                                     "writing 2500; writing the file once more"),
            1u);
  EXPECT_EQ(fileOnPhone(kMenuPath), menu);
  // A phone that keeps losing data fails the close after the one retry.
  bus->withPhone([](FakeP2KPhone& phone) { return phone.lostWrites = 100; });
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  ASSERT_EQ(library->File_Write(menu.data(), 2500), 2500);
  EXPECT_EQ(library->File_Close(), -1);
  EXPECT_EQ(recorder.linesContaining("File_Close failed: the size check found 0 bytes"), 1u);
}

TEST_F(UsbLibraryTest, TooLittleFreeSpaceLeavesThePhoneFileAsItWas) {
  connect();
  const auto old = patternBytes(3000, 11);
  putFile(kMenuPath, old);
  bus->withPhone([](FakeP2KPhone& phone) { return phone.capacity = 4000; });
  const auto longer = patternBytes(5000, 12);
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  EXPECT_EQ(library->File_Write(longer.data(), 5000), -1);
  EXPECT_EQ(recorder.linesContaining("only 4000 bytes are free on /a"), 1u);
  EXPECT_EQ(fileOnPhone(kMenuPath), old);
}

TEST_F(UsbLibraryTest, ReadAndWriteWithoutAnOpenFileFail) {
  connect();
  std::uint8_t byte = 0;
  EXPECT_EQ(library->File_Read(&byte, 1, 9), -1);
  EXPECT_EQ(library->File_Write(&byte, 1), -1);
  EXPECT_EQ(recorder.linesContaining("no file is open"), 2u);
}

TEST_F(UsbLibraryTest, PathsTheOpenCommandCannotCarryAreRefusedBeforeSending) {
  connect();
  const std::string tooLong(UsbP2KLibrary::kDefaultMaxPathLength + 1, 'x');
  EXPECT_EQ(library->File_Create(tooLong.c_str(), 0), -1);
  EXPECT_EQ(library->File_Create("", 0), -1);
  EXPECT_EQ(library->File_SetPointer(0, 1), -1);
  EXPECT_TRUE(bus->withPhone([](FakeP2KPhone& phone) { return phone.commands.empty(); }));
  EXPECT_EQ(recorder.linesContaining("failed"), 3u);
}

TEST_F(UsbLibraryTest, RestartSendsTheCommandAndThePhoneLeavesThenReturns) {
  FakeBusOptions options;
  options.rebootDelay = std::chrono::milliseconds(100);
  connect(options);
  EXPECT_EQ(library->P2K_Restart(), 0);
  EXPECT_EQ(bus->restarts(), 1);
  EXPECT_NE(library->P2K_GetStatus(), 1);
  ASSERT_TRUE(recorder.waitForNotices(3));
  EXPECT_EQ(recorder.notices(), (std::vector<std::int32_t>{1, 0, 1}));
  EXPECT_EQ(library->P2K_GetStatus(), 1);
}

TEST_F(UsbLibraryTest, PhoneThatIgnoresTheRestartIsLetGoAndFoundAgain) {
  FakeBusOptions options;
  options.ignoreRestart = true;
  connect(options);
  EXPECT_EQ(library->P2K_Restart(), 0);
  EXPECT_EQ(library->File_Count(), -1) << "no commands while the restart is awaited";
  ASSERT_TRUE(recorder.waitForNotices(3));
  EXPECT_EQ(recorder.notices(), (std::vector<std::int32_t>{1, 0, 1}));
  EXPECT_EQ(recorder.linesContaining("stayed on the bus after the restart"), 1u);
  putFile("/a/x", {1});
  EXPECT_EQ(library->File_Count(), 1) << ::testing::PrintToString(recorder.lines());
}

TEST_F(UsbLibraryTest, PhoneRefusalIsMinusOneWithTheReason) {
  connect();
  putFile(kMenuPath, {1, 2, 3});
  bus->failNextCommands(1);
  EXPECT_EQ(library->File_Count(), -1);
  EXPECT_TRUE(recorder.waitForLine("File_Count failed"));
  EXPECT_EQ(recorder.linesContaining("refused"), 1u);
  EXPECT_EQ(library->File_Count(), 1) << "the next call works again";
}

// A phone that answers only the third free-space layout still takes the menu; the layout
// that worked is logged once and asked first from then on.
TEST_F(UsbLibraryTest, FreeSpaceLayoutsAreTriedInTurnAndTheOneThatWorkedIsKept) {
  connect();
  putFile(kMenuPath, patternBytes(100, 1));
  bus->withPhone([](FakeP2KPhone& phone) { return phone.freeSpaceLayout = 3; });
  const auto menu = patternBytes(2000, 2);
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
    ASSERT_EQ(library->File_Write(menu.data(), 2000), 2000) << ::testing::PrintToString(recorder.lines());
    ASSERT_EQ(library->File_Close(), 0);
  }
  EXPECT_EQ(fileOnPhone(kMenuPath), menu);
  EXPECT_EQ(recorder.linesContaining("answered layout 3 (word 0x0006"), 1u);
  const auto subcommands = bus->withPhone([](FakeP2KPhone& phone) { return phone.fileSubcommands; });
  EXPECT_EQ(std::count(subcommands.begin(), subcommands.end(), 0x0Bu), 4) << "three, then one";

  // The layouts as sent, byte for byte after the subcommand: "/a" is 0x002F 0x0061.
  std::vector<std::vector<std::uint8_t>> asked;
  for (const auto& packet : bus->commandPackets())
    if (packet.size() > 12 && packet[11] == 0x0B) asked.emplace_back(packet.begin() + 12, packet.end());
  ASSERT_GE(asked.size(), 3u);
  EXPECT_EQ(asked[0].size(), 0x100u - 4);
  EXPECT_EQ(std::vector<std::uint8_t>(asked[0].begin(), asked[0].begin() + 8),
            (std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0x2F, 0x00, 0x61, 0x00, 0x00}));
  EXPECT_EQ(asked[1], (std::vector<std::uint8_t>{0xFF, 0xFE, 0x00, 0x2F, 0x00, 0x61, 0x00, 0x00}));
  EXPECT_EQ(asked[2], (std::vector<std::uint8_t>{0x00, 0x06, 0x00, 0x2F, 0x00, 0x61}));
}

TEST_F(UsbLibraryTest, NoFreeSpaceLayoutAnsweredLeavesTheFileAsItWas) {
  connect();
  const auto old = patternBytes(100, 1);
  putFile(kMenuPath, old);
  bus->withPhone([](FakeP2KPhone& phone) { return phone.freeSpaceLayout = 0; });
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  const auto menu = patternBytes(200, 2);
  EXPECT_EQ(library->File_Write(menu.data(), 200), -1);
  EXPECT_EQ(recorder.linesContaining("answered none of the 3 free-space layouts"), 1u);
  EXPECT_EQ(fileOnPhone(kMenuPath), old);
}

// The volume list is never a condition of anything: a phone that refuses it is listed,
// read and written all the same.
TEST_F(UsbLibraryTest, APhoneThatRefusesTheVolumeListIsUsedAllTheSame) {
  connect();
  putFile(kMenuPath, patternBytes(100, 1));
  bus->withPhone([](FakeP2KPhone& phone) { return phone.refuseVolumes = true; });
  EXPECT_EQ(library->File_Count(), 1);
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  const auto menu = patternBytes(300, 3);
  EXPECT_EQ(library->File_Write(menu.data(), 300), 300);
  EXPECT_EQ(library->File_Close(), 0);
  EXPECT_EQ(fileOnPhone(kMenuPath), menu);
}

TEST_F(UsbLibraryTest, AReadOnlyFileIsRefusedBeforeAnythingIsDeleted) {
  connect();
  const auto old = patternBytes(500, 4);
  putFile(kMenuPath, old, 0x0001);
  ASSERT_EQ(library->File_Create(kMenuPath, 0), 0);
  const auto menu = patternBytes(200, 5);
  EXPECT_EQ(library->File_Write(menu.data(), 200), -1);
  EXPECT_EQ(recorder.linesContaining("marks /a/mobile/system/mma_ucp read-only"), 1u);
  EXPECT_EQ(fileOnPhone(kMenuPath), old);
  const auto subcommands = bus->withPhone([](FakeP2KPhone& phone) { return phone.fileSubcommands; });
  EXPECT_EQ(std::count(subcommands.begin(), subcommands.end(), 0x05u), 0) << "no delete was sent";
}

// A phone that lists 0x2C-byte records holds names of at most 35 bytes: the listing
// teaches the limit, and a longer path is refused before the open goes out.
TEST_F(UsbLibraryTest, ThePathLimitComesFromTheRecordsThePhoneLists) {
  connect();
  putFile(kMenuPath, patternBytes(10, 1));
  bus->withPhone([](FakeP2KPhone& phone) { return phone.nameField = 36; });
  ASSERT_EQ(library->File_Count(), 1);
  std::vector<TP2KFileEntry> entries(1);
  ASSERT_EQ(library->File_List(entries.data(), 1), 1);
  EXPECT_STREQ(entries[0].name, kMenuPath);
  const std::string longer = "/a/mobile/system/a_name_of_36_bytes_";
  ASSERT_EQ(longer.size(), 36u);
  const auto sent = bus->commandPackets().size();
  EXPECT_EQ(library->File_Create(longer.c_str(), 0), -1);
  EXPECT_EQ(bus->commandPackets().size(), sent);
  EXPECT_EQ(recorder.linesContaining("the path is 36 bytes long; this phone's file names hold at "
                                     "most 35 bytes"),
            1u);
  EXPECT_EQ(library->File_Create(kMenuPath, 0), 0);
}

TEST_F(UsbLibraryTest, TheRestartReplyIsFetched) {
  FakeBusOptions options;
  options.ignoreRestart = true;  // the phone stays long enough to answer
  connect(options);
  const int before = bus->controlTransfers();
  EXPECT_EQ(library->P2K_Restart(), 0);
  EXPECT_GE(bus->controlTransfers() - before, 3) << "command, poll and fetch";
}

}  // namespace
}  // namespace quillet::usb::testing
