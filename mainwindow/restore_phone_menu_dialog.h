#pragma once
// File > Restore phone menu...: the connected phone's backups, newest first, each with
// its time, size and main-menu entries, the damaged ones marked, and Restore for the
// chosen one. Only a backup that loads as a menu can be chosen; the window writes it.
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "backup_store.h"

class QPushButton;
class QTreeWidget;

namespace quillet::ui {

// One backup as the dialog lists it.
struct BackupChoice {
  Backup backup;
  std::optional<int> mainMenuEntries;  // none: the file does not load as a menu
};

// The backups of `model`, oldest first, each loaded once to count its entries.
std::vector<BackupChoice> BackupChoicesFor(const BackupStore& store, const std::string& model);

class RestorePhoneMenuDialog : public QDialog {
  Q_OBJECT
 public:
  // `preferred`: the backup chosen at first (the restore's default), if listed.
  RestorePhoneMenuDialog(std::vector<BackupChoice> choices, const std::string& preferred, QWidget* owner);

  // The chosen backup's path, or empty.
  std::string chosenPath() const;

 private:
  void selectionChanged();
  const BackupChoice* chosen() const;

  std::vector<BackupChoice> choices_;
  QTreeWidget* BackupList;
  QPushButton* RestoreButton;
};

}  // namespace quillet::ui
