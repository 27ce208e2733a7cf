#pragma once
// How the name editor's language selector names a language: by the phone's English
// name, which the user finds in the phone's own language list, followed by the name in
// the interface language when the catalogue has it ("German — немецкий").
#include <QString>
#include <cstddef>
#include <cstdint>

namespace quillet::ui {

// The selector's text of the language at `position` (0 to 46) of the language table.
QString LanguageChoiceText(std::size_t position);
// The same for a language ID as a file holds it; "Language N" for an ID outside the table.
QString LanguageWords(std::uint8_t language);

}  // namespace quillet::ui
