#include "text_codec.h"

#include <gtest/gtest.h>

namespace quillet::mmatool {
namespace {

TEST(Hex, LanguageIdsAreTwoUpperCaseDigitsAndBytesArePairs) {
  EXPECT_EQ(HexByte(0x0A), "0A");
  EXPECT_EQ(HexByte(0x2F), "2F");
  EXPECT_EQ(HexByte(0x00), "00");
  EXPECT_EQ(HexBytes({0x01, 0xAB, 0xFF}, " "), "01 ab ff");
  EXPECT_EQ(HexBytes({0x01, 0xAB}, ""), "01ab");
  EXPECT_EQ(HexBytes({}, " "), "");
}

}  // namespace
}  // namespace quillet::mmatool
