#pragma once
// How the name editor's language selector names a language: by the phone's English
// name, which the user finds in the phone's own language list, followed by the name in
// the interface language when the catalogue has it ("German — немецкий").
#include <QString>
#include <cstddef>

namespace quillet::ui {

// The selector's text of the language at `position` (0 to 46) of the language table.
QString LanguageChoiceText(std::size_t position);

}  // namespace quillet::ui
