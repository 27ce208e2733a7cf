// Takes the README's screenshots of the main window: right after start, and after
// opening the sample with custom items and clicking an item; and the About box. Run under a display
// (xvfb-run works):  gui_screenshots <samples folder> <output folder>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeView>
#include <cstdio>

#include "about_box.h"
#include "app_forms.h"
#include "main_window.h"
#include "message_prompt.h"

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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <samples folder> <output folder>\n", argv[0]);
    return 2;
  }
  const QDir samples(QString::fromLocal8Bit(argv[1]));
  const QDir output(QString::fromLocal8Bit(argv[2]));
  // A box would wait for a person; print it instead.
  quillet::ui::setMessageHandler([](const quillet::ui::MessageRequest& request) {
    std::fprintf(stderr, "%s\n", qPrintable(request.text));
    return QMessageBox::Ok;
  });

  quillet::ui::ApplicationForms forms = quillet::ui::CreateForms();
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
  return save(*forms.AboutBox, output.filePath(QStringLiteral("about_box.png"))) ? 0 : 1;
}
