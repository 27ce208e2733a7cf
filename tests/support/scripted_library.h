#pragma once
// A phone-access library that plays back scripted results and records every call,
// and a view that records what the link reports. Calls, pauses and reports
// go into one log, so a test sees their order.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "phone_link.h"

namespace quillet::test {

// Results handed out in order; once the queue is empty every call gets `otherwise`.
struct Script {
  std::deque<std::int32_t> queued;
  std::int32_t otherwise = 0;
  std::int32_t next() {
    if (queued.empty()) return otherwise;
    const std::int32_t result = queued.front();
    queued.pop_front();
    return result;
  }
};

inline TP2KFileEntry MakeEntry(const std::string& name, std::uint32_t size, std::uint16_t attrHigh = 0,
                               std::uint16_t attrLow = 0) {
  TP2KFileEntry entry;
  entry.size = size;
  entry.attrHigh = attrHigh;
  entry.attrLow = attrLow;
  std::memcpy(entry.name, name.data(), std::min(name.size(), sizeof entry.name));
  return entry;
}

class ScriptedLibrary : public P2KLibrary {
 public:
  explicit ScriptedLibrary(std::vector<std::string>& log) : log_(log) {}

  Script status{{}, 0}, init{{}, 0}, restart{{}, 0}, seem{{}, 0}, count{{}, -2}, list{{}, 0}, create{{}, 0},
      read{{}, -2}, write{{}, -2}, close{{}, 0}, remove{{}, 0};
  std::vector<TP2KFileEntry> listing;    // what File_List fills in
  std::vector<std::uint8_t> phoneFile;   // what File_Read copies out
  std::vector<std::uint8_t> modelBytes;  // what Seem_Read copies out
  std::vector<std::uint8_t> written;     // what File_Write received
  PhoneStatusCallback notify;
  std::size_t seemBufferSize = 0;
  std::string detail;  // what lastErrorDetail reports

  std::string lastErrorDetail() override { return detail; }

  std::int32_t P2K_GetStatus() override { return status.next(); }
  std::int32_t P2K_Init(PhoneStatusCallback callback) override {
    log_.push_back("P2K_Init");
    notify = std::move(callback);
    return init.next();
  }
  std::int32_t P2K_Restart() override {
    log_.push_back("P2K_Restart");
    return restart.next();
  }
  std::int32_t Seem_Read(std::int32_t seemId, std::int32_t record, std::int32_t offset, std::int32_t bytes,
                         std::uint8_t* buffer, std::size_t bufferSize) override {
    log_.push_back("Seem_Read " + std::to_string(seemId) + " " + std::to_string(record) + " " +
                   std::to_string(offset) + " " + std::to_string(bytes));
    seemBufferSize = bufferSize;
    const std::int32_t result = seem.next();
    if (result != -1) std::memcpy(buffer, modelBytes.data(), std::min(modelBytes.size(), bufferSize));
    return result;
  }
  std::int32_t File_Count() override {
    log_.push_back("File_Count");
    // By default the count is the listing's size.
    const std::int32_t result = count.next();
    return result == -2 ? static_cast<std::int32_t>(listing.size()) : result;
  }
  std::int32_t File_List(TP2KFileEntry* entries, std::int32_t n) override {
    log_.push_back("File_List " + std::to_string(n));
    const std::int32_t result = list.next();
    if (result == -1) return result;
    for (std::int32_t i = 0; i < n && static_cast<std::size_t>(i) < listing.size(); ++i)
      entries[i] = listing[i];
    return result;
  }
  std::int32_t File_Create(const char* path, std::uint32_t attributes) override {
    log_.push_back("File_Create " + std::string(path) + " " + std::to_string(attributes));
    return create.next();
  }
  std::int32_t File_SetPointer(std::int32_t offset, std::int32_t whence) override {
    log_.push_back("File_SetPointer " + std::to_string(offset) + " " + std::to_string(whence));
    return 0;
  }
  std::int32_t File_Read(std::uint8_t* buffer, std::int32_t maxBytes, std::int32_t attemptsLeft) override {
    log_.push_back("File_Read " + std::to_string(maxBytes) + " " + std::to_string(attemptsLeft));
    const std::int32_t result = read.next();
    if (result == -1) return result;
    std::memcpy(buffer, phoneFile.data(), std::min<std::size_t>(phoneFile.size(), std::size_t(maxBytes)));
    // By default the result is the number of bytes copied.
    return result == -2 ? static_cast<std::int32_t>(phoneFile.size()) : result;
  }
  std::int32_t File_Write(const std::uint8_t* buffer, std::int32_t bytes) override {
    log_.push_back("File_Write " + std::to_string(bytes));
    written.assign(buffer, buffer + bytes);
    const std::int32_t result = write.next();
    return result == -2 ? bytes : result;
  }
  std::int32_t File_Close() override {
    log_.push_back("File_Close");
    return close.next();
  }
  std::int32_t File_Delete(const char* path) override {
    log_.push_back("File_Delete " + std::string(path));
    return remove.next();
  }

 private:
  std::vector<std::string>& log_;
};

class RecordingView : public PhoneLinkView {
 public:
  explicit RecordingView(std::vector<std::string>& log) : log_(log) {}

  bool connected = false;
  std::string model;  // the model reported for the phone connected now
  std::string statusLine;
  std::vector<std::string> errors;

  void phoneConnectionChanged(bool on) override {
    connected = on;
    if (!on) model.clear();
    log_.push_back(on ? "connected" : "disconnected");
  }
  void phoneModelRead(const std::string& read) override {
    model = read;
    log_.push_back("model " + read);
  }
  void showStatusText(const std::string& text) override {
    statusLine = text;
    log_.push_back("status " + text);
  }
  void showPhoneError(const Error& error) override {
    errors.push_back(error.message);
    log_.push_back("error " + error.message);
  }

 private:
  std::vector<std::string>& log_;
};

}  // namespace quillet::test
