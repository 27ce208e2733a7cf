#pragma once
// A small streaming JSON writer: objects, arrays, strings, integers and booleans,
// indented by two spaces. Strings must be UTF-8; they are escaped, never re-encoded.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::mmatool {

// `text` as a JSON string literal with its quotes: '"', '\' and every control
// character below 0x20 are escaped; other bytes (UTF-8 included) pass unchanged.
std::string JsonQuote(std::string_view text);

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void beginObject() { open('{'); }
  void endObject() { close('}'); }
  void beginArray() { open('['); }
  void endArray() { close(']'); }

  // Inside an object, names the next value.
  void key(std::string_view name);

  void value(std::string_view text);
  void value(const char* text) { value(std::string_view(text)); }
  void value(std::int64_t number);
  void value(int number) { value(static_cast<std::int64_t>(number)); }
  void value(bool flag);

  template <typename T>
  void field(std::string_view name, const T& v) {
    key(name);
    value(v);
  }

 private:
  void open(char bracket);
  void close(char bracket);
  void beforeValue();
  void newline();

  std::ostream& out_;
  std::vector<bool> hasMembers_;  // one entry per open container
  bool afterKey_ = false;
};

}  // namespace quillet::mmatool
