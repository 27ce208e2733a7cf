// Takes the README's screenshots of the main window: right after start, and after
// opening the sample with custom items and clicking an item; the About box; the Edit
// menu after a deletion, the tree's pop-up menu with an item copied, an item dragged over
// the tree with its drop line, the unsaved-changes question at New and the progress
// dialog of Save to phone. Run under a display
// (xvfb-run works):  gui_screenshots <samples folder> <output folder> [language]
// A language (ru, zh_CN) takes the same pictures in that interface language.
#include <QApplication>
#include <QDir>
#include <QDragMoveEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTreeView>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "about_box.h"
#include "app_forms.h"
#include "emulated_phone.h"
#include "interface_language.h"
#include "main_window.h"
#include "menu_tree_model.h"
#include "message_prompt.h"
#include "phone_progress_dialog.h"

namespace {

void settle(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool save(QWidget& window, const QString& path) {
  settle(200);
  if (window.grab().save(path)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

// Save to phone of the sample to a slow emulated phone, caught while it writes: a
// window of its own, with the phone and its backups in temporary folders.
bool saveProgressShot(const QString& sample, const QString& path) {
  QTemporaryDir phoneDir, dataDir;
  qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir.path()));
  const QString menuPath = phoneDir.filePath(QStringLiteral("a/mobile/system/mma_ucp"));
  if (!QDir().mkpath(QFileInfo(menuPath).path()) || !QFile::copy(sample, menuPath)) return false;
  auto phone = std::make_unique<quillet::EmulatedPhone>(QFile::encodeName(phoneDir.path()).toStdString(), "V3i");
  quillet::EmulatedPhone& slow = *phone;
  quillet::ui::TSDIAppForm window;
  window.usePhoneLibrary(std::move(phone));
  window.show();
  const auto waitFor = [](const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
  };
  QLabel* panel = window.findChild<QLabel*>(QStringLiteral("StatusBar1Panel1"));
  if (!waitFor([&] { return panel->text() == quillet::ui::TSDIAppForm::tr("Phone: %1 ").arg(QStringLiteral("V3i")); })) return false;
  window.openMenuFile(QFile::encodeName(sample).toStdString());
  slow.setTransferDelay(std::chrono::milliseconds(400));
  window.PhoneSaveExecute();
  QProgressDialog* dialog = window.findChild<QProgressDialog*>(QStringLiteral("PhoneProgress"));
  if (dialog == nullptr ||
      !waitFor([&] {
        return dialog->labelText().contains(quillet::ui::PhoneProgressDialog::tr("Writing the menu to the phone...")) &&
               dialog->labelText().contains(
                   quillet::ui::PhoneProgressDialog::tr("\n%1 of %2 bytes").arg(1024).section(QStringLiteral("%2"), 0, 0));
      }))
    return false;
  settle(100);
  const QRect area = window.frameGeometry().united(dialog->frameGeometry());
  const bool saved =
      QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
  waitFor([&] { return !window.phoneWorking(); });
  return saved;
}

// A box would wait for a person: questions are answered Yes, the unsaved-changes
// question is shown, taken and cancelled, and every other box is printed. Dialogs run
// modally as they would for a person.
class ToolPrompter : public quillet::ui::Prompter {
 public:
  explicit ToolPrompter(const QDir& output) : output_(output) {}
  QMessageBox::StandardButton showMessage(const quillet::ui::MessageRequest& request) override {
    if (request.buttons.testFlag(QMessageBox::Discard)) {
      QMessageBox box(request.icon, request.title, request.text, request.buttons, request.owner);
      box.show();
      questionSaved = save(box, output_.filePath(QStringLiteral("unsaved_changes_question.png")));
      return QMessageBox::Cancel;
    }
    std::fprintf(stderr, "%s\n", qPrintable(request.text));
    return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
  }
  int runModal(QDialog& dialog) override { return quillet::ui::screenPrompter().runModal(dialog); }

  bool questionSaved = false;

 private:
  QDir output_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s <samples folder> <output folder> [language]\n", argv[0]);
    return 2;
  }
  if (argc == 4 && !quillet::ui::UseInterfaceLanguage(QString::fromLocal8Bit(argv[3]),
                                                      {QStringLiteral(QUILLET_TRANSLATIONS_DIR)})) {
    std::fprintf(stderr, "no catalogue for %s\n", argv[3]);
    return 2;
  }
  const QDir samples(QString::fromLocal8Bit(argv[1]));
  const QDir output(QString::fromLocal8Bit(argv[2]));
  ToolPrompter prompter(output);

  quillet::ui::ApplicationForms forms = quillet::ui::CreateForms();
  forms.setPrompter(prompter);
  quillet::ui::TSDIAppForm& window = *forms.SDIAppForm;
  window.show();
  if (!save(window, output.filePath(QStringLiteral("main_window_start.png")))) return 1;

  if (!window.openMenuFile(QFile::encodeName(samples.filePath(QStringLiteral("mma_ucp_custom"))).toStdString())) {
    return 1;
  }
  window.findChild<QTreeView*>(QStringLiteral("TreeView1"))->expandAll();
  window.selectNode(window.document().tree.nodeAt(quillet::kFirstMenuNodeIndex));
  window.TreeView1Click();
  if (!save(window, output.filePath(QStringLiteral("main_window_sample.png")))) return 1;
  if (!save(*forms.AboutBox, output.filePath(QStringLiteral("about_box.png")))) return 1;

  // The Edit menu open below the menu bar after a deletion: the menu is a window of
  // its own, so the screen is taken around both.
  window.Deleteitem1Click();
  QMenu* edit = window.findChild<QMenu*>(QStringLiteral("Edit1"));
  QMenuBar* bar = window.menuBar();
  edit->popup(bar->mapToGlobal(bar->actionGeometry(edit->menuAction()).bottomLeft()));
  settle(300);
  const QRect area = window.frameGeometry().united(edit->geometry());
  const QString menuShot = output.filePath(QStringLiteral("edit_menu.png"));
  if (!QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(menuShot)) {
    return 1;
  }
  edit->hide();

  // The tree's pop-up menu over the selected item, with an item on the clipboard.
  auto* tree = window.findChild<QTreeView*>(QStringLiteral("TreeView1"));
  window.selectNode(window.document().tree.nodeAt(quillet::kFirstMenuNodeIndex + 1));
  window.Copyitem1Click();
  QMenu* treeMenu = window.findChild<QMenu*>(QStringLiteral("PopupMenu2"));
  const QRect itemRect = tree->visualRect(tree->currentIndex());
  treeMenu->popup(tree->viewport()->mapToGlobal(itemRect.center()));
  settle(300);
  const QRect treeArea = window.frameGeometry().united(treeMenu->geometry());
  if (!QGuiApplication::primaryScreen()
           ->grabWindow(0, treeArea.x(), treeArea.y(), treeArea.width(), treeArea.height())
           .save(output.filePath(QStringLiteral("tree_popup_clipboard.png")))) {
    return 1;
  }
  treeMenu->hide();

  // An item dragged over the tree: the drop line shows where it would land.
  std::unique_ptr<QMimeData> dragged(
      window.treeModel().mimeData({window.treeModel().indexForNode(window.document().tree.nodeAt(quillet::kFirstMenuNodeIndex))}));
  const QRect overRect = tree->visualRect(window.treeModel().indexForNode(
      window.document().tree.nodeAt(quillet::kFirstMenuNodeIndex + 3)));
  const QPoint over(overRect.center().x(), overRect.top() + 1);
  QDragEnterEvent enter(over, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree->viewport(), &enter);
  QDragMoveEvent move(over, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree->viewport(), &move);
  if (!move.isAccepted() || !save(window, output.filePath(QStringLiteral("tree_drop_line.png")))) return 1;
  QDragLeaveEvent leave;
  QApplication::sendEvent(tree->viewport(), &leave);
  window.FileNew1Execute();
  if (!prompter.questionSaved) return 1;
  return saveProgressShot(samples.filePath(QStringLiteral("mma_ucp_custom")),
                          output.filePath(QStringLiteral("phone-progress.png")))
             ? 0
             : 1;
}
