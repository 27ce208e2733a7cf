#pragma once
// A minimal JSON reader for the tests: parses mmatool's output so that the tests check
// values, not text fragments, and fail on any syntax error.
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillet::testjson {

struct Value {
  enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
  bool boolean = false;
  double number = 0;
  std::string string;
  std::vector<Value> array;
  std::map<std::string, Value> object;

  // Member access that throws when absent, so a missing key fails the test clearly.
  const Value& operator[](const std::string& key) const;
  const Value& operator[](std::size_t index) const;
  bool has(const std::string& key) const { return object.count(key) != 0; }
  std::int64_t integer() const { return static_cast<std::int64_t>(number); }
};

// Throws std::runtime_error naming the offset of the first syntax error.
Value Parse(const std::string& text);

}  // namespace quillet::testjson
