#pragma once
// Where the phone preview gets icon files from the connected phone: reads run as phone
// work on the phone thread (never on the window's), and what they find comes back on
// the window's thread. The phone's file list is read once per connection and reused
// for every icon until the phone goes or comes again.
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "p2k_library.h"
#include "result.h"

namespace quillet::ui {

class WindowPhoneLink;

// What the icon store needs of a phone; the window's link stands behind it, tests may
// put the emulated phone behind the same link.
class PhoneIconFiles {
 public:
  using Bytes = std::vector<std::uint8_t>;
  virtual ~PhoneIconFiles() = default;
  // A phone is connected and ready.
  virtual bool phoneReady() const = 0;
  // The connected phone's name for messages and the cache folder; empty until known.
  virtual QString phoneName() const = 0;
  // Reads the phone file at `path` (UTF-8) on the phone thread; `done` runs on the
  // window's thread with the bytes or the error.
  virtual void read(const std::string& path, std::function<void(Result<Bytes>)> done) = 0;
  // Tells the source the phone went or came: the file list read for the last phone is
  // dropped, and a read still running for it stops at its next retry.
  virtual void connectionChanged() = 0;
};

class WindowPhoneIconFiles : public PhoneIconFiles {
 public:
  explicit WindowPhoneIconFiles(WindowPhoneLink& phone);
  ~WindowPhoneIconFiles() override;

  bool phoneReady() const override;
  QString phoneName() const override;
  void read(const std::string& path, std::function<void(Result<Bytes>)> done) override;
  void connectionChanged() override;

 private:
  // Touched on the phone thread only, except `connection`, which the window's thread
  // moves on.
  struct PhoneSide {
    std::atomic<unsigned> connection{0};
    unsigned listedFor = 0;
    std::optional<std::vector<TP2KFileEntry>> list;
  };

  WindowPhoneLink& phone_;
  std::shared_ptr<PhoneSide> side_ = std::make_shared<PhoneSide>();
};

}  // namespace quillet::ui
