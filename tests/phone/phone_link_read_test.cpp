// Reading the phone's menu file through the exchange file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "link_fixture.h"

namespace quillet::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kMenu = "/a/mobile/system/mma_ucp";

class ReadPhoneFile : public LinkTest {
 protected:
  ReadPhoneFile() {
    library.phoneFile = Pattern(300, 7);
    library.listing = {MakeEntry("/a/mobile/system/other", 10), MakeEntry(kMenu, 300, 0x0001, 0x0002),
                       MakeEntry("/a/mobile/system/mma_ucp.bak", 20)};
  }
};

TEST_F(ReadPhoneFile, CopiesTheMenuFileIntoTheExchangeFile) {
  EXPECT_TRUE(read());
  EXPECT_THAT(
      log, ElementsAre("status Getting file count", "File_Count", "status Getting file list", "File_List 3",
                       "status Files found: 3", std::string("File_Create ") + kMenu + " 65538",
                       "File_SetPointer 0 0", "File_Read 65535 9", "File_Close"));
  EXPECT_EQ(received, library.phoneFile);
  EXPECT_EQ(ReadBytes(exchangeFile()), library.phoneFile);
  EXPECT_EQ(link->FileCount, 3);
  ASSERT_EQ(link->FileList.size(), 3u);
  EXPECT_STREQ(link->FileList[1].name, kMenu);
  EXPECT_EQ(view.statusLine, "Files found: 3");
  EXPECT_TRUE(errors.empty());
}

TEST_F(ReadPhoneFile, CountFailingTwiceGoesOnAfterTwoPauses) {
  library.count.queued = {-1, -1};
  EXPECT_TRUE(read());
  EXPECT_THAT(entriesStartingWith("File_Count"), ElementsAre("File_Count", "File_Count", "File_Count"));
  EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 6),
              ElementsAre("status Getting file count", "File_Count", "pause 300", "File_Count", "pause 300",
                          "File_Count"));
  EXPECT_EQ(countOf("pause 300"), 2);
}

TEST_F(ReadPhoneFile, CountFailingTenTimesEndsWithItsMessage) {
  library.count.otherwise = -1;
  EXPECT_FALSE(read());
  EXPECT_EQ(countOf("File_Count"), 10);
  EXPECT_EQ(countOf("pause 300"), 10);
  EXPECT_THAT(errors, ElementsAre("Error getting file count"));
  EXPECT_FALSE(logged("File_List 3"));
  EXPECT_FALSE(std::filesystem::exists(exchangeFile()));
}

// The user gives the read up: during a retry pause it ends there, without the other
// retries; when the library stopped the file's read, the phone file is closed again.
TEST_F(ReadPhoneFile, ACancelledReadEndsAtItsNextStepAndClosesTheFile) {
  bool cancelInPause = true;
  PhoneLinkHooks hooks;
  hooks.pause = [this](int ms) { log.push_back("pause " + std::to_string(ms)); };
  hooks.exchangeParent = folder.path().string();
  hooks.cancelled = [&] { return cancelInPause ? logged("pause 300") : logged("File_Read 65535 9"); };
  link = std::make_unique<PhoneLink>(library, view, hooks);
  const std::string cancelled = std::string("error ") + PhoneLink::kCancelledMessage;

  library.count.queued = {-1};
  EXPECT_FALSE(read());
  EXPECT_THAT(log, ElementsAre("status Getting file count", "File_Count", "pause 300", cancelled));

  log.clear();
  cancelInPause = false;
  library.read.queued = {-1};  // the library stopped the read at the user's word
  EXPECT_FALSE(read());
  EXPECT_THAT(std::vector<std::string>(log.end() - 3, log.end()),
              ElementsAre("File_Read 65535 9", "File_Close", cancelled));
  EXPECT_FALSE(std::filesystem::exists(exchangeFile()));
}

TEST_F(ReadPhoneFile, ImpossibleCountsAreFailedCounts) {
  for (std::int32_t bad : {-5, 70000, 2000000000}) {
    library.count.queued = {bad};
    EXPECT_FALSE(read());
    EXPECT_THAT(entriesStartingWith("File_List"), IsEmpty());
  }
  EXPECT_THAT(errors, ElementsAre("Error getting file count", "Error getting file count",
                                  "Error getting file count"));
}

