#pragma once
// A fresh main window per test, with the file dialogs and message boxes answered by
// the test: `chosenPaths` feeds the dialogs (an empty string cancels), `messages`
// records every box and `answer` is the button pressed.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "main_window.h"
#include "message_prompt.h"
#include "phone_port.h"

namespace quillet::ui::testing {

using Bytes = std::vector<std::uint8_t>;

// A phone link whose status the test sets; restarting clears the window's flag as
// the real link does.
class FakePhone : public PhoneLinkPort {
 public:
  explicit FakePhone(std::uint8_t* storedToPhone = nullptr) : storedToPhone_(storedToPhone) {}
  void InitPhoneLink() override { ++inits; }
  std::int32_t P2K_GetStatus() override { return status; }
  void RestartPhone() override {
    ++restarts;
    if (storedToPhone_ != nullptr) *storedToPhone_ = 0;
  }
  void removeExchangeFile() override { ++exchangeRemovals; }
  std::int32_t status = 0;
  int inits = 0;
  int restarts = 0;
  int exchangeRemovals = 0;

 private:
  std::uint8_t* storedToPhone_;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The window under test; a fixture that needs the dialogs too creates all the forms.
  virtual std::unique_ptr<TSDIAppForm> makeWindow() { return std::make_unique<TSDIAppForm>(); }

  template <typename T>
  T* find(const char* name) const {
    T* found = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
  }
  QAction* action(const char* name) const { return find<QAction>(name); }

  // Writes bytes into the test's folder and returns the file's path.
  std::string writeFile(const std::string& name, const Bytes& bytes) const;
  std::string pathIn(const std::string& name) const;
  // Opens a file through the Open command, as a user picking it in the dialog.
  void openThroughWindow(const std::string& path);
  // Saves to a file through Save As, as a user naming it in the dialog.
  void saveThroughWindow(const std::string& path);

  QString panel0() const;
  QString memoText() const;
  bool memoVisible() const;
  // Clicks the node at a depth-first position in TreeView1 (expanding its parents).
  void clickNode(int absoluteIndex);

  std::unique_ptr<TSDIAppForm> window;
  QTemporaryDir folder;
  QString previousDirectory;
  std::deque<QString> chosenPaths;
  int dialogsShown = 0;
  std::vector<FileDialogKind> dialogKinds;  // each dialog shown, and where it opened
  std::vector<QString> dialogStarts;
  std::vector<MessageRequest> messages;
  QMessageBox::StandardButton answer = QMessageBox::Ok;
};

Bytes ReadBytes(const std::string& path);

}  // namespace quillet::ui::testing
