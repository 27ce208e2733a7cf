#include "help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quillet::ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(tr("Quillet Help"));
  guide_ = new QTextBrowser(this);
  guide_->setObjectName(QStringLiteral("HelpText"));
  guide_->setOpenExternalLinks(true);
  QFile file(QStringLiteral(":/help/quillet-help.md"));
  if (file.open(QIODevice::ReadOnly)) guide_->setMarkdown(QString::fromUtf8(file.readAll()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(guide_);
  resize(640, 560);
}

}  // namespace quillet::ui
