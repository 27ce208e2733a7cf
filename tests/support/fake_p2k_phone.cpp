#include "fake_p2k_phone.h"

#include <algorithm>

namespace quillet::usb::testing {

void putBE16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

void putBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  putBE16(out, static_cast<std::uint16_t>(v >> 16));
  putBE16(out, static_cast<std::uint16_t>(v));
}

std::uint16_t getBE16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

std::uint32_t getBE32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(getBE16(p)) << 16 | getBE16(p + 2);
}

namespace {

FakeAnswer data(std::vector<std::uint8_t> payload) { return {kFakeData, std::move(payload), false}; }
FakeAnswer success() { return {kFakeSuccess, {}, false}; }
FakeAnswer refused() { return {kFakeRefused, {}, false}; }

}  // namespace

void FakeP2KPhone::forgetSession() {
  openPath_.reset();
  position_ = 0;
  search_.reset();
}

std::variant<FakeAnswer, std::string> FakeP2KPhone::answer(std::uint16_t command,
                                                           const std::vector<std::uint8_t>& args) {
  commands.push_back(command);
  switch (command) {
    case 0x004A: return fileCommand(args);
    case 0x0020: return seemRead(args);
    case 0x0022:
      if (!args.empty()) return std::string("restart with arguments");
      return FakeAnswer{kFakeSuccess, {}, true};
    default: return std::string("unknown command");
  }
}

std::variant<FakeAnswer, std::string> FakeP2KPhone::seemRead(const std::vector<std::uint8_t>& args) {
  if (args.size() != 8) return std::string("seem read needs 8 argument bytes");
  const std::uint16_t seem = getBE16(args.data());
  const std::uint16_t record = getBE16(args.data() + 2);
  const std::uint16_t offset = getBE16(args.data() + 4);
  const std::uint16_t bytes = getBE16(args.data() + 6);
  if (seem != 0x0117 || record != 1) return data({0x01});  // status: no such seem
  // The model seem: a fixed record of 32 bytes holding the name in UTF-16BE.
  std::vector<std::uint8_t> seemData(32, 0);
  for (std::size_t i = 0; i < model.size() && 2 * i + 1 < seemData.size(); ++i)
    seemData[2 * i + 1] = static_cast<std::uint8_t>(model[i]);
  if (offset > seemData.size()) return data({0x02});
  const std::size_t count = bytes == 0 ? seemData.size() - offset : bytes;
  if (offset + count > seemData.size()) return data({0x02});
  std::vector<std::uint8_t> payload{0x00};
  payload.insert(payload.end(), seemData.begin() + offset, seemData.begin() + offset + count);
  return data(std::move(payload));
}

std::size_t FakeP2KPhone::used() const {
  std::size_t total = 0;
  for (const auto& [path, file] : files) total += file.data.size();
  return total;
}

// open: attribute word 32 (attribute in the low half), then the path, no zero byte.
std::variant<FakeAnswer, std::string> FakeP2KPhone::open(const std::uint8_t* a, std::size_t n) {
  if (n < 5) return std::string("open without an attribute word and a path");
  const std::uint32_t word = getBE32(a);
  if (word >> 16 != 0) return std::string("open attribute word with a non-zero high half");
  const std::string path(a + 4, a + n);
  if (path.find('\0') != std::string::npos) return std::string("open path holds a zero byte");
  if (path.rfind("/a/", 0) != 0 || path.size() >= nameField) return refused();
  // An open creates a missing file and sets the attribute; it never shortens a file.
  FakePhoneFile& file = files[path];
  file.attributes = static_cast<std::uint16_t>(word);
  openPath_ = path;
  position_ = 0;
  return success();
}

// delete: the path alone.
std::variant<FakeAnswer, std::string> FakeP2KPhone::remove(const std::uint8_t* a, std::size_t n) {
  const std::string path(a, a + n);
  if (path.find('\0') != std::string::npos) return std::string("delete path holds a zero byte");
  if (openPath_ == path) return std::string("delete of the open file");
  const auto found = files.find(path);
  if (found == files.end() || (found->second.attributes & 0x01)) return refused();
  files.erase(found);
  return success();
}

// free space: a 16-bit word, the volume in UTF-16BE, then as the layout has it. Only the
// layout of freeSpaceLayout is answered; the others are refused, as such a phone does.
std::variant<FakeAnswer, std::string> FakeP2KPhone::freeSpace(const std::uint8_t* a, std::size_t n) {
  if (n < 2 || n % 2 != 0) return std::string("free space without a word and a UTF-16 name");
  static constexpr std::uint16_t kWords[] = {0x0000, 0xFFFE, 0x0006};
  const std::uint16_t word = getBE16(a);
  std::string volume;
  std::size_t i = 2;
  for (; i + 1 < n && getBE16(a + i) != 0; i += 2) volume.push_back(static_cast<char>(getBE16(a + i)));
  const bool zeroUnit = i + 1 < n;
  bool fits = false;
  switch (freeSpaceLayout) {
    case 1: fits = word == kWords[0] && zeroUnit && n == 0x100 - 4; break;
    case 2: fits = word == kWords[1] && zeroUnit && n == i + 2; break;
    case 3: fits = word == kWords[2] && !zeroUnit && n == i; break;
    default: break;
  }
  if (!fits || volume != "/a") return refused();
  std::vector<std::uint8_t> payload;
  putBE32(payload, static_cast<std::uint32_t>(capacity - std::min(capacity, used())));
  return data(std::move(payload));
}

