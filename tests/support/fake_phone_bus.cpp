#include "fake_phone_bus.h"

#include <algorithm>
#include <thread>

namespace quillet::usb::testing {
namespace {

constexpr std::uint16_t kVendor = 0x22B8;
constexpr std::uint8_t kNameComm = 1, kNameData = 2, kNameTest = 3;
constexpr std::chrono::milliseconds kLongestStall{3000};
const std::string kModeSwitch = "AT+MODE=8\r\n";

class FakeDevice : public UsbDevice {
 public:
  FakeDevice(FakePhoneBus& bus, int generation) : bus_(bus), generation_(generation) {}
  std::string stringDescriptor(std::uint8_t index) override {
    return bus_.stringDescriptor(generation_, index);
  }
  UsbOutcome controlIn(const UsbSetup& setup, std::uint8_t* data, std::uint16_t length,
                       unsigned timeoutMs) override {
    return bus_.controlIn(generation_, setup, data, length, timeoutMs);
  }
  UsbOutcome controlOut(const UsbSetup& setup, const std::uint8_t* data, std::uint16_t length,
                        unsigned timeoutMs) override {
    return bus_.controlOut(generation_, setup, data, length, timeoutMs);
  }
  UsbOutcome bulkOut(std::uint8_t endpoint, const std::uint8_t* data, std::size_t length,
                     unsigned timeoutMs) override {
    return bus_.bulkOut(generation_, endpoint, data, length, timeoutMs);
  }
  UsbOutcome bulkIn(std::uint8_t endpoint, std::uint8_t* data, std::size_t length,
                    unsigned timeoutMs) override {
    return bus_.bulkIn(generation_, endpoint, data, length, timeoutMs);
  }
  UsbError detachKernelDriver(std::uint8_t number) override {
    return bus_.detachKernelDriver(generation_, number);
  }
  UsbError claimInterface(std::uint8_t number) override { return bus_.claimInterface(generation_, number); }
  void releaseInterface(std::uint8_t number) override { bus_.releaseInterface(generation_, number); }

 private:
  FakePhoneBus& bus_;
  int generation_;
};

class FakeTransport : public UsbTransport {
 public:
  explicit FakeTransport(FakePhoneBus& bus) : bus_(bus) {}
  UsbError start() override { return bus_.start(); }
  std::vector<UsbDeviceInfo> devices(std::uint16_t vendorId) override { return bus_.devices(vendorId); }
  std::unique_ptr<UsbDevice> open(const UsbDeviceInfo& device, UsbError& error) override {
    return bus_.open(device, error);
  }
  void waitForChange(unsigned timeoutMs) override { bus_.waitForChange(timeoutMs); }
  void wake() override { bus_.wake(); }

