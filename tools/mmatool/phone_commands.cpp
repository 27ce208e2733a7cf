#include "phone_commands.h"

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "backup_store.h"
#include "commands.h"
#include "display_text.h"
#include "file_io.h"
#include "phone_file_guard.h"
#include "phone_link.h"
#include "phone_menu_guard.h"

namespace quillet::mmatool {
namespace {

// A phone on USB may first need to switch from modem mode and come back on the bus.
constexpr std::chrono::seconds kConnectWait{15};

// The link's message and reason on the first line, then each plain sentence on its own.
void ReportPhoneError(const Error& error, std::ostream& err) {
  err << "mmatool: " << PrintableUtf8(error.message);
  if (!error.detail.empty()) err << ": " << PrintableUtf8(error.detail);
  err << '\n';
  for (const std::string& note : error.notes) err << "mmatool: " << PrintableUtf8(note) << '\n';
}

void ReportDamage(const PhoneDamage& damage, std::ostream& err) {
  err << "mmatool: warning: the last write to this phone did not finish: its menu holds " << damage.heldBytes
      << " bytes where " << damage.sentBytes << " were sent.\n"
      << "mmatool: warning: the menu it had before (" << damage.before.time << ") is kept in \""
      << damage.before.path << "\"; put it back with: mmatool phone restore \"" << damage.before.path
      << "\"\n";
}

int Failed(const Error& error, std::ostream& err) {
  ReportPhoneError(error, err);
  return kExitBadFile;
}

// The link's window for a script: notices are queued and run on the main thread while
// it waits, texts go to stderr only when a person watches it.
class ScriptPhoneView : public PhoneLinkView {
 public:
  explicit ScriptPhoneView(std::ostream& err) : err_(err), terminal_(isatty(STDERR_FILENO) == 1) {}

  void post(std::function<void()> task) {
    {
      std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    wake_.notify_all();
  }

  // Runs queued notices until `ready` holds or the time is up.
  bool waitUntil(const std::function<bool()>& ready, std::chrono::steady_clock::duration limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
      std::deque<std::function<void()>> tasks;
      {
        std::unique_lock lock(mutex_);
        wake_.wait_until(lock, deadline, [&] { return !tasks_.empty(); });
        tasks.swap(tasks_);
      }
      for (auto& task : tasks) task();
      if (ready()) return true;
      if (tasks.empty() && std::chrono::steady_clock::now() >= deadline) return false;
    }
  }

  // A script waits for the link's model itself (link.model()).
  void phoneConnectionChanged(bool) override {}
  void phoneModelRead(const std::string&) override {}
  void showStatusText(const std::string& text) override {
    if (terminal_) err_ << text << '\n';
  }
  void showPhoneError(const Error& error) override { ReportPhoneError(error, err_); }

