#pragma once
// The emulated phone for demonstrations and end-to-end runs, chosen by the environment.
#include <functional>
#include <memory>

#include "p2k_library.h"

namespace quillet {

// The emulated phone when the environment variable QUILLET_PHONE_DIR is set and not
// empty (a value that is not a folder makes P2K_Init fail, so the user hears about it);
// otherwise the library `makeDefault` makes, the one the program reaches real phones with.
std::unique_ptr<P2KLibrary> makePhoneLibraryFromEnvironment(
    const std::function<std::unique_ptr<P2KLibrary>()>& makeDefault);

}  // namespace quillet
