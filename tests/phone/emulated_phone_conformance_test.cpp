// The emulated phone passes the suite every phone backend passes.
#include <optional>

#include "backend_conformance.h"
#include "emulated_phone.h"
#include "temp_folder.h"

namespace quillet::test {
namespace {

class EmulatedPhoneHarness {
 public:
  static constexpr const char* kModel = "E398";

  void putFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(folder_.path() / path.substr(1), bytes);
  }
  std::optional<std::vector<std::uint8_t>> phoneFile(const std::string& path) {
    const auto host = folder_.path() / path.substr(1);
    if (!std::filesystem::exists(host)) return std::nullopt;
    return ReadBytes(host);
  }
  P2KLibrary& library() { return phone_; }
  // The emulated phone connects inside P2K_Init, so there is nothing to wait for.
  void start(PhoneStatusCallback notify) { ASSERT_EQ(phone_.P2K_Init(std::move(notify)), 0); }
  void pullCableAfterPieces(std::size_t pieces) { phone_.pullCableAfterPieces(pieces); }
  void reconnect() { phone_.setConnected(true); }
  void setReadOnly(const std::string& path) { phone_.setAttributes(path, kReadOnlyAttribute); }

 private:
  TempFolder folder_;
  EmulatedPhone phone_{folder_.path(), kModel};
};

INSTANTIATE_TYPED_TEST_SUITE_P(EmulatedPhone, PhoneBackendConformance, EmulatedPhoneHarness);
INSTANTIATE_TYPED_TEST_SUITE_P(EmulatedPhone, PhoneBackendGuarded, EmulatedPhoneHarness);

}  // namespace
}  // namespace quillet::test
