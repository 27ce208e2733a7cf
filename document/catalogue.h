#pragma once
// The item catalogue: the 121 identifiers the editor knows, their display names and
// whether an item with that identifier may own a submenu. Constant for the whole run.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

inline constexpr int kCatalogueRows = 121;
inline constexpr std::uint8_t kCatalogueMissing = 121;  // CatalogueIndex of an unknown id
inline constexpr int kCustomItemRow = 120;

extern const std::array<std::string_view, kCatalogueRows> CatalogueIds;
extern const std::array<std::string_view, kCatalogueRows> CatalogueNames;
extern const std::array<std::uint8_t, kCatalogueRows> CatalogueCanHaveSubmenu;

// Exact, case-sensitive lookup; 121 when no row matches.
std::uint8_t CatalogueIndex(std::string_view identifier);

// Caption and submenu flag for an identifier read from a file or set by replacing:
// custom ("~") identifiers show themselves and may own a submenu; unknown identifiers
// show themselves and may not; catalogue identifiers take their row's values.
std::string CaptionForIdentifier(const std::string& identifier);
std::uint8_t SubmenuFlagForIdentifier(const std::string& identifier);

}  // namespace quillet