 private:
  FakePhoneBus& bus_;
};

}  // namespace

FakePhoneBus::FakePhoneBus(FakeBusOptions options)
    : options_(options), driverBound_(256, false), claimed_(256, false) {
  if (options_.plugged) appear(options_.startInAtMode);
}

std::unique_ptr<UsbTransport> FakePhoneBus::makeTransport() { return std::make_unique<FakeTransport>(*this); }

// --- commands and observations -------------------------------------------------------

void FakePhoneBus::plug() {
  std::lock_guard lock(mutex_);
  if (!present_) appear(options_.startInAtMode);
}

void FakePhoneBus::unplug() {
  std::lock_guard lock(mutex_);
  comeback_.reset();
  if (present_) leave();
}

void FakePhoneBus::failNextCommands(int count) {
  std::lock_guard lock(mutex_);
  failNext_ = count;
}

void FakePhoneBus::setSilent(bool silent) {
  std::lock_guard lock(mutex_);
  silent_ = silent;
}

void FakePhoneBus::setStalled(bool stalled) {
  std::lock_guard lock(mutex_);
  stalled_ = stalled;
}

void FakePhoneBus::onTheWire() {
  {
    std::lock_guard lock(mutex_);
    ++controlTransfers_;
  }
  if (options_.transferDelay.count() > 0) std::this_thread::sleep_for(options_.transferDelay);
}

int FakePhoneBus::controlTransfers() const {
  std::lock_guard lock(mutex_);
  return controlTransfers_;
}

void FakePhoneBus::setReplyDelay(std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  replyDelay_ = delay;
}

void FakePhoneBus::disconnectAfterCommands(int count) {
  std::lock_guard lock(mutex_);
  disconnectAfter_ = count;
}

void FakePhoneBus::cutNextReply(std::size_t keep) {
  std::lock_guard lock(mutex_);
  cutNextReply_ = keep;
}

void FakePhoneBus::setClaimedByOther(bool claimed) {
  std::lock_guard lock(mutex_);
  options_.claimedByOther = claimed;
}

std::vector<std::string> FakePhoneBus::violations() const {
  std::lock_guard lock(mutex_);
  return violations_;
}

std::vector<std::string> FakePhoneBus::modemWrites() const {
  std::lock_guard lock(mutex_);
  return modemWrites_;
}

std::vector<std::vector<std::uint8_t>> FakePhoneBus::commandPackets() const {
  std::lock_guard lock(mutex_);
  return commandPackets_;
}

int FakePhoneBus::restarts() const {
  std::lock_guard lock(mutex_);
  return restarts_;
}

bool FakePhoneBus::plugged() const {
  std::lock_guard lock(mutex_);
  return present_;
}

// --- enumeration -----------------------------------------------------------------------

void FakePhoneBus::appear(bool atMode) {
  present_ = true;
  atMode_ = atMode;
  ++generation_;
  std::fill(driverBound_.begin(), driverBound_.end(), false);
  std::fill(claimed_.begin(), claimed_.end(), false);
  driverBound_[0] = driverBound_[kModemData] = true;  // cdc_acm holds the modem
  lastId_.reset();
  replies_.clear();
  phone_.forgetSession();
  changeFlag_ = true;
  changed_.notify_all();
}

void FakePhoneBus::leave() {
  present_ = false;
  ++generation_;
  replies_.clear();
  changeFlag_ = true;
  changed_.notify_all();
}

void FakePhoneBus::settleScheduled() {
  if (comeback_ && Clock::now() >= comeback_->first) {
    const bool atMode = comeback_->second;
    comeback_.reset();
    appear(atMode);
  }
}

bool FakePhoneBus::reachable(int generation) const { return present_ && generation == generation_; }

UsbError FakePhoneBus::start() { return options_.failStart ? UsbError::Other : UsbError::None; }

std::vector<UsbDeviceInfo> FakePhoneBus::devices(std::uint16_t vendorId) {
  std::lock_guard lock(mutex_);
  settleScheduled();
  if (!present_ || vendorId != kVendor) return {};
  UsbDeviceInfo info;
  info.location = "fake bus address " + std::to_string(generation_);
  info.vendorId = kVendor;
  info.productId = atMode_ ? options_.atProductId : options_.p2kProductId;
  info.interfaces.push_back({0, 0x02, 0x02, 0x01, kNameComm, {{0x81, 0x03, 16}}});
  info.interfaces.push_back(
      {kModemData, 0x0A, 0x00, 0x00, kNameData, {{0x82, 0x02, 64}, {kModemOut, 0x02, 64}}});
  if (!atMode_) {
    UsbInterface test{options_.testInterface, 0xFF, options_.testSubclass, 0xFF, kNameTest, {}};
    if (options_.p2k05)
      test.endpoints = {{kTestIn, 0x02, options_.bulkPacketSize}, {kTestOut, 0x02, options_.bulkPacketSize}};
    info.interfaces.push_back(test);
  }
  return {info};
}

std::unique_ptr<UsbDevice> FakePhoneBus::open(const UsbDeviceInfo& device, UsbError& error) {
  std::lock_guard lock(mutex_);
  settleScheduled();
  error = UsbError::None;
  if (!present_ || device.location != "fake bus address " + std::to_string(generation_))
    error = UsbError::NoDevice;
  else if (options_.denyAccess)
    error = UsbError::Access;
  if (error != UsbError::None) return nullptr;
  return std::make_unique<FakeDevice>(*this, generation_);
}

void FakePhoneBus::waitForChange(unsigned timeoutMs) {
  std::unique_lock lock(mutex_);
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  if (comeback_) deadline = std::min(deadline, comeback_->first);
  changed_.wait_until(lock, deadline, [this] { return changeFlag_; });
  changeFlag_ = false;
}

void FakePhoneBus::wake() {
  std::lock_guard lock(mutex_);
  changeFlag_ = true;
  changed_.notify_all();
}

// --- transfers -------------------------------------------------------------------------

void FakePhoneBus::violation(std::string what) { violations_.push_back(std::move(what)); }

UsbOutcome FakePhoneBus::stall(std::unique_lock<std::mutex>& lock, unsigned timeoutMs) {
  lock.unlock();
  std::this_thread::sleep_for(
      std::min<std::chrono::milliseconds>(std::chrono::milliseconds(timeoutMs), kLongestStall));
  lock.lock();
  return {UsbError::Timeout, 0};
}

std::string FakePhoneBus::stringDescriptor(int generation, std::uint8_t index) {
  std::lock_guard lock(mutex_);
  if (!reachable(generation)) return {};
  switch (index) {
    case kNameComm: return "Motorola Communication Interface";
    case kNameData: return "Motorola Data Interface";
    case kNameTest: return atMode_ ? "" : "Motorola Test Command";
    default: return {};
  }
}

UsbError FakePhoneBus::detachKernelDriver(int generation, std::uint8_t number) {
  std::lock_guard lock(mutex_);
  if (!reachable(generation)) return UsbError::NoDevice;
  driverBound_[number] = false;
  return UsbError::None;
}

UsbError FakePhoneBus::claimInterface(int generation, std::uint8_t number) {
  std::lock_guard lock(mutex_);
  if (!reachable(generation)) return UsbError::NoDevice;
  if (driverBound_[number]) return UsbError::Busy;
  if (number == options_.testInterface && options_.claimedByOther && !atMode_) return UsbError::Busy;
  claimed_[number] = true;
  // Ids are checked to count up within one claim of the interface.
  if (number == options_.testInterface) lastId_.reset();
  return UsbError::None;
}

void FakePhoneBus::releaseInterface(int generation, std::uint8_t number) {
  std::lock_guard lock(mutex_);
  if (reachable(generation)) claimed_[number] = false;
}

UsbOutcome FakePhoneBus::bulkOut(int generation, std::uint8_t endpoint, const std::uint8_t* data,
                                 std::size_t length, unsigned timeoutMs) {
  std::unique_lock lock(mutex_);
  if (stalled_) return stall(lock, timeoutMs);
  if (!reachable(generation)) return {UsbError::NoDevice, 0};
  if (options_.p2k05 && endpoint == kTestOut && !atMode_)
    return takePacket(generation, std::vector<std::uint8_t>(data, data + length));
  if (endpoint != kModemOut || !claimed_[kModemData] || driverBound_[kModemData]) {
    violation("bulk OUT without the modem interface detached and claimed");
    return {UsbError::Pipe, 0};
  }
  const std::string written(data, data + length);
  modemWrites_.push_back(written);
  if (written == kModeSwitch && atMode_ && !options_.ignoreModeSwitch) {
    leave();
    comeback_ = std::make_pair(Clock::now() + options_.reenumerateDelay, false);
  }
  return {UsbError::None, length};
}

UsbOutcome FakePhoneBus::controlOut(int generation, const UsbSetup& setup, const std::uint8_t* data,
                                    std::uint16_t length, unsigned timeoutMs) {
  onTheWire();
  std::unique_lock lock(mutex_);
  if (stalled_) return stall(lock, timeoutMs);
  if (!reachable(generation)) return {UsbError::NoDevice, 0};
  if (options_.p2k05) {
    violation("control transfer to a p2k05 phone");
    return {UsbError::Pipe, 0};
  }
  if (setup.requestType != 0x41 || setup.request != 0x02 || setup.value != 0 ||
      setup.index != options_.testInterface || atMode_) {
    violation("command transfer with a wrong setup packet");
    return {UsbError::Pipe, 0};
  }
  return takePacket(generation, std::vector<std::uint8_t>(data, data + length));
}

UsbOutcome FakePhoneBus::takePacket(int generation, const std::vector<std::uint8_t>& packet) {
  if (!claimed_[options_.testInterface]) {
    violation("command on an unclaimed test-command interface");
    return {UsbError::Pipe, 0};
  }
  if (options_.p2k05)
    takeBulkCommand(packet);
  else
    takeCommand(packet);
  if (!reachable(generation)) return {UsbError::NoDevice, 0};
  const std::size_t length = packet.size();
  if (!restartTaken_) return {UsbError::None, length};
  // The restart request completes; then the phone drops off the bus.
  restartTaken_ = false;
  ++restarts_;
  if (options_.ignoreRestart) return {UsbError::None, length};
  leave();
  if (options_.rebootDelay) comeback_ = std::make_pair(Clock::now() + *options_.rebootDelay, false);
  if (options_.restartCutsTransfer) return {UsbError::NoDevice, 0};
  return {UsbError::None, length};
}

void FakePhoneBus::takeCommand(const std::vector<std::uint8_t>& packet) {
  commandPackets_.push_back(packet);
  if (packet.size() < 8) return violation("command packet shorter than its header");
  const std::uint16_t argSize = getBE16(packet.data() + 4);
  if (packet.size() != 8u + argSize) return violation("argument size differs from the packet");
  if (getBE16(packet.data() + 6) != 0) return violation("bytes 6-7 of the header are not zero");
  answerCommand(getBE16(packet.data()), getBE16(packet.data() + 2), {packet.begin() + 8, packet.end()});
}

void FakePhoneBus::takeBulkCommand(const std::vector<std::uint8_t>& packet) {
  commandPackets_.push_back(packet);
  if (packet.size() < 12) return violation("bulk command packet shorter than its 12-byte header");
  if (getBE32(packet.data() + 4) != 0) return violation("bytes 4-7 of the bulk header are not zero");
  if (getBE32(packet.data() + 8) != packet.size() - 12)
    return violation("argument length differs from the bulk packet");
  answerCommand(getBE16(packet.data()), getBE16(packet.data() + 2), {packet.begin() + 12, packet.end()});
}

void FakePhoneBus::answerCommand(std::uint16_t id, std::uint16_t command,
                                 const std::vector<std::uint8_t>& args) {
  if ((id & 0xF000) != 0) return violation("packet id uses its upper 4 bits");
  if (lastId_ && id != ((*lastId_ + 1) & 0x0FFF)) return violation("packet id not counted up");
  // A client that gave up on a late reply rightly goes on; otherwise it must fetch first.
  if (std::any_of(replies_.begin(), replies_.end(), [](const QueuedPacket& p) { return !p.late; }))
    violation("new command before the last reply was fetched");
  lastId_ = id;
  if (disconnectAfter_ > 0 && --disconnectAfter_ == 0) return leave();
  auto result = phone_.answer(command, args);
  if (auto* broken = std::get_if<std::string>(&result)) return violation(*broken);
  FakeAnswer answer = std::get<FakeAnswer>(result);
  if (answer.cablePulled) return leave();
  if (failNext_ > 0) {
    --failNext_;
    answer = {kFakeRefused, {}, false};
  }
  if (!silent_) {
    if (options_.p2k05) {
      replies_.push_back({Clock::now() + replyDelay_, bulkReply(command, args, answer),
                          replyDelay_.count() > 0 || answer.restart || cutNextReply_.has_value()});
      cutNextReply_.reset();
    } else
      queueReply(id, command, answer);
  }
  restartTaken_ = answer.restart;
}

std::vector<std::uint8_t> FakePhoneBus::bulkReply(std::uint16_t command,
                                                  const std::vector<std::uint8_t>& args,
                                                  const FakeAnswer& answer) const {
  std::vector<std::uint8_t> payload = answer.payload;
  const bool write = command == 0x004A && args.size() >= 4 && getBE32(args.data()) == 0x02;
  if (write && answer.type != kFakeRefused) payload = options_.bulkWriteAnswer;
  std::vector<std::uint8_t> reply{answer.type == kFakeRefused ? std::uint8_t{0x81}
                                  : answer.type == kFakeData  ? std::uint8_t{0x80}
                                                              : std::uint8_t{0x82}};
  // Bytes 1-9 change from reply to reply.
  for (std::uint8_t i = 1; i <= 9; ++i)
    reply.push_back(static_cast<std::uint8_t>(0x3C + commandPackets_.size() * 7 + i));
  putBE16(reply, static_cast<std::uint16_t>(payload.size()));
  reply.insert(reply.end(), payload.begin(), payload.end());
  if (reply.size() % options_.bulkPacketSize == 0) reply.insert(reply.end(), 2, 0x00);
  if (cutNextReply_) reply.resize(std::min(reply.size(), *cutNextReply_));
  return reply;
}

void FakePhoneBus::queueReply(std::uint16_t id, std::uint16_t command, const FakeAnswer& answer) {
  std::vector<std::uint8_t> packet;
  putBE16(packet, static_cast<std::uint16_t>(0x8000 | id));
  packet.push_back(static_cast<std::uint8_t>(answer.type << 4 | ((command >> 8) & 0x0F)));
  packet.push_back(static_cast<std::uint8_t>(command));
  putBE16(packet, static_cast<std::uint16_t>(answer.payload.size()));
  putBE16(packet, 0);
  packet.insert(packet.end(), answer.payload.begin(), answer.payload.end());
  // The client need not wait for the answer to a restart: the phone is meant to leave.
  replies_.push_back(
      {Clock::now() + replyDelay_, std::move(packet), replyDelay_.count() > 0 || answer.restart});
}

std::size_t FakePhoneBus::visiblePackets() const {
  const auto now = Clock::now();
  std::size_t n = 0;
  while (n < replies_.size() && replies_[n].visibleAt <= now) ++n;
  return n;
}

UsbOutcome FakePhoneBus::poll(std::unique_lock<std::mutex>& lock, std::uint8_t* data, std::uint16_t length,
                              unsigned timeoutMs) {
  if (length < 4) violation("poll with no room for a status, a count and a size");
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  const int generation = generation_;
  while (options_.holdPolls && visiblePackets() == 0) {
    if (Clock::now() >= deadline) return {UsbError::Timeout, 0};
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    lock.lock();
    if (!reachable(generation)) return {UsbError::NoDevice, 0};
  }
  polledPackets_ = length < 4 ? 0 : visiblePackets();
  std::vector<std::uint8_t> answer{static_cast<std::uint8_t>(polledPackets_ > 3 ? 0x02 : 0x00),
                                   static_cast<std::uint8_t>(std::min<std::size_t>(polledPackets_, 255))};
  for (std::size_t i = 0; i < polledPackets_ && answer.size() + 2 <= length; ++i)
    putBE16(answer, static_cast<std::uint16_t>(replies_[i].bytes.size()));
  const std::size_t copied = std::min<std::size_t>(length, answer.size());
  std::copy_n(answer.begin(), copied, data);
  return {UsbError::None, copied};
}

UsbOutcome FakePhoneBus::fetch(std::uint8_t* data, std::uint16_t length) {
  if (polledPackets_ == 0) {
    violation("reply fetched while none was announced");
    return {UsbError::Pipe, 0};
  }
  // One message per fetch, whatever the poll announced.
  const std::vector<std::uint8_t> message = replies_.front().bytes;
  replies_.pop_front();
  std::size_t queuedBytes = 0;
  for (const auto& queued : replies_) queuedBytes += queued.bytes.size();
  std::vector<std::uint8_t> reply{1, static_cast<std::uint8_t>(std::min<std::size_t>(replies_.size(), 255))};
  putBE16(reply, static_cast<std::uint16_t>(queuedBytes));
  putBE16(reply, static_cast<std::uint16_t>(message.size()));
  reply.insert(reply.end(), message.begin(), message.end());
  if (length != 2 * 1 + message.size() + 4) violation("reply fetched with a wrong length");
  const std::size_t copied = std::min<std::size_t>(length, reply.size());
  std::copy_n(reply.begin(), copied, data);
  polledPackets_ = 0;
  return {UsbError::None, copied};
}

UsbOutcome FakePhoneBus::bulkIn(int generation, std::uint8_t endpoint, std::uint8_t* data, std::size_t length,
                                unsigned timeoutMs) {
  std::unique_lock lock(mutex_);
  if (stalled_) return stall(lock, timeoutMs);
  if (!reachable(generation)) return {UsbError::NoDevice, 0};
  if (!options_.p2k05 || endpoint != kTestIn || !claimed_[options_.testInterface]) {
    violation("bulk IN other than from the claimed test-command interface of a p2k05 phone");
    return {UsbError::Pipe, 0};
  }
  // A read that is not whole packets could overflow on a real bus.
  if (length % options_.bulkPacketSize != 0) violation("bulk IN read of part of a packet");
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (visiblePackets() == 0) {
    if (Clock::now() >= deadline) return {UsbError::Timeout, 0};
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    lock.lock();
    if (!reachable(generation)) return {UsbError::NoDevice, 0};
  }
  // A read ends where the reply's last (short) packet ends, or when its room is full.
  QueuedPacket& reply = replies_.front();
  std::size_t count = std::min(length, reply.bytes.size() - reply.read);
  if (options_.splitReplies && reply.bytes.size() >= 12) {
    const std::size_t payloadEnd = 12u + getBE16(reply.bytes.data() + 10);
    const std::size_t pieceEnd = reply.read < 12           ? 12
                                 : reply.read < payloadEnd ? payloadEnd
                                                           : reply.bytes.size();
    count = std::min(count, pieceEnd - reply.read);
  }
  std::copy_n(reply.bytes.begin() + static_cast<long>(reply.read), count, data);
  reply.read += count;
  if (reply.read == reply.bytes.size()) replies_.pop_front();
  return {UsbError::None, count};
}

UsbOutcome FakePhoneBus::controlIn(int generation, const UsbSetup& setup, std::uint8_t* data,
                                   std::uint16_t length, unsigned timeoutMs) {
  onTheWire();
  std::unique_lock lock(mutex_);
  if (stalled_) return stall(lock, timeoutMs);
  if (!reachable(generation)) return {UsbError::NoDevice, 0};
  if (options_.p2k05) {
    violation("control transfer to a p2k05 phone");
    return {UsbError::Pipe, 0};
  }
  if (setup.requestType != 0xC1 || setup.index != options_.testInterface) {
    violation("reply transfer with a wrong setup packet");
    return {UsbError::Pipe, 0};
  }
  if (setup.request == 0x00 && setup.value == 0) return poll(lock, data, length, timeoutMs);
  if (setup.request == 0x01 && setup.value == 1) return fetch(data, length);
  violation("reply transfer with an unknown request");
  return {UsbError::Pipe, 0};
}

}  // namespace quillet::usb::testing
