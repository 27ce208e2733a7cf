#include "descriptor_attributes.h"

#include "refusal.h"
#include "utf8.h"

namespace quillet::midlet {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// The archive format's header names: letters, digits, '-' and '_'.
bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// Takes the next line off `text`, without its end (CR LF, LF or CR).
std::string_view NextLine(std::string_view& text) {
  const std::size_t end = text.find_first_of("\r\n");
  const std::string_view line = text.substr(0, end);
  if (end == std::string_view::npos) {
    text = {};
  } else {
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
  return line;
}

std::string NotAnAttribute(std::size_t lineNumber) {
  return "line " + std::to_string(lineNumber) + " is not an attribute line of the form \"Name: value\"";
}

}  // namespace

Result<Attributes> ParseAttributes(std::string_view text, AttributeSyntax syntax) {
  if (text.find('\0') != std::string_view::npos) return Refusal("it holds a zero byte, so it is no text");
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  if (!DecodeUtf8(text)) return Refusal("it is not UTF-8 text");

  Attributes attributes;
  std::string* continued = nullptr;  // the value a manifest's continuation line extends
  for (std::size_t lineNumber = 1; !text.empty(); ++lineNumber) {
    const std::string_view line = NextLine(text);
    if (syntax == AttributeSyntax::Manifest) {
      if (line.empty()) break;  // the end of the main section
      if (line.front() == ' ') {
        if (continued == nullptr)
          return Refusal("line " + std::to_string(lineNumber) + " continues no attribute");
        continued->append(line.substr(1));
        continue;
      }
    } else if (WithoutBlanks(line).empty()) {
      continue;
    }
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos) return Refusal(NotAnAttribute(lineNumber));
    const std::string_view name = line.substr(0, colon);
    for (const char c : name) {
      if (!IsNameCharacter(c)) return Refusal(NotAnAttribute(lineNumber));
    }
    const auto [entry, added] = attributes.emplace(LowerAscii(name), line.substr(colon + 1));
    if (!added) {
      return Refusal("line " + std::to_string(lineNumber) + " gives the attribute " + std::string(name) +
                     " a second time");
    }
    continued = &entry->second;
  }
  for (auto& [name, value] : attributes) value = std::string(WithoutBlanks(value));
  return attributes;
}

std::string_view WithoutBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

const std::string* FindAttribute(const Attributes& attributes, std::string_view name) {
  const auto found = attributes.find(LowerAscii(name));
  return found == attributes.end() ? nullptr : &found->second;
}

}  // namespace quillet::midlet
