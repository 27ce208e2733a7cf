#include "choose_icon_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "control_helpers.h"
#include "core_words.h"
#include "phone_folder_files.h"

namespace quillet::ui {
namespace {

constexpr int kThumbnailSize = 48;
constexpr auto kPathRole = Qt::UserRole;

// The pictures the phone shows, known by their names: the list is read without opening
// a file.
bool IsPictureName(const QString& path) {
  static const QStringList kEndings = {QStringLiteral(".gif"), QStringLiteral(".png"),
                                       QStringLiteral(".jpg"), QStringLiteral(".jpeg"),
                                       QStringLiteral(".bmp"), QStringLiteral(".wbmp")};
  return std::any_of(kEndings.begin(), kEndings.end(),
                     [&](const QString& ending) { return path.endsWith(ending, Qt::CaseInsensitive); });
}

QString FolderOf(const QString& path) { return path.left(path.lastIndexOf(QLatin1Char('/')) + 1); }
QString NameOf(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }

// The picture's first frame, made smaller to fit the thumbnail's square and centred in it,
// so the grid stays even; a null icon when the bytes do not decode (`problem` says why).
QIcon Thumbnail(const QByteArray& bytes, QString& problem) {
  const DecodedPicture picture = DecodePicture(bytes);
  QImage image = picture.firstFrame;
  if (image.isNull()) {
    problem = ChooseIconDialog::tr("The file does not decode as a picture: %1").arg(picture.error);
    return {};
  }
  if (image.width() > kThumbnailSize || image.height() > kThumbnailSize)
    image = image.scaled(kThumbnailSize, kThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QPixmap square(kThumbnailSize, kThumbnailSize);
  square.fill(Qt::transparent);
  QPainter painter(&square);
  painter.drawImage((kThumbnailSize - image.width()) / 2, (kThumbnailSize - image.height()) / 2, image);
  return QIcon(square);
}

}  // namespace

ChooseIconDialog::ChooseIconDialog(PictureFiles& files, FileChooser chooseFile, Prompter& prompter,
                                   const QString& current, QWidget* parent)
    : QDialog(parent),
      files_(files),
      chooseFile_(std::move(chooseFile)),
      prompter_(prompter),
      current_(current) {
  setObjectName(QStringLiteral("ChooseIconDialog"));
  setWindowTitle(tr("Choose icon"));

  PlaceLabel = Named(new QLabel(this), "PlaceLabel");
  PlaceLabel->setWordWrap(true);
  FolderChooser = Named(new QComboBox(this), "FolderChooser");
  auto* folderLabel = new QLabel(tr("&Folder:"), this);
  folderLabel->setBuddy(FolderChooser);
  PictureList = Named(new QListWidget(this), "PictureList");
  PictureList->setViewMode(QListView::IconMode);
  PictureList->setIconSize(QSize(kThumbnailSize, kThumbnailSize));
  PictureList->setGridSize(QSize(kThumbnailSize * 2 + 8, kThumbnailSize + 2 * fontMetrics().height() + 8));
  PictureList->setResizeMode(QListView::Adjust);
  PictureList->setMovement(QListView::Static);
  PictureList->setWordWrap(true);
  PictureList->setMinimumSize(5 * (kThumbnailSize * 2 + 8) + 24, 3 * (kThumbnailSize + 40));
  StateLabel = Named(new QLabel(this), "StateLabel");
  StateLabel->setWordWrap(true);
  PutImageButton =
      Named(new QPushButton(tr("Put an image from this computer on the phone..."), this), "PutImageButton");
  PutNote = Named(new QLabel(tr("A phone must be connected to put files on it."), this), "PutNote");
  PutNote->setWordWrap(true);
  OKButton = Named(new QPushButton(tr("OK"), this), "OKButton");
  OKButton->setDefault(true);
  OKButton->setEnabled(false);
  CancelButton = Named(new QPushButton(tr("Cancel"), this), "CancelButton");

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folderLabel);
  folderRow->addWidget(FolderChooser, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PlaceLabel);
  layout->addLayout(folderRow);
  layout->addWidget(PictureList, 1);
  layout->addWidget(StateLabel);
  layout->addWidget(PutImageButton, 0, Qt::AlignLeft);
  layout->addWidget(PutNote);
  layout->addLayout(buttons);

