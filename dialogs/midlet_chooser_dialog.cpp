#include "midlet_chooser_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "control_helpers.h"

namespace quillet::ui {

MidletChooserDialog::MidletChooserDialog(const std::vector<midlet::Midlet>& midlets, QWidget* parent)
    : QDialog(parent) {
  setObjectName("MidletChooserDialog");
  setWindowTitle(tr("Choose MIDlet"));
  auto* question = Named(new QLabel(tr("This Java application holds several MIDlets.\n"
                                       "Which one should the menu item start?"),
                                    this),
                         "QuestionLabel");
  MidletList = Named(new QListWidget(this), "MidletList");
  // The class tells apart MIDlets that carry the same name.
  for (const midlet::Midlet& midlet : midlets) {
    new QListWidgetItem(
        QStringLiteral("%1  (%2)")
            .arg(QString::fromStdString(midlet.name), QString::fromStdString(midlet.className)),
        MidletList);
  }
  MidletList->setCurrentRow(0);

  OKBtn = Named(new QPushButton(tr("OK"), this), "OKBtn");
  OKBtn->setDefault(true);
  CancelBtn = Named(new QPushButton(tr("Cancel"), this), "CancelBtn");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(question);
  layout->addWidget(MidletList, 1);
  layout->addLayout(buttons);

  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(MidletList, &QListWidget::itemActivated, this, &QDialog::accept);
}

int MidletChooserDialog::Chosen() const { return MidletList->currentRow(); }

}  // namespace quillet::ui
