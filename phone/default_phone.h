#pragma once
// The phone-access library this build reaches real phones with. The build picks the one
// source that defines it: the USB backend, or with USB left out the library of no phone.
// Only the programs' starts use it; tests hand over the library they need.
#include <memory>

#include "p2k_library.h"

namespace quillet {

std::unique_ptr<P2KLibrary> makeDefaultPhoneLibrary();

}  // namespace quillet