  const bool phone = files_.place() == PictureFiles::Place::Phone;
  PutImageButton->setEnabled(phone);
  PutNote->setVisible(!phone);
  switch (files_.place()) {
    case PictureFiles::Place::Phone:
      PlaceLabel->setText(files_.placeName().isEmpty()
                              ? tr("Pictures on the connected phone")
                              : tr("Pictures on the phone %1").arg(files_.placeName()));
      break;
    case PictureFiles::Place::Folder:
      PlaceLabel->setText(
          tr("No phone is connected: the pictures in the phone files folder %1").arg(files_.placeName()));
      break;
    case PictureFiles::Place::Nowhere:
      PlaceLabel->setText(
          tr("No phone is connected and no phone files folder is chosen "
             "(View > Phone files folder...): there are no pictures to show."));
      FolderChooser->setEnabled(false);
      break;
  }

  connect(FolderChooser, &QComboBox::currentIndexChanged, this, &ChooseIconDialog::showFolder);
  connect(PictureList, &QListWidget::currentItemChanged, this,
          [this](QListWidgetItem* item) { OKButton->setEnabled(item != nullptr && !putting_); });
  connect(PictureList, &QListWidget::itemActivated, this, &ChooseIconDialog::accept);
  connect(PutImageButton, &QPushButton::clicked, this, &ChooseIconDialog::PutImageButtonClick);
  connect(OKButton, &QPushButton::clicked, this, &ChooseIconDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &ChooseIconDialog::reject);

