// A maximal menu (65,535 bytes) through the USB backend's real protocol code to the fake
// phone, each control transfer taking a fixed time on the wire. No backend can beat the
// floor of transfers × that time; the ratio to it shows what the backend's own pauses,
// polls and copies cost.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "fake_phone_bus.h"
#include "usb_p2k_library.h"

namespace {

using quillet::TP2KFileEntry;
using quillet::usb::UsbP2KLibrary;
using quillet::usb::testing::FakeBusOptions;
using quillet::usb::testing::FakeP2KPhone;
using quillet::usb::testing::FakePhoneBus;
using quillet::usb::testing::FakePhoneFile;
using Clock = std::chrono::steady_clock;

constexpr const char* kMenuPath = "/a/mobile/system/mma_ucp";
constexpr std::int32_t kMenuBytes = 65535;

struct Rig {
  explicit Rig(std::chrono::microseconds delay) {
    FakeBusOptions options;
    options.transferDelay = delay;
    bus = std::make_unique<FakePhoneBus>(options);
    quillet::usb::UsbP2KOptions usb;
    usb.log = [](const std::string&) {};
    library = std::make_unique<UsbP2KLibrary>(bus->makeTransport(), usb);
    library->P2K_Init([](std::int32_t) {});
    for (int i = 0; i < 500 && library->P2K_GetStatus() != UsbP2KLibrary::kStatusReady; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    menu.resize(kMenuBytes);
    for (std::size_t i = 0; i < menu.size(); ++i) menu[i] = static_cast<std::uint8_t>(i * 7 + 3);
    bus->withPhone([&](FakeP2KPhone& phone) {
      phone.files[kMenuPath] = FakePhoneFile{menu, 0, 0};
      return 0;
    });
  }

  bool write() {
    return library->File_Create(kMenuPath, 0) == 0 &&
           library->File_Write(menu.data(), kMenuBytes) == kMenuBytes && library->File_Close() == 0;
  }

  // The link's read: count, list, open, read, close.
  bool read() {
    const std::int32_t count = library->File_Count();
    if (count <= 0) return false;
    std::vector<TP2KFileEntry> entries(static_cast<std::size_t>(count));
    if (library->File_List(entries.data(), count) < 0) return false;
    if (library->File_Create(kMenuPath, 0) != 0) return false;
    library->File_SetPointer(0, 0);
    std::vector<std::uint8_t> buffer(65536);
    const bool ok = library->File_Read(buffer.data(), kMenuBytes, 9) == kMenuBytes &&
                    std::memcmp(buffer.data(), menu.data(), menu.size()) == 0;
    library->File_Close();
    return ok;
  }

  std::unique_ptr<FakePhoneBus> bus;
  std::unique_ptr<UsbP2KLibrary> library;
  std::vector<std::uint8_t> menu;
};

// Runs `transfer` once per iteration and reports transfers, the floor and the ratio.
template <typename Transfer>
void Measure(benchmark::State& state, Transfer transfer) {
  const std::chrono::microseconds delay(state.range(0));
  Rig rig(delay);
  if (rig.library->P2K_GetStatus() != UsbP2KLibrary::kStatusReady) {
    state.SkipWithError("the fake phone did not connect");
    return;
  }
  double seconds = 0;
  int transfers = 0;
  for (auto _ : state) {
    const int before = rig.bus->controlTransfers();
    const auto start = Clock::now();
    if (!transfer(rig)) {
      state.SkipWithError("the transfer failed");
      return;
    }
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
    transfers += rig.bus->controlTransfers() - before;
  }
  const double iterations = static_cast<double>(state.iterations());
  const double floorSeconds = transfers * std::chrono::duration<double>(delay).count();
  state.counters["transfers"] = transfers / iterations;
  state.counters["floor_ms"] = floorSeconds * 1000 / iterations;
  state.counters["x_floor"] = floorSeconds > 0 ? seconds / floorSeconds : 0;
  state.SetBytesProcessed(static_cast<std::int64_t>(iterations) * kMenuBytes);
}

void BM_UsbWriteMaximalMenu(benchmark::State& state) {
  Measure(state, [](Rig& rig) { return rig.write(); });
}
void BM_UsbReadMaximalMenu(benchmark::State& state) {
  Measure(state, [](Rig& rig) { return rig.read(); });
}

// Per-transfer times in microseconds: a full-speed phone answers a control transfer
// within one or two 1 ms frames.
BENCHMARK(BM_UsbWriteMaximalMenu)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_UsbReadMaximalMenu)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
BENCHMARK_MAIN();
