#pragma once
// What a MIDlet suite says about itself, read from its descriptor (.jad) or from the
// manifest of its archive (.jar), and the three texts a menu item needs to start one of
// its MIDlets. Which of the two a file is shows in its first bytes, not in its name, so
// standard input works too.
//
// Capacity: a file is read up to 16 MiB (a phone's Java application is far smaller); a
// descriptor, and the manifest unpacked from an archive, up to 256 KiB.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "item_editor.h"
#include "result.h"

namespace quillet::midlet {

inline constexpr std::uint64_t kMaxSuiteFileBytes = 16 * 1024 * 1024;
inline constexpr std::size_t kMaxAttributeTextBytes = 256 * 1024;

// One MIDlet-n attribute: "name, icon, class".
struct Midlet {
  std::string name;
  std::string icon;  // may be empty
  std::string className;
  bool operator==(const Midlet&) const = default;
};

// The suite's texts in UTF-8, as the file has them. There is at least one MIDlet:
// MIDlet-1, MIDlet-2, ... up to the first number the file does not give.
struct MidletSuite {
  std::string name;    // MIDlet-Name
  std::string vendor;  // MIDlet-Vendor
  std::vector<Midlet> midlets;
};

// The suite that `bytes` describe. `fileName` names the file in a refusal's message:
// "Cannot read "<file>" as a Java application: <reason>."
Result<MidletSuite> ReadMidletSuite(const std::string& fileName, std::span<const std::uint8_t> bytes);
// The same for the file at `path`.
Result<MidletSuite> ReadMidletFile(const std::string& path);

// The custom item type's texts that start MIDlet `index` of the suite: application name
// (MIDlet-Name), MIDlet name (the MIDlet-n's name) and vendor (MIDlet-Vendor), as byte
// texts. Refused, naming the file and the attribute, as the dialog refuses typed texts:
// a character outside Latin-1, or more than 255 characters.
Result<CustomTypeTexts> MenuTexts(const MidletSuite& suite, std::size_t index, const std::string& fileName);

}  // namespace quillet::midlet
