#include "phone_library_factory.h"

#include <cstdlib>
#include <string>

#include "emulated_phone.h"
#include "no_phone.h"

namespace quillet {

std::unique_ptr<P2KLibrary> makePhoneLibraryFromEnvironment() {
  const char* folder = std::getenv("QUILLET_PHONE_DIR");
  if (folder != nullptr && *folder != '\0') return std::make_unique<EmulatedPhone>(folder);
  return makeDefaultPhoneLibrary();
}

std::unique_ptr<P2KLibrary> makeDefaultPhoneLibrary() { return std::make_unique<NoPhone>(); }

}  // namespace quillet
