// Sending a menu to the phone through the exchange file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "link_fixture.h"

namespace quillet::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kMenu = "/a/mobile/system/mma_ucp";

class WritePhoneFile : public LinkTest {
 protected:
  std::vector<std::uint8_t> menu = Pattern(1234, 5);
};

TEST_F(WritePhoneFile, SendsTheWholeMenuWithoutListing) {
  EXPECT_TRUE(write(menu));
  EXPECT_THAT(log, ElementsAre(std::string("File_Create ") + kMenu + " 0", "File_Write 1234", "File_Close"));
  EXPECT_EQ(library.written, menu);
  EXPECT_EQ(ReadBytes(exchangeFile()), menu);
  EXPECT_TRUE(errors.empty());
}

TEST_F(WritePhoneFile, OpenRetriesUntilZero) {
  library.create.queued = {-1, 3, -1};
  write(menu);
  EXPECT_EQ(entriesStartingWith("File_Create").size(), 4u);
  EXPECT_EQ(countOf("pause 300"), 2);
  EXPECT_TRUE(errors.empty());  // the write succeeded
}

TEST_F(WritePhoneFile, OpenFailingTenTimesEndsWithItsMessage) {
  library.create.otherwise = -1;
  write(menu);
  EXPECT_EQ(entriesStartingWith("File_Create").size(), 10u);
  EXPECT_EQ(countOf("pause 300"), 10);
  EXPECT_THAT(errors, ElementsAre("Error creating file"));
  EXPECT_THAT(entriesStartingWith("File_Write"), IsEmpty());
  EXPECT_FALSE(errors.empty());  // the write failed
  EXPECT_EQ(ReadBytes(exchangeFile()), menu);
}

TEST_F(WritePhoneFile, OpenNeverZeroButNotFailingStillWrites) {
  library.create.otherwise = 2;
  write(menu);
  EXPECT_EQ(entriesStartingWith("File_Create").size(), 10u);
  EXPECT_EQ(library.written, menu);
  EXPECT_TRUE(errors.empty());  // the write succeeded
}

TEST_F(WritePhoneFile, WriteFailureLeavesThePhoneFileOpen) {
  library.write.otherwise = -1;
  library.detail = "File_Write failed: the phone's storage is full";
  write(menu);
  EXPECT_THAT(errors, ElementsAre("Error writing file"));
  EXPECT_EQ(lastError.detail, library.detail);
  EXPECT_EQ(lastError.path, kMenu);
  EXPECT_EQ(countOf("File_Write 1234"), 1);  // writing is not retried
  EXPECT_FALSE(logged("File_Close"));
  EXPECT_FALSE(errors.empty());  // the write failed
}

TEST_F(WritePhoneFile, AFailedCloseIsAFailedWrite) {
  library.close.otherwise = -1;
  library.detail = "the phone lists 1000 bytes where 1234 were written";
  write(menu);
  EXPECT_THAT(errors, ElementsAre("Error writing file"));
  EXPECT_EQ(lastError.detail, library.detail);
  EXPECT_FALSE(errors.empty());  // the write failed
}

TEST_F(WritePhoneFile, UnmakeableExchangeFolderIsReportedBeforeAnyPhoneCall) {
  makeLink(folder.file("missing-folder"));
  write(menu);
  EXPECT_THAT(log, ElementsAre("error Cannot write the exchange file"));
  EXPECT_FALSE(errors.empty());  // the write failed
}

TEST_F(WritePhoneFile, MenuLongerThanTheTransferIsRefused) {
  write(Pattern(65536));
  EXPECT_THAT(errors,
              ElementsAre("The menu file is 65536 bytes long; the phone link transfers at most 65535 bytes"));
  EXPECT_THAT(entriesStartingWith("File_Create"), IsEmpty());
  EXPECT_FALSE(errors.empty());  // the write failed
}

TEST_F(WritePhoneFile, MenuOfExactlyTheTransferLimitIsSent) {
  menu = Pattern(65535, 2);
  write(menu);
  EXPECT_EQ(library.written, menu);
  EXPECT_TRUE(errors.empty());  // the write succeeded
}

TEST_F(WritePhoneFile, ShorterFileAfterALongerOneSendsOnlyItsOwnBytes) {
  write(menu);
  menu = Pattern(10, 77);
  write(menu);
  EXPECT_EQ(library.written, menu);
}

}  // namespace
}  // namespace quillet::test
