#pragma once
// The sample menu files shipped in samples/, described from the format's rules with the
// test byte-builder (never with the writer under test). The GUI tests check that the
// files in samples/ are exactly these bytes and that each opens in the window.
#include <string>
#include <vector>

#include "menu_bytes.h"

namespace quillet::shipped {

struct SampleFile {
  std::string name;  // file name inside samples/
  menubytes::Bytes bytes;
};

// A 22-byte menu, a 36-byte menu with submenus, and a 36-byte menu with custom items,
// icons, names in several languages and uninterpreted blocks.
std::vector<SampleFile> SampleFiles();

}  // namespace quillet::shipped
