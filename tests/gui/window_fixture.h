#pragma once
// A fresh main window per test, with the file dialogs and message boxes answered by
// the test: `chosenPaths` feeds the dialogs (an empty string cancels), `messages`
// records every box and `answer` is the button pressed; the dialogs the window opens
// modally are worked by `modals`.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "main_window.h"
#include "no_phone.h"

namespace quillet::ui::testing {

using Bytes = std::vector<std::uint8_t>;

// A phone-access library whose status the test sets and which counts its starts and
// restarts; it never sends a connection notice, and every file call fails as NoPhone's.
class FakePhone : public NoPhone {
 public:
  std::int32_t P2K_GetStatus() override { return status; }
  std::int32_t P2K_Init(PhoneStatusCallback) override {
    ++inits;
    return 0;
  }
  std::int32_t P2K_Restart() override {
    ++restarts;  // on the phone thread
    return 0;
  }

  std::int32_t status = 0;
  int inits = 0;
  std::atomic<int> restarts{0};
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The window under test, prompting through the fixture; a fixture that needs the
  // dialogs too creates all the forms.
  virtual std::unique_ptr<TSDIAppForm> makeWindow();
  // The file dialogs of `target` answered from `chosenPaths`, counted and recorded.
  void answerFileDialogs(TSDIAppForm& target);
  // Closes the window (which stores what it remembers) and makes a fresh one, as a
  // restart of the editor does.
  void restartWindow();
  // Gives the window a FakePhone (which it owns from then on) and returns it.
  FakePhone& usePhone(TSDIAppForm& target);

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
  test::TestPrompter prompter;
  std::vector<MessageRequest>& messages = prompter.messages.requests;
  QMessageBox::StandardButton& answer = prompter.messages.lastAnswer;  // every box's answer
  test::ModalScript& modals = prompter.modals;
};

Bytes ReadBytes(const std::string& path);

}  // namespace quillet::ui::testing
