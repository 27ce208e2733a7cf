#include "phone_menu_guard.h"

#include <algorithm>
#include <utility>

namespace quillet {
namespace {

Error PhoneFailure(std::string message, std::string path = {}) {
  return Error{ErrorCode::PhoneError, std::move(message), std::move(path), std::nullopt,
               std::nullopt};
}

// The link's error with words around its message; the library's reason stays with it.
Error Explained(Error error, const std::string& before, const std::string& after) {
  error.message = before + error.message + after;
  return error;
}

std::string KeptIn(const std::string& backupPath) {
  return " The phone's previous menu is kept in \"" + backupPath + "\".";
}

}  // namespace

std::string DescribeDifference(const std::vector<std::uint8_t>& sent, const std::vector<std::uint8_t>& held) {
  if (held == sent) return {};
  if (held.size() > sent.size() && std::equal(sent.begin(), sent.end(), held.begin())) {
    // The phone kept the old file's tail: its file commands cannot shorten a file.
    return "the phone holds " + std::to_string(held.size()) + " bytes where " + std::to_string(sent.size()) +
           " were sent: the old file's last " + std::to_string(held.size() - sent.size()) +
           " bytes remain after the new one.";
  }
  if (held.size() != sent.size())
    return "the phone holds " + std::to_string(held.size()) + " bytes where " + std::to_string(sent.size()) +
           " were sent.";
  const auto differ = std::mismatch(sent.begin(), sent.end(), held.begin());
  return "the phone's copy differs from the bytes sent at byte " + std::to_string(differ.first - sent.begin()) + ".";
}

PhoneMenuGuard::PhoneMenuGuard(PhoneMenuFile& phone, BackupStore& backups,
                               std::function<void(const PhoneProgress&)> progress)
    : phone_(phone), backups_(backups), progress_(std::move(progress)) {}

void PhoneMenuGuard::report(PhoneStep step, std::size_t done, std::size_t total) const {
  if (progress_) progress_(PhoneProgress{step, done, total});
}

Result<PhoneRead> PhoneMenuGuard::open(const std::string& model) {
  report(PhoneStep::Reading, 0, 0);
  auto bytes = phone_.readMenu();
  if (!bytes) return bytes.error();
  report(PhoneStep::Reading, bytes->size(), bytes->size());
  report(PhoneStep::BackingUp, 0, bytes->size());
  PhoneRead read{std::move(bytes.value()), {}, {}};
  // The menu is in hand and good: a backup that cannot be made is worth a word, not
  // worth losing the menu over.
  if (auto kept = backups_.keep(model, read.bytes))
    read.backupPath = kept.value();
  else
    read.backupError = kept.error().message;
  return read;
}

Result<std::string> PhoneMenuGuard::save(const std::string& model,
                                         const std::vector<std::uint8_t>& bytes, bool verify) {
  lastWrite_ = PhoneMenuWrite::None;
  report(PhoneStep::Reading, 0, 0);
  const auto current = phone_.readMenu();
  if (!current)
    return Explained(current.error(),
                     "Nothing was sent: the phone's menu could not be read to back it up. ", "");
  report(PhoneStep::BackingUp, 0, current->size());
  const auto kept = backups_.keep(model, current.value());
  if (!kept)
    return PhoneFailure("Nothing was sent: the phone's menu could not be backed up. " +
                        kept.error().message);

  report(PhoneStep::Writing, 0, bytes.size());
  lastWrite_ = PhoneMenuWrite::Failed;  // from here on the phone's menu may have changed
  if (auto written = phone_.writeMenu(bytes); !written)
    return Explained(written.error(), "", KeptIn(kept.value()));
  report(PhoneStep::Writing, bytes.size(), bytes.size());
  if (verify) {
    if (auto checked = this->verify(bytes, kept.value()); !checked) return checked.error();
  }
  lastWrite_ = PhoneMenuWrite::Stored;
  return kept.value();
}

Status PhoneMenuGuard::verify(const std::vector<std::uint8_t>& sent, const std::string& backupPath) {
  report(PhoneStep::Verifying, 0, sent.size());
  const auto back = phone_.readMenu();
  if (!back)
    return Explained(back.error(), "The menu was sent, but reading it back to check it failed: ",
                     KeptIn(backupPath));
  report(PhoneStep::Verifying, back->size(), sent.size());
  const std::string what = DescribeDifference(sent, back.value());
  if (what.empty()) return Ok();
  return PhoneFailure("The menu written to the phone does not match what was sent: " + what +
                          KeptIn(backupPath),
                      backupPath);
}

}  // namespace quillet
