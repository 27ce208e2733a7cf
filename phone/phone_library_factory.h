#pragma once
// Chooses the phone-access library the editor talks to.
#include <memory>

#include "p2k_library.h"

namespace quillet {

// The emulated phone when the environment variable QUILLET_PHONE_DIR names a folder
// (a value that is not a folder makes P2K_Init fail, so the user hears about it);
// otherwise the default library.
std::unique_ptr<P2KLibrary> makePhoneLibraryFromEnvironment();

// The library used without QUILLET_PHONE_DIR: the one real phones are reached through,
// the USB backend when built with QUILLET_USB, otherwise a library with which no phone
// connects.
std::unique_ptr<P2KLibrary> makeDefaultPhoneLibrary();

}  // namespace quillet
