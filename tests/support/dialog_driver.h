#pragma once
// What the dialog tests use to work the dialogs as a person would: find controls by
// name, click them, pick combo box entries, answer message boxes and act on the
// dialogs that a dialog opens.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "prompter.h"

namespace quillet::test {

// The named child of the given type; fails the test when it is missing.
template <typename T>
T* Child(const QWidget& parent, const char* name) {
  T* child = parent.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << "no control named " << name;
  return child;
}

inline void Click(QAbstractButton* button) {
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
}

// Picks an entry from a combo box's drop-down list, as a click in the list does.
inline void Pick(QComboBox* combo, int index) {
  ASSERT_NE(combo, nullptr);
  combo->showPopup();
  QAbstractItemView* list = combo->view();
  const QModelIndex entry = list->model()->index(index, combo->modelColumn());
  list->scrollTo(entry);
  const QRect rect = list->visualRect(entry);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  ASSERT_EQ(combo->currentIndex(), index);
}

// Replaces the edit's text by typing, as a person selecting all and typing does.
inline void TypeInto(QLineEdit* edit, const QString& text) {
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  edit->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(edit, Qt::Key_Delete);
    return;
  }
  for (const QChar c : text) {
    // QTest has key codes for ASCII only; other characters arrive as text, as from an
    // input method.
    if (c.unicode() < 0x80) {
      QTest::keyClick(edit, c.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// Records every message box and answers each with the next queued button (Ok, or the
// last queued answer, when the queue runs dry).
class MessageRecorder {
 public:
  QMessageBox::StandardButton answer(const ui::MessageRequest& request) {
    requests.push_back(request);
    if (answers.empty()) return lastAnswer;
    lastAnswer = answers.front();
    answers.erase(answers.begin());
    return lastAnswer;
  }

  std::vector<ui::MessageRequest> requests;
  std::vector<QMessageBox::StandardButton> answers;
  QMessageBox::StandardButton lastAnswer = QMessageBox::Ok;
};

// Acts on the dialogs opened modally: the dialog is shown (not modal), the script
// registered for its object name runs and presses its buttons, and the dialog's result is
// what those presses left (Rejected when none). Each opening is counted.
class ModalScript {
 public:
  using Action = std::function<void(QDialog&)>;
  int run(QDialog& dialog) {
    const std::string name = dialog.objectName().toStdString();
    ++openings[name];
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    const auto action = actions.find(name);
    if (action != actions.end()) action->second(dialog);
    dialog.hide();
    return dialog.result();
  }

  std::map<std::string, Action> actions;
  std::map<std::string, int> openings;
};

// The prompter the tests give the windows: boxes go to `messages`, dialogs to `modals`.
class TestPrompter : public ui::Prompter {
 public:
  QMessageBox::StandardButton showMessage(const ui::MessageRequest& request) override {
    return messages.answer(request);
  }
  int runModal(QDialog& dialog) override { return modals.run(dialog); }

  MessageRecorder messages;
  ModalScript modals;
};

}  // namespace quillet::test
