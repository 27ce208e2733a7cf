#pragma once
// The window-modal progress dialog of a phone job: which step runs (reading, backing
// up, writing, verifying, restarting) and how many bytes of how many are done. Cancel
// works while the job only reads; once a write begins it cannot be interrupted, and
// the dialog says so and disables Cancel (Escape and closing the dialog do nothing).
#include <QProgressDialog>
#include <cstddef>

#include "phone_menu_guard.h"

class QProgressBar;
class QPushButton;

namespace quillet::ui {

enum class PhoneJob { Open, Save, Restart, Restore, PutFile };

class PhoneProgressDialog : public QProgressDialog {
  Q_OBJECT
 public:
  PhoneProgressDialog(PhoneJob job, QWidget* owner);

  void showProgress(PhoneStep step, std::size_t done, std::size_t total);
  // After Cancel: the job stops at its next piece; the dialog waits for it.
  void showCancelling();
  bool cancellable() const { return cancellable_; }

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void setCancellable(bool cancellable);

  PhoneJob job_;
  bool cancellable_;
  bool cancelling_ = false;
  QProgressBar* bar_;
  QPushButton* cancel_;
};

}  // namespace quillet::ui