 private:
  std::ostream& err_;
  bool terminal_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> tasks_;
};

int ListBackups(const std::string& folder, std::ostream& out) {
  for (const Backup& backup : BackupStore(folder).list())
    out << backup.path << '\t' << backup.size << (backup.damaged ? "\tdamaged" : "") << '\n';
  return kExitOk;
}

// The menu file at `path` as a push sends it: only a file that loads is sent.
bool LoadMenu(const std::string& path, std::istream& in, std::ostream& err, std::vector<std::uint8_t>& menu) {
  MenuDocument doc;
  auto loaded = Load(path, in, doc, err);
  if (!loaded) return false;
  menu = std::move(loaded->bytes);
  return true;
}

}  // namespace

int RunPhone(const CommandLine& line, std::istream& in, std::ostream& out, std::ostream& err,
             const PhoneLibraryMaker& makeLibrary, const std::string& backupsFolder) {
  if (line.phone == PhoneAction::Backups) return ListBackups(backupsFolder, out);

  // A damaged file is refused before the phone is even reached, and so is one too long
  // for the transfer.
  std::vector<std::uint8_t> menu;
  const bool sends = line.phone == PhoneAction::Push || line.phone == PhoneAction::Restore;
  if (sends && !line.files.empty() && !LoadMenu(line.files[0], in, err, menu)) return kExitBadFile;
  std::vector<std::uint8_t> file;
  if (line.phone == PhoneAction::Put) {
    auto read = ReadInput(line.files[0], in, PhoneLink::kMaxTransferBytes);
    if (!read) {
      ReportError(InputName(line.files[0]), read.error(), err);
      return kExitBadFile;
    }
    file = std::move(read.value());
  }

  const std::unique_ptr<P2KLibrary> library = makeLibrary();
  ScriptPhoneView view(err);
  PhoneLinkHooks hooks;
  hooks.postToUi = [&view](std::function<void()> task) { view.post(std::move(task)); };
  PhoneLink link(*library, view, hooks);
  if (Status started = link.InitPhoneLink(); !started) {
    ReportPhoneError(started.error(), err);
    return kExitBadFile;
  }
  if (!view.waitUntil([&] { return link.status() == 1 && !link.model().empty(); }, kConnectWait)) {
    err << "mmatool: no phone connected\n";
    return kExitBadFile;
  }

  BackupStore backups(backupsFolder);
  PhoneMenuGuard guard(link, backups);
  switch (line.phone) {
    case PhoneAction::Info: {
      // A write that did not finish is worth a warning, not a failure: the phone answers.
      const auto damage = guard.check(link.model());
      if (!damage) {
        ReportPhoneError(damage.error(), err);
        return kExitBadFile;
      }
      if (damage.value()) ReportDamage(*damage.value(), err);
      const auto read = link.ReadPhoneFile();
      if (!read) {
        ReportPhoneError(read.error(), err);
        return kExitBadFile;
      }
      const char* folder = std::getenv("QUILLET_PHONE_DIR");
      out << "model: " << link.model() << '\n'
          << "connection: " << (folder && *folder ? std::string("emulated phone in ") + folder : "USB")
          << '\n'
          << "menu file: " << read->size() << " bytes\n";
      return kExitOk;
    }
    case PhoneAction::Pull: {
      const auto read = guard.open(link.model());
      if (!read) {
        ReportPhoneError(read.error(), err);
        return kExitBadFile;
      }
      if (read->damage) ReportDamage(*read->damage, err);
      if (!read->backupError.empty()) err << "mmatool: warning: no backup: " << read->backupError << '\n';
      return WriteOutput(line.files[0], read->bytes, out, err) ? kExitOk : kExitBadFile;
    }
    case PhoneAction::Push: {
      const auto saved = guard.save(link.model(), menu, line.verify);
      if (!saved) {
        ReportPhoneError(saved.error(), err);
        return kExitBadFile;
      }
      out << "backup: " << saved.value() << '\n';
      return kExitOk;
    }
    case PhoneAction::Restore: {
      std::string chosen = line.files.empty() ? std::string() : line.files[0];
      if (chosen.empty()) {
        const auto choice = guard.restoreChoice(link.model());
        if (!choice) return Failed(choice.error(), err);
        chosen = choice->path;
        if (!LoadMenu(chosen, in, err, menu)) return kExitBadFile;
      }
      const auto saved = guard.save(link.model(), menu);
      if (!saved) return Failed(saved.error(), err);
      out << "restored: " << chosen << '\n' << "backup: " << saved.value() << '\n';
      return kExitOk;
    }
    case PhoneAction::Restart: link.RestartPhone(); return kExitOk;
    case PhoneAction::Backups: break;  // answered above, without a phone
    case PhoneAction::List: {
      auto files = link.ListFiles();
      if (!files) return Failed(files.error(), err);
      if (!line.files.empty()) files = FolderEntries(files.value(), line.files[0]);
      for (const PhoneFileInfo& listed : files.value())
        out << listed.size << '\t' << PrintableUtf8(listed.path) << '\n';
      return kExitOk;
    }
    case PhoneAction::Get: {
      // OUT is written only once the whole file is in hand.
      const auto read = link.ReadFileAt(line.files[0]);
      if (!read) return Failed(read.error(), err);
      return WriteOutput(line.files[1], read.value(), out, err) ? kExitOk : kExitBadFile;
    }
    case PhoneAction::Put: {
      PhoneFileGuard files(link, backups);
      const auto put = files.put(link.model(), line.files[1], file);
      if (!put) return Failed(put.error(), err);
      if (put->replaced) out << "backup: " << put->backupPath << '\n';
      return kExitOk;
    }
    case PhoneAction::Remove: {
      if (Status removed = link.DeleteFileAt(line.files[0]); !removed) return Failed(removed.error(), err);
      return kExitOk;
    }
  }
  return kExitOk;
}

}  // namespace quillet::mmatool