// write: size 32, then the data.
std::variant<FakeAnswer, std::string> FakeP2KPhone::write(const std::uint8_t* a, std::size_t n) {
  if (n < 4 || getBE32(a) != n - 4) return std::string("write size differs from its data");
  if (n - 4 > kChunkLimit) return std::string("write of more than 0x400 bytes");
  if (!openPath_ || (files[*openPath_].attributes & 0x01)) return refused();
  if (pullCableAfterWrites && writeCalls == *pullCableAfterWrites) {
    pullCableAfterWrites.reset();
    return FakeAnswer{kFakeRefused, {}, false, true};
  }
  ++writeCalls;
  largestWriteChunk = std::max(largestWriteChunk, n - 4);
  if (lostWrites > 0) {
    --lostWrites;
    return success();
  }
  auto& bytes = files[*openPath_].data;
  const std::size_t end = position_ + n - 4;
  if (end > bytes.size() && used() + (end - bytes.size()) > capacity) return refused();
  if (bytes.size() < end) bytes.resize(end);
  std::copy(a + 4, a + n, bytes.begin() + static_cast<long>(position_));
  position_ = end;
  return success();
}

std::variant<FakeAnswer, std::string> FakeP2KPhone::fileCommand(const std::vector<std::uint8_t>& args) {
  if (args.size() < 4) return std::string("file command without a subcommand");
  const std::uint32_t sub = getBE32(args.data());
  fileSubcommands.push_back(sub);
  const std::uint8_t* a = args.data() + 4;
  const std::size_t n = args.size() - 4;
  switch (sub) {
    case 0x00: return open(a, n);
    case 0x01: {  // read: size 32
      if (n != 4) return std::string("read needs a 32-bit size only");
      const std::size_t want = getBE32(a);
      if (want > kChunkLimit) return std::string("read of more than 0x400 bytes");
      if (!openPath_) return refused();
      ++readCalls;
      largestReadChunk = std::max(largestReadChunk, want);
      const auto& bytes = files[*openPath_].data;
      const std::size_t from = std::min(position_, bytes.size());
      const std::size_t take = std::min(want, bytes.size() - from);
      position_ = from + take;
      return data(std::vector<std::uint8_t>(bytes.begin() + static_cast<long>(from),
                                            bytes.begin() + static_cast<long>(from + take)));
    }
    case 0x02: return write(a, n);
    case 0x03: {  // seek: offset 32, direction 8
      if (n != 5) return std::string("seek needs offset and direction");
      if (a[4] != 0) return std::string("seek direction other than from the start");
      if (!openPath_ || getBE32(a) > files[*openPath_].data.size()) return refused();
      position_ = getBE32(a);
      return success();
    }
    case 0x04:  // close
      if (n != 0) return std::string("close with arguments");
      if (!openPath_) return refused();
      openPath_.reset();
      return success();
    case 0x05: return remove(a, n);
    case 0x07: return startSearch(a, n);
    case 0x08:  // list next: records wanted 8
      if (n != 1 || a[0] == 0 || a[0] > kMostListed)
        return std::string("list next must ask for 1 to 3 records");
      return listNext(a[0]);
    case 0x0A: {  // volumes: UTF-16BE names, 0xFFFE between them, a zero unit after them
      if (n != 0) return std::string("volumes with arguments");
      if (refuseVolumes) return refused();
      std::vector<std::uint8_t> names;
      for (std::size_t v = 0; v < volumes.size(); ++v) {
        if (v > 0) putBE16(names, 0xFFFE);
        for (char c : volumes[v]) putBE16(names, static_cast<std::uint8_t>(c));
      }
      putBE16(names, 0);
      return data(std::move(names));
    }
    case 0x0B: return freeSpace(a, n);
    default: return std::string("unknown file subcommand");
  }
}

// search: in UTF-16BE a folder ending in '/', 0xFFFE, a name or "*", and a zero unit.
std::variant<FakeAnswer, std::string> FakeP2KPhone::startSearch(const std::uint8_t* a, std::size_t n) {
  if (n < 4 || n % 2 != 0 || getBE16(a + n - 2) != 0)
    return std::string("search pattern not ended by a zero unit");
  std::string folder, name;
  bool inName = false;
  for (std::size_t i = 0; i + 2 < n; i += 2) {
    const std::uint16_t unit = getBE16(a + i);
    if (unit == 0xFFFE && !inName)
      inName = true;
    else if (unit == 0 || unit > 0x7F)
      return std::string("search pattern with an unexpected unit");
    else
      (inName ? name : folder).push_back(static_cast<char>(unit));
  }
  if (!inName || folder.rfind("/a/", 0) != 0 || folder.back() != '/' || name.empty())
    return std::string("search pattern is not a folder, 0xFFFE and a name");
  search_.emplace();
  for (const auto& [path, file] : files)
    if (name == "*" ? path.rfind(folder, 0) == 0 : path == folder + name) search_->push_back(path);
  std::vector<std::uint8_t> count;
  putBE16(count, static_cast<std::uint16_t>(search_->size()));
  return data(std::move(count));
}

std::variant<FakeAnswer, std::string> FakeP2KPhone::listNext(std::size_t wanted) {
  if (!search_) return std::string("list next before a search");
  const std::size_t count = std::min(wanted, search_->size());
  std::vector<std::uint8_t> payload;
  putBE16(payload, static_cast<std::uint16_t>(count));
  putBE16(payload, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string path = search_->front();
    search_->erase(search_->begin());
    const FakePhoneFile& file = files[path];
    std::vector<std::uint8_t> name(nameField, 0);
    std::copy_n(path.begin(), std::min(path.size(), nameField - 1), name.begin());
    payload.insert(payload.end(), name.begin(), name.end());
    putBE16(payload, file.attributes);
    putBE16(payload, file.owner);
    putBE32(payload, static_cast<std::uint32_t>(file.data.size()));
  }
  return data(std::move(payload));
}

}  // namespace quillet::usb::testing
