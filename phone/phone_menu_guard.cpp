#include "phone_menu_guard.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <utility>

#include "file_io.h"

namespace quillet {
namespace {

constexpr char kUnchanged[] = "The phone's menu is unchanged.";
constexpr char kMayBeIncomplete[] = "The phone's menu may be incomplete.";

Error PhoneFailure(std::string message, std::string detail = {}, std::string path = {}) {
  Error error{ErrorCode::PhoneError, std::move(message), std::move(path),
              std::nullopt,          std::nullopt,       std::move(detail)};
  return error;
}

// The link's error as it stands, with plain sentences after it.
Error Noted(Error error, std::initializer_list<std::string> notes) {
  error.notes.insert(error.notes.end(), notes.begin(), notes.end());
  return error;
}

std::string LocalTime(std::int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace

std::string KeptBeforeNote(const std::string& backupPath) {
  return "The menu the phone had before is kept in \"" + backupPath + "\".";
}

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
  return "the phone's copy differs from the bytes sent at byte " +
         std::to_string(differ.first - sent.begin()) + ".";
}

PhoneMenuGuard::PhoneMenuGuard(PhoneMenuFile& phone, BackupStore& backups,
                               std::function<void(const PhoneProgress&)> progress)
    : phone_(phone), backups_(backups), journal_(backups.folder()), progress_(std::move(progress)) {}

void PhoneMenuGuard::report(PhoneStep step, std::size_t done, std::size_t total) const {
  if (progress_) progress_(PhoneProgress{step, done, total});
}

Backup PhoneMenuGuard::backupAt(const std::string& model, const std::string& path, std::int64_t time) const {
  for (const Backup& backup : backups_.list(model))
    if (backup.path == path) return backup;
  // A backup the user moved away is still named, with the journal's time.
  Backup gone;
  gone.model = BackupStore::ModelFolderName(model);
  gone.path = path;
  gone.time = LocalTime(time);
  return gone;
}

std::optional<PhoneDamage> PhoneMenuGuard::settle(const std::string& model,
                                                  const std::vector<std::uint8_t>& held) {
  const auto entry = journal_.unfinished(model);
  if (!entry) return std::nullopt;
  const auto before = ReadWholeFile(entry->backupPath);
  // The write arrived whole, or never changed a byte: the menu is sound either way. A
  // journal that cannot be marked is left as it is; the next read looks again.
  if (WriteJournal::Matches(*entry, held) || (before.ok() && before.value() == held)) {
    (void)journal_.finish(model);
    return std::nullopt;
  }
  PhoneDamage damage;
  damage.before = backupAt(model, entry->backupPath, entry->time);
  damage.heldBytes = held.size();
  damage.sentBytes = entry->size;
  if (auto kept = backups_.keepDamaged(model, held)) damage.damagedPath = kept.value();
  return damage;
}

Result<std::optional<PhoneDamage>> PhoneMenuGuard::check(const std::string& model) {
  if (!journal_.unfinished(model)) return std::optional<PhoneDamage>();
  report(PhoneStep::Reading, 0, 0);
  auto held = phone_.readMenu();
  if (!held) return held.error();
  return settle(model, held.value());
}

Result<PhoneRead> PhoneMenuGuard::open(const std::string& model) {
  report(PhoneStep::Reading, 0, 0);
  auto bytes = phone_.readMenu();
  if (!bytes) return bytes.error();
  report(PhoneStep::Reading, bytes->size(), bytes->size());
  report(PhoneStep::BackingUp, 0, bytes->size());
  auto damage = settle(model, bytes.value());
  PhoneRead read{std::move(bytes.value()), {}, {}, std::move(damage)};
  if (read.damage) {
    // Kept already, marked damaged, so that a restore never takes it for a good menu.
    read.backupPath = read.damage->damagedPath;
    if (read.backupPath.empty()) read.backupError = "the damaged menu could not be kept";
    return read;
  }
  // The menu is in hand and good: a backup that cannot be made is worth a word, not
  // worth losing the menu over.
  if (auto kept = backups_.keep(model, read.bytes))
    read.backupPath = kept.value();
  else
    read.backupError = kept.error().message;
  return read;
}

Result<std::string> PhoneMenuGuard::save(const std::string& model, const std::vector<std::uint8_t>& bytes,
                                         bool verify) {
  lastWrite_ = PhoneMenuWrite::None;
  report(PhoneStep::Reading, 0, 0);
  const auto current = phone_.readMenu();
  if (!current)
    return Noted(current.error(),
                 {"Nothing was sent, as the phone's menu could not be read to back it up.", kUnchanged});
  report(PhoneStep::BackingUp, 0, current->size());
  // A phone whose last write did not finish holds a damaged menu: the menu to go back
  // to stays the one from before that write.
  std::string backupPath;
  if (const auto damage = settle(model, current.value())) {
    backupPath = damage->before.path;
  } else {
    const auto kept = backups_.keep(model, current.value());
    if (!kept)
      return PhoneFailure("Nothing was sent: the phone's menu could not be backed up.", kept.error().message);
    backupPath = kept.value();
  }
  const JournalEntry entry{
      backupPath, bytes.size(), WriteJournal::Checksum(bytes),
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
          .count(),
      false};
  if (Status recorded = journal_.begin(model, entry); !recorded)
    return PhoneFailure("Nothing was sent: the write could not be recorded in the write journal.",
                        recorded.error().message);

  report(PhoneStep::Writing, 0, bytes.size());
  lastWrite_ = PhoneMenuWrite::Failed;  // from here on the phone's menu may have changed
  if (auto written = phone_.writeMenu(bytes); !written)
    return failedWrite(written.error(), model, current.value(), backupPath);
  report(PhoneStep::Writing, bytes.size(), bytes.size());
  // Unchecked, the entry stays open: the next read from this phone compares it.
  if (verify) {
    if (auto checked = this->verify(bytes, backupPath); !checked) return checked.error();
    (void)journal_.finish(model);
  }
  lastWrite_ = PhoneMenuWrite::Stored;
  return backupPath;
}

Error PhoneMenuGuard::failedWrite(Error error, const std::string& model,
                                  const std::vector<std::uint8_t>& before, const std::string& backupPath) {
  std::string state = kMayBeIncomplete;
  if (!phone_.ready()) {
    error.notes.insert(error.notes.begin(), "The phone was disconnected during the write.");
  } else if (const auto held = phone_.readMenu()) {
    // Still there: what it holds now tells whether anything changed.
    if (held.value() == before) {
      state = kUnchanged;
      lastWrite_ = PhoneMenuWrite::None;
    }
    settle(model, held.value());
  }
  if (error.notes.empty()) error.notes.push_back("The phone did not take the menu.");
  return Noted(std::move(error), {state, KeptBeforeNote(backupPath)});
}

Result<Backup> PhoneMenuGuard::restoreChoice(const std::string& model) const {
  if (const auto entry = journal_.unfinished(model)) {
    const Backup before = backupAt(model, entry->backupPath, entry->time);
    if (ReadWholeFile(before.path).ok()) return before;
  }
  if (auto newest = backups_.newestIntact(model)) return *newest;
  return PhoneFailure("There is no backup of this phone's menu to restore.", {}, backups_.folder());
}

Status PhoneMenuGuard::verify(const std::vector<std::uint8_t>& sent, const std::string& backupPath) {
  report(PhoneStep::Verifying, 0, sent.size());
  const auto back = phone_.readMenu();
  if (!back)
    return Noted(back.error(), {"The menu was sent, but reading it back to check it failed.",
                                kMayBeIncomplete, KeptBeforeNote(backupPath)});
  report(PhoneStep::Verifying, back->size(), sent.size());
  const std::string what = DescribeDifference(sent, back.value());
  if (what.empty()) return Ok();
  return Noted(
      PhoneFailure("The menu written to the phone does not match what was sent: " + what, {}, backupPath),
      {KeptBeforeNote(backupPath)});
}

}  // namespace quillet
