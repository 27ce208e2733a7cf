#pragma once
// The 47 languages a name can be given in. A language ID is a byte 1..47 (the
// `language` of a TMMANameEntry); its ID text is the ID as two upper-case hexadecimal
// digits ("01".."2F"); its name is shown in the name editor's language selector.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "language_names.h"

namespace quillet {

struct LanguageTables {
  std::array<std::uint8_t, kLanguageCount> LanguageIds{};     // entry p holds p + 1
  std::array<std::string, kLanguageCount> LanguageIdTexts{};  // entry p: ID text of p + 1
};

// Builds the tables from the positions alone.
LanguageTables InitLanguageTables();

// The program's tables, built by InitLanguageTables on first use; being built on
// demand, they exist before any window or dialog can ask for them.
const LanguageTables& Languages();

// Position (0..46) of an ID text by exact comparison; kLanguageCount (47) when absent.
std::uint8_t LanguageIdIndex(std::string_view text);

// The ID text of a language byte; empty when the byte lies outside 1..47.
std::string LanguageIdText(std::uint8_t language);

}  // namespace quillet
