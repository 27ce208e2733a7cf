#include "phone_icon_files.h"

#include "phone_file_read.h"
#include "window_phone_link.h"

namespace quillet::ui {

WindowPhoneIconFiles::WindowPhoneIconFiles(WindowPhoneLink& phone) : phone_(phone) {}

// A read still queued stops at its first retry: the window is going.
WindowPhoneIconFiles::~WindowPhoneIconFiles() { ++side_->connection; }

bool WindowPhoneIconFiles::phoneReady() const { return phone_.P2K_GetStatus() == 1; }

QString WindowPhoneIconFiles::phoneName() const { return QString::fromStdString(phone_.link().model()); }

void WindowPhoneIconFiles::connectionChanged() { ++side_->connection; }

void WindowPhoneIconFiles::read(const std::string& path, std::function<void(Result<Bytes>)> done) {
  auto result = std::make_shared<std::optional<Result<Bytes>>>();
  std::shared_ptr<PhoneSide> side = side_;
  const unsigned connection = side->connection;
  WindowPhoneLink* phone = &phone_;  // outlives the phone thread, unlike this source
  phone_.runInBackground(
      [phone, side, connection, path, result] {
        PhoneRetryHooks hooks;
        hooks.cancelled = [side, connection] { return side->connection != connection; };
        P2KLibrary& library = phone->library();
        if (!side->list || side->listedFor != connection) {
          Result<std::vector<TP2KFileEntry>> list = ListPhoneFiles(library, hooks);
          if (!list) {
            Error error = list.error();
            error.path = path;
            result->emplace(std::move(error));
            return;
          }
          side->list = std::move(list.value());
          side->listedFor = connection;
        }
        result->emplace(ReadPhoneFileIn(library, *side->list, path, hooks));
      },
      [result, done = std::move(done)] {
        if (*result) done(std::move(**result));
      });
}

}  // namespace quillet::ui
