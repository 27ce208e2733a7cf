#pragma once
// The phone-access library when no phone can ever be reached: it starts, reports
// no phone and refuses every phone call, so the editor runs as with no phone attached.
#include "p2k_library.h"

namespace quillet {

class NoPhone : public P2KLibrary {
 public:
  std::int32_t P2K_GetStatus() override { return started_ ? 2 : 0; }
  std::int32_t P2K_Init(PhoneStatusCallback) override {
    started_ = true;
    return 0;
  }
  std::int32_t P2K_Restart() override { return -1; }
  std::int32_t Seem_Read(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::uint8_t*,
                         std::size_t) override {
    return -1;
  }
  std::int32_t File_Count() override { return -1; }
  std::int32_t File_List(TP2KFileEntry*, std::int32_t) override { return -1; }
  std::int32_t File_Create(const char*, std::uint32_t) override { return -1; }
  std::int32_t File_SetPointer(std::int32_t, std::int32_t) override { return -1; }
  std::int32_t File_Read(std::uint8_t*, std::int32_t, std::int32_t) override { return -1; }
  std::int32_t File_Write(const std::uint8_t*, std::int32_t) override { return -1; }
  std::int32_t File_Close() override { return -1; }
  std::int32_t File_Delete(const char*) override { return -1; }

 private:
  bool started_ = false;
};

}  // namespace quillet
