// Which phone-access library the program's start gets, and the library of no phone.
#include <gtest/gtest.h>

#include <cstdlib>

#include "emulated_phone.h"
#include "no_phone.h"
#include "phone_library_factory.h"
#include "temp_folder.h"

namespace quillet::test {
namespace {

class PhoneDirVariable : public ::testing::Test {
 protected:
  ~PhoneDirVariable() override { unsetenv("QUILLET_PHONE_DIR"); }
  // The program's default stands in as the library of no phone.
  static std::unique_ptr<P2KLibrary> choose() {
    return makePhoneLibraryFromEnvironment([] { return std::make_unique<NoPhone>(); });
  }
};

TEST_F(PhoneDirVariable, NamedFolderGivesTheEmulatedPhoneOnThatFolder) {
  TempFolder folder;
  setenv("QUILLET_PHONE_DIR", folder.path().c_str(), 1);
  auto library = choose();
  ASSERT_NE(dynamic_cast<EmulatedPhone*>(library.get()), nullptr);
  int notices = 0;
  EXPECT_EQ(library->P2K_Init([&](std::int32_t) { ++notices; }), 0);
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(library->P2K_GetStatus(), 1);
}

TEST_F(PhoneDirVariable, FolderThatDoesNotExistMakesTheStartFail) {
  TempFolder folder;
  setenv("QUILLET_PHONE_DIR", folder.file("nowhere").c_str(), 1);
  auto library = choose();
  EXPECT_EQ(library->P2K_Init([](std::int32_t) {}), -1);
  EXPECT_EQ(library->P2K_GetStatus(), 0);
}

TEST_F(PhoneDirVariable, UnsetOrEmptyGivesTheDefaultLibrary) {
  unsetenv("QUILLET_PHONE_DIR");
  EXPECT_NE(dynamic_cast<NoPhone*>(choose().get()), nullptr);
  setenv("QUILLET_PHONE_DIR", "", 1);
  EXPECT_NE(dynamic_cast<NoPhone*>(choose().get()), nullptr);
}

TEST(NoPhone, StartsButNeverConnectsAndRefusesEveryCall) {
  NoPhone library;
  EXPECT_EQ(library.P2K_GetStatus(), 0);
  int notices = 0;
  EXPECT_EQ(library.P2K_Init([&](std::int32_t) { ++notices; }), 0);
  EXPECT_EQ(notices, 0);
  EXPECT_EQ(library.P2K_GetStatus(), 2);  // running, with no phone ready
  std::uint8_t buffer[16] = {};
  TP2KFileEntry entry;
  EXPECT_EQ(library.Seem_Read(279, 1, 0, 0, buffer, sizeof buffer), -1);
  EXPECT_EQ(library.File_Count(), -1);
  EXPECT_EQ(library.File_List(&entry, 1), -1);
  EXPECT_EQ(library.File_Create("/a/mobile/system/mma_ucp", 0), -1);
  EXPECT_EQ(library.File_Read(buffer, sizeof buffer, 9), -1);
  EXPECT_EQ(library.File_Write(buffer, sizeof buffer), -1);
  EXPECT_EQ(library.P2K_Restart(), -1);
}

}  // namespace
}  // namespace quillet::test
