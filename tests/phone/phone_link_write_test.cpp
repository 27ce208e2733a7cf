// Sending the exchange file to the phone.
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
  WritePhoneFile() { WriteBytes(exchangeFile(), menu); }
  std::string exchangeFile() const { return folder.file("mma_temp"); }
  std::vector<std::uint8_t> menu = Pattern(1234, 5);
};

TEST_F(WritePhoneFile, SendsTheWholeExchangeFileWithoutListing) {
  link->WritePhoneFile();
  EXPECT_THAT(log, ElementsAre(std::string("File_Create ") + kMenu + " 0", "File_Write 1234", "File_Close"));
  EXPECT_EQ(library.written, menu);
  EXPECT_EQ(StoredToPhone, 1);
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(WritePhoneFile, OpenRetriesUntilZero) {
  library.create.queued = {-1, 3, -1};
  link->WritePhoneFile();
  EXPECT_EQ(entriesStartingWith("File_Create").size(), 4u);
  EXPECT_EQ(countOf("pause 300"), 2);
  EXPECT_EQ(StoredToPhone, 1);
}

TEST_F(WritePhoneFile, OpenFailingTenTimesEndsWithItsMessage) {
  StoredToPhone = 1;
  library.create.otherwise = -1;
  link->WritePhoneFile();
  EXPECT_EQ(entriesStartingWith("File_Create").size(), 10u);
  EXPECT_EQ(countOf("pause 300"), 10);
  EXPECT_THAT(view.errors, ElementsAre("Error creating file"));
  EXPECT_THAT(entriesStartingWith("File_Write"), IsEmpty());
  EXPECT_EQ(StoredToPhone, 0);
  EXPECT_EQ(ReadBytes(exchangeFile()), menu);
}

TEST_F(WritePhoneFile, OpenNeverZeroButNotFailingStillWrites) {
  library.create.otherwise = 2;
  link->WritePhoneFile();
  EXPECT_EQ(entriesStartingWith("File_Create").size(), 10u);
  EXPECT_EQ(library.written, menu);
  EXPECT_EQ(StoredToPhone, 1);
}

TEST_F(WritePhoneFile, WriteFailureLeavesThePhoneFileOpenAndTheFlagClear) {
  StoredToPhone = 1;
  library.write.otherwise = -1;
  link->WritePhoneFile();
  EXPECT_THAT(view.errors, ElementsAre("Error writing file"));
  EXPECT_EQ(countOf("File_Write 1234"), 1);  // writing is not retried
  EXPECT_FALSE(logged("File_Close"));
  EXPECT_EQ(StoredToPhone, 0);
}

TEST_F(WritePhoneFile, MissingExchangeFileIsReportedWithItsPathBeforeAnyPhoneCall) {
  StoredToPhone = 1;
  std::filesystem::remove(exchangeFile());
  link->WritePhoneFile();
  EXPECT_THAT(log, ElementsAre("error Cannot read the exchange file " + exchangeFile()));
  EXPECT_EQ(StoredToPhone, 0);
}

TEST_F(WritePhoneFile, ExchangeFileLongerThanTheTransferIsRefused) {
  WriteBytes(exchangeFile(), Pattern(65536));
  link->WritePhoneFile();
  EXPECT_THAT(view.errors, ElementsAre("The exchange file " + exchangeFile() +
                                       " is 65536 bytes long; the phone link transfers at most 65535 bytes"));
  EXPECT_THAT(entriesStartingWith("File_Create"), IsEmpty());
  EXPECT_EQ(StoredToPhone, 0);
}

TEST_F(WritePhoneFile, ExchangeFileOfExactlyTheTransferLimitIsSent) {
  menu = Pattern(65535, 2);
  WriteBytes(exchangeFile(), menu);
  link->WritePhoneFile();
  EXPECT_EQ(library.written, menu);
  EXPECT_EQ(StoredToPhone, 1);
}

TEST_F(WritePhoneFile, ShorterFileAfterALongerOneSendsOnlyItsOwnBytes) {
  link->WritePhoneFile();
  menu = Pattern(10, 77);
  WriteBytes(exchangeFile(), menu);
  link->WritePhoneFile();
  EXPECT_EQ(library.written, menu);
}

TEST_F(WritePhoneFile, RestartAfterAWriteClearsTheFlag) {
  link->WritePhoneFile();
  ASSERT_EQ(StoredToPhone, 1);
  link->RestartPhone();
  EXPECT_EQ(StoredToPhone, 0);
}

}  // namespace
}  // namespace quillet::test
