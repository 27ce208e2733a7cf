#include "language_tables.h"

#include "text_codecs.h"

namespace quillet {

LanguageTables InitLanguageTables() {
  LanguageTables tables;
  for (std::size_t p = 0; p < kLanguageCount; ++p) {
    const auto id = static_cast<std::uint8_t>(p + 1);
    tables.LanguageIds[p] = id;
    tables.LanguageIdTexts[p] = HexByte(id);
  }
  return tables;
}

const LanguageTables& Languages() {
  static const LanguageTables tables = InitLanguageTables();
  return tables;
}

std::uint8_t LanguageIdIndex(std::string_view text) {
  const auto& texts = Languages().LanguageIdTexts;
  for (std::size_t p = 0; p < kLanguageCount; ++p) {
    if (texts[p] == text) return static_cast<std::uint8_t>(p);
  }
  return static_cast<std::uint8_t>(kLanguageCount);
}

std::string LanguageIdText(std::uint8_t language) {
  if (language < 1 || language > kLanguageCount) return {};
  return Languages().LanguageIdTexts[language - 1];
}

}  // namespace quillet