  if (files_.place() != PictureFiles::Place::Nowhere) listFiles();
}

void ChooseIconDialog::listFiles() {
  StateLabel->setText(tr("Reading the list of files..."));
  QPointer<ChooseIconDialog> self(this);
  const unsigned listing = ++listing_;
  files_.list([self, listing](Result<std::vector<PictureFile>> files) {
    if (self && self->listing_ == listing) self->showList(std::move(files));
  });
}

void ChooseIconDialog::showList(Result<std::vector<PictureFile>> files) {
  folders_.clear();
  if (!files) {
    StateLabel->setText(tr("The list of files could not be read:\n%1").arg(ErrorReport(files.error())));
    return;
  }
  // The folder put pictures go to is there even while it holds none.
  folders_[QString::fromLatin1(kPictureFolder)];
  for (const PictureFile& file : files.value())
    if (file.path.startsWith(QStringLiteral("/a/mobile/")) && IsPictureName(file.path))
      folders_[FolderOf(file.path)].push_back(file);
  for (auto& [folder, pictures] : folders_)
    std::sort(pictures.begin(), pictures.end(), [](const PictureFile& a, const PictureFile& b) {
      return QString::compare(a.path, b.path, Qt::CaseInsensitive) < 0;
    });

  const QString wanted = FolderOf(current_);
  const QSignalBlocker quiet(FolderChooser);
  FolderChooser->clear();
  FolderChooser->addItem(QString::fromLatin1(kPictureFolder));
  for (const auto& [folder, pictures] : folders_)
    if (folder != QLatin1String(kPictureFolder)) FolderChooser->addItem(folder);
  FolderChooser->setCurrentIndex(std::max(0, FolderChooser->findText(wanted)));
  showFolder();
}

void ChooseIconDialog::showFolder() {
  PictureList->clear();
  shown_.clear();
  waiting_.clear();
  const auto folder = folders_.find(FolderChooser->currentText());
  if (folder == folders_.end()) return;
  const QIcon waiting = style()->standardIcon(QStyle::SP_FileIcon);
  for (const PictureFile& file : folder->second) {
    auto* item = new QListWidgetItem(NameOf(file.path), PictureList);
    item->setData(kPathRole, file.path);
    item->setToolTip(tr("%1\n%2 bytes").arg(file.path).arg(file.size));
    shown_.insert(file.path, item);
    if (thumbnails_.contains(file.path)) {
      item->setIcon(thumbnails_.value(file.path));
    } else {
      item->setIcon(waiting);
      waiting_.push_back(file.path);
    }
    if (file.path == current_) PictureList->setCurrentItem(item);
  }
  StateLabel->setText(folder->second.empty() ? tr("No pictures in this folder.") : QString());
  fetchNext();
}

void ChooseIconDialog::fetchNext() {
  if (fetching_ || waiting_.empty()) return;
  const QString path = waiting_.front();
  waiting_.pop_front();
  fetching_ = true;
  QPointer<ChooseIconDialog> self(this);
  files_.fetch(path, [self, path](Result<QByteArray> bytes) {
    if (!self) return;
    self->fetching_ = false;
    self->showThumbnail(path, bytes);
    self->fetchNext();
  });
}

void ChooseIconDialog::showThumbnail(const QString& path, const Result<QByteArray>& bytes) {
  QString problem;
  QIcon icon = bytes ? Thumbnail(bytes.value(), problem) : QIcon();
  if (!bytes) problem = ErrorReport(bytes.error());
  if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  thumbnails_.insert(path, icon);
  if (QListWidgetItem* item = shown_.value(path)) {
    item->setIcon(icon);
    if (!problem.isEmpty()) item->setToolTip(item->toolTip() + QLatin1Char('\n') + problem);
  }
}

bool ChooseIconDialog::isListed(const QString& path) const {
  const auto folder = folders_.find(FolderOf(path));
  return folder != folders_.end() && std::any_of(folder->second.begin(), folder->second.end(),
                                                 [&](const PictureFile& file) { return file.path == path; });
}

QMessageBox::StandardButton ChooseIconDialog::ask(QMessageBox::Icon icon, const QString& text,
                                                  QMessageBox::StandardButtons buttons) {
  return prompter_.showMessage({this, icon, windowTitle(), text, buttons});
}

void ChooseIconDialog::PutImageButtonClick() {
  const QString local = chooseFile_(this, FileDialogKind::OpenPicture, QString());
  if (local.isEmpty()) return;
  const QString name = QFileInfo(local).fileName();
  QFile file(local);
  if (file.size() > kMaxPutBytes) {
    ask(QMessageBox::Critical, tr("%1 has %2 bytes, more than the %3 bytes (64 KiB) a picture put on the "
                                  "phone may have.")
                                   .arg(QDir::toNativeSeparators(local))
                                   .arg(file.size())
                                   .arg(kMaxPutBytes));
    return;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    ask(QMessageBox::Critical,
        tr("%1 cannot be read: %2").arg(QDir::toNativeSeparators(local), file.errorString()));
    return;
  }
  const QByteArray bytes = file.readAll();
  const QString target = QString::fromLatin1(kPictureFolder) + name;
  if (isListed(target) &&
      ask(QMessageBox::Question,
          tr("The phone already has a file %1.\nReplace it? The phone's file is backed up first.")
              .arg(target),
          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
    return;

  setPutting(true);
  StateLabel->setText(tr("Putting %1 on the phone...").arg(target));
  QPointer<ChooseIconDialog> self(this);
  files_.put(target, bytes, [self, target](Status put, bool cancelled) {
    if (!self) return;
    self->setPutting(false);
    if (put) {
      self->chosen_ = target;
      self->QDialog::accept();
      return;
    }
    // The user stopped it and knows; only a failure needs a box.
    if (!cancelled) self->ask(QMessageBox::Critical, ErrorReport(put.error()));
    self->listFiles();  // what the phone holds now
  });
}

void ChooseIconDialog::setPutting(bool putting) {
  putting_ = putting;
  for (QWidget* control : {static_cast<QWidget*>(FolderChooser), static_cast<QWidget*>(PictureList),
                           static_cast<QWidget*>(PutImageButton), static_cast<QWidget*>(CancelButton)})
    control->setEnabled(!putting);
  OKButton->setEnabled(!putting && PictureList->currentItem() != nullptr);
}

void ChooseIconDialog::accept() {
  QListWidgetItem* item = PictureList->currentItem();
  if (putting_ || item == nullptr) return;
  chosen_ = item->data(kPathRole).toString();
  QDialog::accept();
}

void ChooseIconDialog::reject() {
  if (!putting_) QDialog::reject();
}

}  // namespace quillet::ui
