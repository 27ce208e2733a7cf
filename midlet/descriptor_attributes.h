#pragma once
// The attribute text of a MIDlet suite: its descriptor (.jad) or its archive's manifest.
// Both are lines "Name: value" in UTF-8, with an optional byte order mark first, each
// ended by CR LF, LF or CR. A manifest continues a value on lines that begin with one
// space and ends its main section at the first empty line (the sections after it describe
// single archive entries, not the suite); a descriptor continues no line and may hold
// empty lines between its attributes.
#include <map>
#include <string>
#include <string_view>

#include "result.h"

namespace quillet::midlet {

enum class AttributeSyntax { Descriptor, Manifest };

// Values by name. Names are kept lower-case, as the archive format compares them without
// regard to case; values are UTF-8 without the blanks around them.
using Attributes = std::map<std::string, std::string>;

// The attributes of `text`. A refusal's message is a reason to follow "Cannot read
// <file>: " ("line 3 is not an attribute line ..."): a zero byte, text that is not UTF-8,
// a line that is no attribute, a continuation with nothing to continue, a name given twice.
Result<Attributes> ParseAttributes(std::string_view text, AttributeSyntax syntax);

// `text` without the blanks (spaces and tabs) at either end.
std::string_view WithoutBlanks(std::string_view text);

// The value named `name` (any case), or null.
const std::string* FindAttribute(const Attributes& attributes, std::string_view name);

}  // namespace quillet::midlet
