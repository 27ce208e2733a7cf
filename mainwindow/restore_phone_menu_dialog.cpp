#include "restore_phone_menu_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "menu_loader.h"

namespace quillet::ui {

std::vector<BackupChoice> BackupChoicesFor(const BackupStore& store, const std::string& model) {
  std::vector<BackupChoice> choices;
  for (Backup& backup : store.list(model)) {
    MenuDocument doc;
    const auto loaded = LoadMenuFileFromPath(backup.path, doc);
    choices.push_back(
        {std::move(backup), loaded ? std::optional<int>(doc.mainMenuItemCount()) : std::nullopt});
  }
  return choices;
}

RestorePhoneMenuDialog::RestorePhoneMenuDialog(std::vector<BackupChoice> choices,
                                               const std::string& preferred, QWidget* owner)
    : QDialog(owner), choices_(std::move(choices)) {
  setObjectName(QStringLiteral("RestorePhoneMenuDialog"));
  setWindowTitle(tr("Restore phone menu"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(tr("Choose the menu to write back to the phone. The menu the phone "
                              "holds now is backed up first."),
                           this);
  intro->setWordWrap(true);
  layout->addWidget(intro);

  BackupList = new QTreeWidget(this);
  BackupList->setObjectName(QStringLiteral("BackupList"));
  BackupList->setRootIsDecorated(false);
  BackupList->setHeaderLabels({tr("Time"), tr("Size"), tr("Main-menu entries"), tr("State")});
  // Newest first: the menu a user wants back is nearly always one of the last.
  for (auto it = choices_.rbegin(); it != choices_.rend(); ++it) {
    const BackupChoice& choice = *it;
    auto* row = new QTreeWidgetItem(BackupList);
    row->setText(0, QString::fromStdString(choice.backup.time));
    row->setText(1, tr("%n bytes", nullptr, static_cast<int>(choice.backup.size)));
    row->setText(2, choice.mainMenuEntries ? QString::number(*choice.mainMenuEntries) : QStringLiteral("-"));
    QString state;
    if (choice.backup.damaged) state = tr("damaged");
    if (!choice.mainMenuEntries)
      state += (state.isEmpty() ? QString() : QStringLiteral(", ")) + tr("does not load");
    row->setText(3, state);
    row->setToolTip(0, QString::fromStdString(choice.backup.path));
    row->setData(0, Qt::UserRole, static_cast<int>(std::distance(it, choices_.rend()) - 1));
    if (choice.backup.path == preferred) BackupList->setCurrentItem(row);
  }
  BackupList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(BackupList);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  RestoreButton = buttons->addButton(tr("Restore"), QDialogButtonBox::AcceptRole);
  RestoreButton->setObjectName(QStringLiteral("RestoreButton"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(BackupList, &QTreeWidget::currentItemChanged, this, [this] { selectionChanged(); });
  selectionChanged();
  resize(520, 320);
}

const BackupChoice* RestorePhoneMenuDialog::chosen() const {
  const QTreeWidgetItem* row = BackupList->currentItem();
  if (!row) return nullptr;
  return &choices_.at(static_cast<std::size_t>(row->data(0, Qt::UserRole).toInt()));
}

void RestorePhoneMenuDialog::selectionChanged() {
  const BackupChoice* choice = chosen();
  RestoreButton->setEnabled(choice && choice->mainMenuEntries.has_value());
}

std::string RestorePhoneMenuDialog::chosenPath() const {
  const BackupChoice* choice = chosen();
  return choice && choice->mainMenuEntries ? choice->backup.path : std::string();
}

}  // namespace quillet::ui
