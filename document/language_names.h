#pragma once
// The 47 languages a name can be given in, by position (language ID - 1). The document
// needs them to say which name an item shows in a language; the item codec builds its
// ID tables from the same count.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillet {

inline constexpr std::size_t kLanguageCount = 47;

// The language IDs the phone falls back to when an item has no name in the chosen one.
inline constexpr std::uint8_t kLanguageEnglishUs = 1;
inline constexpr std::uint8_t kLanguageEnglishUk = 3;

// Indexed by position (language ID - 1).
inline constexpr std::array<std::string_view, kLanguageCount> LanguageNames = {"English US",
                                                                               "Arabic",
                                                                               "English UK",
                                                                               "Chinese Complex",
                                                                               "Chinese Simple",
                                                                               "French",
                                                                               "German",
                                                                               "Hebrew",
                                                                               "Italian",
                                                                               "Spanish",
                                                                               "Thai",
                                                                               "Vietnamese",
                                                                               "Canadian French",
                                                                               "American Spanish",
                                                                               "Bahasa",
                                                                               "Bulgarian",
                                                                               "Croatian",
                                                                               "Czech",
                                                                               "Danish",
                                                                               "Dutch",
                                                                               "Estonian",
                                                                               "Finnish",
                                                                               "Greek",
                                                                               "Hungarian",
                                                                               "Japanese",
                                                                               "Korean",
                                                                               "Latvian",
                                                                               "Lithuanian",
                                                                               "Malay",
                                                                               "Norwegian",
                                                                               "Polish",
                                                                               "Portuguese",
                                                                               "American Portuguese",
                                                                               "Romanian",
                                                                               "Russian",
                                                                               "Serbian",
                                                                               "Slovak",
                                                                               "Slovenian",
                                                                               "Tagalog",
                                                                               "Turkish",
                                                                               "Ukrainian",
                                                                               "Brazilian Portuguese",
                                                                               "Swedish",
                                                                               "Farsi",
                                                                               "Urdu",
                                                                               "Hindi",
                                                                               "Bahasa Malay"};

}  // namespace quillet
