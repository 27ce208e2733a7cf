#include <gtest/gtest.h>

#include <set>

#include "catalogue.h"

namespace quillet {
namespace {

TEST(Catalogue, LookupIsExactAndCaseSensitive) {
  EXPECT_EQ(CatalogueIndex("AlarmClcok"), 5);
  EXPECT_EQ(CatalogueIndex("AlarmClock"), 6);
  EXPECT_EQ(CatalogueIndex("alarmclock"), kCatalogueMissing);
  EXPECT_EQ(CatalogueIndex(""), kCatalogueMissing);
  EXPECT_EQ(CatalogueIndex("Settin"), kCatalogueMissing);     // a prefix does not match
  EXPECT_EQ(CatalogueIndex("Settings "), kCatalogueMissing);  // nothing is trimmed
  EXPECT_EQ(CatalogueIndex("Custom item"), 120);
  EXPECT_EQ(CatalogueIndex("2CLICK"), 0);
}

TEST(Catalogue, RowsKeepTheChooserOrder) {
  EXPECT_EQ(CatalogueIds[78], "PhoneBook");
  EXPECT_EQ(CatalogueIds[95], "Settings");
  EXPECT_EQ(CatalogueIds[82], "PttOnOff");
  EXPECT_EQ(CatalogueIds[83], "PttKodiak1");
  EXPECT_EQ(CatalogueIds[89], "RingVibrate");
  EXPECT_EQ(CatalogueIds[90], "SIMApp");
  EXPECT_EQ(CatalogueIds[91], "RingStyle");
  EXPECT_EQ(CatalogueIds[103], "Text Msg");
  // Apart from the three stated exceptions the order is ascending by byte value.
  for (int row = 1; row < 120; ++row) {
    const auto r = static_cast<std::size_t>(row);
    if (row == 83 || row == 90 || row == 91) continue;
    EXPECT_LT(CatalogueIds[r - 1], CatalogueIds[r]) << "row " << row;
  }
}

TEST(Catalogue, IdentifiersAreUniqueAndFitTheShortField) {
  std::set<std::string_view> seen;
  for (std::string_view id : CatalogueIds) {
    EXPECT_TRUE(seen.insert(id).second) << id;
    EXPECT_GE(id.size(), 2u);
    EXPECT_LE(id.size(), 11u) << id;
  }
  for (std::string_view name : CatalogueNames) EXPECT_LE(name.size(), 16u) << name;
}

TEST(Catalogue, DisplayNamesDifferInTwoRowsOnly) {
  int differing = 0;
  for (std::size_t row = 0; row < CatalogueIds.size(); ++row)
    differing += CatalogueIds[row] != CatalogueNames[row];
  EXPECT_EQ(differing, 2);
  EXPECT_EQ(CatalogueNames[5], "AlarmClock [old]");
  EXPECT_EQ(CatalogueNames[62], "Multimedia");
  EXPECT_EQ(CatalogueIds[62], "Mutilmedia");
}

TEST(Catalogue, ElevenRowsMayOwnASubmenu) {
  const std::set<int> expected{27, 29, 55, 61, 62, 76, 94, 95, 105, 113, 120};
  for (int row = 0; row < kCatalogueRows; ++row) {
    EXPECT_EQ(CatalogueCanHaveSubmenu[static_cast<std::size_t>(row)], expected.count(row) ? 1 : 0) << row;
  }
}

TEST(Catalogue, CaptionsAndSubmenuFlagsForIdentifiersFromFiles) {
  EXPECT_EQ(CaptionForIdentifier("Mutilmedia"), "Multimedia");
  EXPECT_EQ(SubmenuFlagForIdentifier("Mutilmedia"), 1);
  EXPECT_EQ(SubmenuFlagForIdentifier("PhoneBook"), 0);
  EXPECT_EQ(CaptionForIdentifier("~7"), "~7");
  EXPECT_EQ(SubmenuFlagForIdentifier("~7"), 1);
  EXPECT_EQ(CaptionForIdentifier("NoSuchThing"), "NoSuchThing");
  EXPECT_EQ(SubmenuFlagForIdentifier("NoSuchThing"), 0);
  EXPECT_EQ(CaptionForIdentifier("Custom item"), "Custom item");
}

}  // namespace
}  // namespace quillet
