#include "phone_library_factory.h"

#include <cstdlib>

#include "emulated_phone.h"

namespace quillet {

std::unique_ptr<P2KLibrary> makePhoneLibraryFromEnvironment(
    const std::function<std::unique_ptr<P2KLibrary>()>& makeDefault) {
  const char* folder = std::getenv("QUILLET_PHONE_DIR");
  if (folder != nullptr && *folder != '\0') return std::make_unique<EmulatedPhone>(folder);
  return makeDefault();
}

}  // namespace quillet