TEST_F(ReadPhoneFile, ListFailureEndsWithItsMessage) {
  library.list.otherwise = -1;
  EXPECT_FALSE(read());
  EXPECT_EQ(countOf("File_List 3"), 1);  // listing is not retried
  EXPECT_EQ(countOf("pause 300"), 0);
  EXPECT_THAT(errors, ElementsAre("Error getting file list"));
  EXPECT_THAT(entriesStartingWith("File_Create"), IsEmpty());
}

TEST_F(ReadPhoneFile, FirstOpenSucceedingLeavesNineAttempts) {
  read();
  EXPECT_EQ(countOf("File_Read 65535 9"), 1);
}

TEST_F(ReadPhoneFile, OpenRetriesAfterFailuresAndCountsTheAttemptsLeft) {
  library.create.queued = {-1, -1};
  EXPECT_TRUE(read());
  EXPECT_EQ(entriesStartingWith("File_Create").size(), 3u);
  EXPECT_EQ(countOf("pause 300"), 2);
  EXPECT_EQ(countOf("File_Read 65535 7"), 1);
}

TEST_F(ReadPhoneFile, OpenNeverZeroNorFailingIsTriedTenTimesAndTheReadGoesOn) {
  library.create.otherwise = 5;
  EXPECT_TRUE(read());
  EXPECT_EQ(entriesStartingWith("File_Create").size(), 10u);
  EXPECT_EQ(countOf("pause 300"), 0);
  EXPECT_EQ(countOf("File_Read 65535 0"), 1);
  EXPECT_TRUE(errors.empty());
}

TEST_F(ReadPhoneFile, OpenWhoseLastResultFailsEndsWithItsMessage) {
  library.create.queued = {5, 5, 5, 5, 5, 5, 5, 5, 5, -1};
  EXPECT_FALSE(read());
  EXPECT_THAT(errors, ElementsAre("Error opening file"));
  EXPECT_EQ(countOf("pause 300"), 1);
  EXPECT_THAT(entriesStartingWith("File_Read"), IsEmpty());
}

TEST_F(ReadPhoneFile, OpenFailingTenTimesEndsWithItsMessage) {
  library.create.otherwise = -1;
  EXPECT_FALSE(read());
  EXPECT_EQ(entriesStartingWith("File_Create").size(), 10u);
  EXPECT_EQ(countOf("pause 300"), 10);
  EXPECT_THAT(errors, ElementsAre("Error opening file"));
}

TEST_F(ReadPhoneFile, ReadFailureLeavesThePhoneFileOpenAndNoExchangeFile) {
  library.read.otherwise = -1;
  EXPECT_FALSE(read());
  EXPECT_THAT(errors, ElementsAre("Error reading file"));
  EXPECT_FALSE(logged("File_Close"));
  EXPECT_FALSE(std::filesystem::exists(exchangeFile()));
}

TEST_F(ReadPhoneFile, ExchangeFileGetsExactlyTheListedSizeWhateverTheReadReturned) {
  library.phoneFile = Pattern(400, 3);  // the phone hands over more than listed
  library.read.otherwise = 65535;
  EXPECT_TRUE(read());
  const std::vector<std::uint8_t> expected(library.phoneFile.begin(), library.phoneFile.begin() + 300);
  EXPECT_EQ(ReadBytes(exchangeFile()), expected);
}

TEST_F(ReadPhoneFile, ShortReadNeverWritesBytesLeftFromAnEarlierTransfer) {
  EXPECT_TRUE(read());  // fills the transfer buffer with 300 bytes
  library.phoneFile = Pattern(100, 9);
  library.read.otherwise = 100;  // the phone delivers only 100 of the 300 listed
  EXPECT_FALSE(read());
  EXPECT_THAT(errors, ElementsAre("Error reading file"));
  EXPECT_EQ(countOf("File_Close"), 2);                // the read itself worked, so the file is closed
  EXPECT_EQ(ReadBytes(exchangeFile()).size(), 300u);  // the earlier complete copy stands
}

TEST_F(ReadPhoneFile, MissingMenuEntryIsReportedLikeAFailedOpen) {
  library.listing = {MakeEntry("/a/mobile/system/mma_ucp.bak", 20), MakeEntry("/a/mobile/system/mma_uc", 10),
                     MakeEntry("/A/MOBILE/SYSTEM/MMA_UCP", 10)};
  EXPECT_FALSE(read());
  EXPECT_THAT(errors, ElementsAre("Error opening file"));
  EXPECT_THAT(entriesStartingWith("File_Create"), IsEmpty());
}

