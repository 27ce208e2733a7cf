#include "default_phone.h"
#include "no_phone.h"

namespace quillet {

std::unique_ptr<P2KLibrary> makeDefaultPhoneLibrary() { return std::make_unique<NoPhone>(); }

}  // namespace quillet
