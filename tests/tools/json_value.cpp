#include "json_value.h"

#include <cstdlib>
#include "utf8.h"

namespace quillet::testjson {

const Value& Value::operator[](const std::string& key) const {
  const auto it = object.find(key);
  if (type != Type::Object || it == object.end()) throw std::runtime_error("no key " + key);
  return it->second;
}

const Value& Value::operator[](std::size_t index) const {
  if (type != Type::Array || index >= array.size()) throw std::runtime_error("no index");
  return array[index];
}

namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  Value document() {
    Value v = value();
    skipSpace();
    if (pos_ != s_.size()) fail("trailing characters");
    return v;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error("JSON error at " + std::to_string(pos_) + ": " + what);
  }
  void skipSpace() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t')) ++pos_;
  }
  char peek() {
    skipSpace();
    if (pos_ >= s_.size()) fail("unexpected end");
    return s_[pos_];
  }
  void expect(char c) {
    if (peek() != c) fail(std::string("expected ") + c);
    ++pos_;
  }
  bool literal(const std::string& word) {
    if (s_.compare(pos_, word.size(), word) != 0) return false;
    pos_ += word.size();
    return true;
  }

  Value value() {
    Value v;
    const char c = peek();
    if (c == '{') {
      v.type = Value::Type::Object;
      ++pos_;
      if (peek() == '}') return ++pos_, v;
      do {
        std::string key = string();
        expect(':');
        if (v.object.count(key) != 0) fail("duplicate key " + key);
        v.object[key] = value();
      } while (peek() == ',' && ++pos_);
      expect('}');
    } else if (c == '[') {
      v.type = Value::Type::Array;
      ++pos_;
      if (peek() == ']') return ++pos_, v;
      do v.array.push_back(value());
      while (peek() == ',' && ++pos_);
      expect(']');
    } else if (c == '"') {
      v.type = Value::Type::String;
      v.string = string();
    } else if (literal("true")) {
      v.type = Value::Type::Bool;
      v.boolean = true;
    } else if (literal("false")) {
      v.type = Value::Type::Bool;
    } else if (literal("null")) {
      v.type = Value::Type::Null;
    } else {
      v.type = Value::Type::Number;
      const char* begin = s_.c_str() + pos_;
      char* end = nullptr;
      v.number = std::strtod(begin, &end);
      if (end == begin) fail("unexpected character");
      pos_ += static_cast<std::size_t>(end - begin);
    }
    return v;
  }

  unsigned hex4() {
    if (pos_ + 4 > s_.size()) fail("short \\u escape");
    const unsigned value = static_cast<unsigned>(std::stoul(s_.substr(pos_, 4), nullptr, 16));
    pos_ += 4;
    return value;
  }

  std::string string() {
    expect('"');
    std::string out;
    while (true) {
      if (pos_ >= s_.size()) fail("unterminated string");
      const char c = s_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) fail("raw control character in string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= s_.size()) fail("unterminated escape");
      switch (s_[pos_++]) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': AppendUtf8(out, hex4()); break;
        default: fail("bad escape");
      }
    }
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

}  // namespace

Value Parse(const std::string& text) { return Parser(text).document(); }

}  // namespace quillet::testjson
