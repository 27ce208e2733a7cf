#pragma once
// The emulated phone at a cable's pace, for tests and screenshots that must catch a
// transfer while it runs: each piece of 0x400 bytes takes the time set here.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include "emulated_phone.h"

namespace quillet::test {

class PacedPhone : public EmulatedPhone {
 public:
  using EmulatedPhone::EmulatedPhone;
  // May be called on any thread; the phone thread reads it before every piece.
  void setTransferDelay(std::chrono::milliseconds perPiece) { delayMs_ = perPiece.count(); }

 protected:
  void beforePiece() override { std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_.load())); }

 private:
  std::atomic<std::int64_t> delayMs_{0};
};

}  // namespace quillet::test
