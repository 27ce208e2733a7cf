#include "json_writer.h"

namespace quillet::mmatool {

std::string JsonQuote(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00";
          out += kDigits[static_cast<unsigned char>(c) >> 4];
          out += kDigits[static_cast<unsigned char>(c) & 0x0F];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

void JsonWriter::newline() {
  out_ << '\n' << std::string(2 * hasMembers_.size(), ' ');
}

// Writes the separator and indentation a value needs at the current position.
void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (hasMembers_.empty()) return;
  if (hasMembers_.back()) out_ << ',';
  hasMembers_.back() = true;
  newline();
}

void JsonWriter::open(char bracket) {
  beforeValue();
  out_ << bracket;
  hasMembers_.push_back(false);
}

void JsonWriter::close(char bracket) {
  const bool hadMembers = hasMembers_.back();
  hasMembers_.pop_back();
  if (hadMembers) newline();
  out_ << bracket;
  if (hasMembers_.empty()) out_ << '\n';
}

void JsonWriter::key(std::string_view name) {
  beforeValue();
  out_ << JsonQuote(name) << ": ";
  afterKey_ = true;
}

void JsonWriter::value(std::string_view text) {
  beforeValue();
  out_ << JsonQuote(text);
}

void JsonWriter::value(std::int64_t number) {
  beforeValue();
  out_ << number;
}

void JsonWriter::value(bool flag) {
  beforeValue();
  out_ << (flag ? "true" : "false");
}

}  // namespace quillet::mmatool
