#include "phone_progress_dialog.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>

namespace quillet::ui {
namespace {

// Wide enough for the longest line, so the dialog keeps its size from step to step.
constexpr int kDialogWidth = 400;

// The jobs that write to the phone, which the link lets no one stop once they do.
bool Writes(PhoneJob job) {
  return job == PhoneJob::Save || job == PhoneJob::Restore || job == PhoneJob::PutFile;
}

QString JobTitle(PhoneJob job) {
  switch (job) {
    case PhoneJob::Open: return PhoneProgressDialog::tr("Open from phone");
    case PhoneJob::Save: return PhoneProgressDialog::tr("Save to phone");
    case PhoneJob::Restart: return PhoneProgressDialog::tr("Restart Phone");
    case PhoneJob::Restore: return PhoneProgressDialog::tr("Restore phone menu");
    case PhoneJob::PutFile: return PhoneProgressDialog::tr("Put a picture on the phone");
  }
  return {};
}

// A file put on the phone is not its menu.
QString PutStepText(PhoneStep step) {
  switch (step) {
    case PhoneStep::Reading:
      return PhoneProgressDialog::tr("Looking for a file of that name on the phone...");
    case PhoneStep::BackingUp: return PhoneProgressDialog::tr("Keeping a backup of the phone's file...");
    case PhoneStep::Writing: return PhoneProgressDialog::tr("Writing the file to the phone...");
    case PhoneStep::Verifying: return PhoneProgressDialog::tr("Reading the file back to check it...");
  }
  return {};
}

QString StepText(PhoneJob job, PhoneStep step) {
  if (job == PhoneJob::PutFile) return PutStepText(step);
  switch (step) {
    case PhoneStep::Reading:
      return job == PhoneJob::Save || job == PhoneJob::Restore
                 ? PhoneProgressDialog::tr("Reading the phone's menu to back it up...")
                 : PhoneProgressDialog::tr("Reading the menu from the phone...");
    case PhoneStep::BackingUp: return PhoneProgressDialog::tr("Keeping a backup of the phone's menu...");
    case PhoneStep::Writing: return PhoneProgressDialog::tr("Writing the menu to the phone...");
    case PhoneStep::Verifying: return PhoneProgressDialog::tr("Reading the menu back to check it...");
  }
  return {};
}

}  // namespace

PhoneProgressDialog::PhoneProgressDialog(PhoneJob job, QWidget* owner)
    : QProgressDialog(owner),
      job_(job),
      cancellable_(job != PhoneJob::Restart),
      bar_(new QProgressBar),
      cancel_(new QPushButton(tr("Cancel"))) {
  setObjectName(QStringLiteral("PhoneProgress"));
  cancel_->setObjectName(QStringLiteral("PhoneProgressCancel"));
  setWindowTitle(JobTitle(job));
  setWindowModality(Qt::WindowModal);
  setAutoReset(false);
  setAutoClose(false);
  setMinimumDuration(0);
  // The bar is driven directly: the dialog's own setValue runs the event loop.
  setBar(bar_);
  setCancelButton(cancel_);
  // Cancel asks the job to stop; the dialog stays until the job has ended.
  disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
  setMinimumWidth(kDialogWidth);
  bar_->setRange(0, 0);
  setCancellable(cancellable_);
  setLabelText(job == PhoneJob::Restart ? tr("Restarting the phone...") : StepText(job, PhoneStep::Reading));
}

void PhoneProgressDialog::showProgress(PhoneStep step, std::size_t done, std::size_t total) {
  // From the first byte written, the phone's file is half old, half new until the end.
  if (Writes(job_) && (step == PhoneStep::Writing || step == PhoneStep::Verifying)) setCancellable(false);
  QString text = StepText(job_, step);
  if (total > 0) {
    text += tr("\n%1 of %2 bytes").arg(done).arg(total);
    bar_->setRange(0, static_cast<int>(total));
    bar_->setValue(static_cast<int>(done));
  } else {
    bar_->setRange(0, 0);
  }
  if (cancelling_)
    text += tr("\nCancelling...");
  else if (Writes(job_) && !cancellable_)
    text += tr("\nA write to the phone cannot be interrupted: please wait.");
  setLabelText(text);
}

void PhoneProgressDialog::showCancelling() {
  cancelling_ = true;
  setCancellable(false);
  setLabelText(labelText() + tr("\nCancelling..."));
}

void PhoneProgressDialog::setCancellable(bool cancellable) {
  cancellable_ = cancellable;
  cancel_->setEnabled(cancellable);
}

void PhoneProgressDialog::reject() {
  if (cancellable_) emit canceled();
}

void PhoneProgressDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  reject();
}

}  // namespace quillet::ui
