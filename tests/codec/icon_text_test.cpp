// The icon texts of the item dialog (paths and DRM indexes), and the language tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "icon_text.h"
#include "language_tables.h"
#include "utf8.h"

namespace quillet {
namespace {

TEST(IndexToText, DecimalWithoutLeadingZeros) {
  EXPECT_EQ(IndexToText(0), u"0");
  EXPECT_EQ(IndexToText(42), u"42");
  EXPECT_EQ(IndexToText(65535), u"65535");
}

struct IconCase {
  std::u16string text;
  IconTextClass expected;
  std::uint16_t index;  // checked for DrmIndex only
};

TEST(ClassifyIconText, PathsIndexesAndInvalidTexts) {
  const std::vector<IconCase> cases = {
      {u"/a/mobile/picture/x.gif", IconTextClass::FilePath, 0},
      {u"/x/", IconTextClass::FilePath, 0},  // the second unit is not examined
      {u"/ab", IconTextClass::Neither, 0},   // third unit is a letter
      {u"a/b/c", IconTextClass::Neither, 0},
      {u"//", IconTextClass::Neither, 0},  // only two units
      {u"0042", IconTextClass::DrmIndex, 42},
      {u"0", IconTextClass::DrmIndex, 0},
      {u"65535", IconTextClass::DrmIndex, 65535},
      {u"65536", IconTextClass::DrmIndex, 0},
      {u"70000", IconTextClass::DrmIndex, 4464},
      {u"2147483647", IconTextClass::DrmIndex, 0xFFFF},
      {u"00000000000000000042", IconTextClass::DrmIndex, 42},  // leading zeros do not count
      {u"-5", IconTextClass::Neither, 0},
      {u"+5", IconTextClass::Neither, 0},
      {u"0x10", IconTextClass::Neither, 0},
      {u"12 ", IconTextClass::Neither, 0},
      {u" 12", IconTextClass::Neither, 0},
      {u"\uff11", IconTextClass::Neither, 0},  // a full-width digit is no decimal digit
  };
  for (const IconCase& c : cases) {
    std::uint16_t index = 7;
    const auto result = ClassifyIconText(c.text, index);
    ASSERT_TRUE(result.ok()) << Utf16ToUtf8(c.text);
    EXPECT_EQ(result.value(), c.expected) << Utf16ToUtf8(c.text);
    if (c.expected == IconTextClass::DrmIndex) {
      EXPECT_EQ(index, c.index) << Utf16ToUtf8(c.text);
    }
    if (c.expected == IconTextClass::Neither) {
      EXPECT_EQ(index, 0) << Utf16ToUtf8(c.text);
    }
  }
}

TEST(ClassifyIconText, NumberAbove2147483647IsAConversionError) {
  for (const std::u16string_view text : {u"2147483648", u"99999999999999999999999"}) {
    std::uint16_t index = 7;
    const auto result = ClassifyIconText(text, index);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().code, ErrorCode::InvalidValue);
    EXPECT_EQ(result.error().message,
              std::string("'").append(Utf16ToUtf8(text)) + "' is not a valid integer value");
    EXPECT_EQ(index, 7) << "a failed conversion changes nothing";
  }
}

TEST(LanguageTables, IdsAndTwoDigitUpperCaseTexts) {
  const LanguageTables tables = InitLanguageTables();
  for (std::size_t p = 0; p < kLanguageCount; ++p) EXPECT_EQ(tables.LanguageIds[p], p + 1);
  EXPECT_EQ(tables.LanguageIdTexts[0], "01");
  EXPECT_EQ(tables.LanguageIdTexts[9], "0A");
  EXPECT_EQ(tables.LanguageIdTexts[15], "10");
  EXPECT_EQ(tables.LanguageIdTexts[24], "19");
  EXPECT_EQ(tables.LanguageIdTexts[46], "2F");
  EXPECT_EQ(Languages().LanguageIdTexts, tables.LanguageIdTexts);
}

TEST(LanguageTables, NamesOfTheTable) {
  ASSERT_EQ(LanguageNames.size(), 47u);
  EXPECT_EQ(LanguageNames[0], "English US");
  EXPECT_EQ(LanguageNames[9], "Spanish");
  EXPECT_EQ(LanguageNames[24], "Japanese");
  EXPECT_EQ(LanguageNames[32], "American Portuguese");
  EXPECT_EQ(LanguageNames[41], "Brazilian Portuguese");
  EXPECT_EQ(LanguageNames[46], "Bahasa Malay");
}

TEST(LanguageTables, IdIndexAndIdTextAreInverse) {
  EXPECT_EQ(LanguageIdIndex("0A"), 9);
  EXPECT_EQ(LanguageIdIndex("2F"), 46);
  EXPECT_EQ(LanguageIdIndex("0a"), 47) << "comparison is exact";
  EXPECT_EQ(LanguageIdIndex(""), 47);
  EXPECT_EQ(LanguageIdIndex("30"), 47);
  for (std::uint8_t id = 1; id <= 47; ++id) {
    EXPECT_EQ(Languages().LanguageIds[LanguageIdIndex(LanguageIdText(id))], id);
  }
  EXPECT_EQ(LanguageIdText(0), "");
  EXPECT_EQ(LanguageIdText(48), "");
}

}  // namespace
}  // namespace quillet