TEST_F(ReadPhoneFile, EmptyListIsReportedLikeAFailedOpen) {
  library.listing.clear();
  EXPECT_FALSE(read());
  EXPECT_THAT(log, ::testing::Contains("File_List 0"));
  EXPECT_THAT(errors, ElementsAre("Error opening file"));
}

TEST_F(ReadPhoneFile, NameFillingTheWholeEntryIsComparedWithinItsBytes) {
  TP2KFileEntry unterminated;
  std::fill(std::begin(unterminated.name), std::end(unterminated.name), 'a');
  unterminated.size = 1;
  library.listing = {unterminated, MakeEntry(kMenu, 300)};
  EXPECT_TRUE(read());
}

TEST_F(ReadPhoneFile, FirstMatchingEntryIsUsed) {
  library.listing = {MakeEntry(kMenu, 5, 0, 6), MakeEntry(kMenu, 300, 0, 12)};
  EXPECT_TRUE(read());
  EXPECT_TRUE(logged(std::string("File_Create ") + kMenu + " 6"));
  EXPECT_EQ(ReadBytes(exchangeFile()).size(), 5u);
}

TEST_F(ReadPhoneFile, FileLongerThanTheTransferIsRefusedBeforeOpening) {
  library.listing = {MakeEntry(kMenu, 65536)};
  EXPECT_FALSE(read());
  EXPECT_THAT(errors, ElementsAre("The phone file /a/mobile/system/mma_ucp is 65536 bytes long; the phone "
                                  "link transfers at most 65535 bytes"));
  EXPECT_THAT(entriesStartingWith("File_Create"), IsEmpty());
  EXPECT_FALSE(std::filesystem::exists(exchangeFile()));
}

TEST_F(ReadPhoneFile, FileOfExactlyTheTransferLimitIsCopied) {
  library.phoneFile = Pattern(65535, 1);
  library.listing = {MakeEntry(kMenu, 65535)};
  EXPECT_TRUE(read());
  EXPECT_EQ(ReadBytes(exchangeFile()), library.phoneFile);
}

TEST_F(ReadPhoneFile, EmptyPhoneFileGivesAnEmptyExchangeFile) {
  library.phoneFile.clear();
  library.listing = {MakeEntry(kMenu, 0)};
  EXPECT_TRUE(read());
  EXPECT_TRUE(std::filesystem::exists(exchangeFile()));
  EXPECT_TRUE(ReadBytes(exchangeFile()).empty());
}

TEST_F(ReadPhoneFile, UnmakeableExchangeFolderIsReportedWithItsPath) {
  const std::string missing = folder.file("missing-folder");
  makeLink(missing);
  EXPECT_FALSE(read());
  EXPECT_THAT(errors, ElementsAre("Cannot write the exchange file"));
  EXPECT_EQ(lastError.path, missing);
  EXPECT_THAT(lastError.detail, ::testing::HasSubstr("No such file or directory"));
}

// Each failure keeps the design's message as it stands; the library's reason and the
// phone file travel beside it.
TEST_F(ReadPhoneFile, FailuresKeepTheLibrarysReasonAndThePhonePath) {
  library.detail = "File_Count failed: the phone did not answer";
  library.count.otherwise = -1;
  EXPECT_FALSE(read());
  EXPECT_EQ(lastError.message, "Error getting file count");
  EXPECT_EQ(lastError.detail, library.detail);
  EXPECT_EQ(lastError.path, kMenu);

  library.count.otherwise = -2;
  library.listing = {MakeEntry("/a/mobile/system/other", 10)};
  EXPECT_FALSE(read());
  EXPECT_EQ(lastError.message, "Error opening file");
  EXPECT_EQ(lastError.detail, std::string("the phone has no file ") + kMenu);
}

TEST_F(ReadPhoneFile, EveryReadStartsWithAnEmptyList) {
  read();
  ASSERT_EQ(link->FileList.size(), 3u);
  library.count.otherwise = -1;
  read();
  EXPECT_TRUE(link->FileList.empty());
}

}  // namespace
}  // namespace quillet::test
