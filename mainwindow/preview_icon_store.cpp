#include "preview_icon_store.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMovie>
#include <QPointer>
#include <QSaveFile>

#include "core_words.h"
#include "phone_folder_files.h"
#include "phone_icon_files.h"

namespace quillet::ui {

namespace {

QString PathText(const std::u16string& path) {
  return QString::fromUtf16(path.data(), static_cast<qsizetype>(path.size()));
}

// The phone path as a path below a folder of ours; empty when one of its parts could
// lead out of that folder or is no file name on the computer.
QString RelativePath(const std::u16string& path) {
  const std::optional<QStringList> parts = PhoneFolderParts(PathText(path));
  return parts ? parts->join(QLatin1Char('/')) : QString();
}

// A phone's name as one folder name.
QString FolderName(QString name) {
  if (name.isEmpty()) name = QStringLiteral("phone");
  for (QChar& c : name) {
    if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_')) c = QLatin1Char('_');
  }
  return name;
}

}  // namespace

PreviewIconStore::PreviewIconStore(QString cacheFolder, QObject* parent)
    : QObject(parent), cacheFolder_(std::move(cacheFolder)) {}

PreviewIconStore::~PreviewIconStore() = default;

void PreviewIconStore::setPhone(PhoneIconFiles* phone) {
  phone_ = phone;
  phoneConnectionChanged();
}

void PreviewIconStore::setPhoneFolder(const QString& folder) {
  folder_ = folder;
  if (!usePhone()) phoneConnectionChanged();
}

void PreviewIconStore::phoneConnectionChanged() {
  forgetAll();
  emit iconsChanged();
}

void PreviewIconStore::forgetAll() {
  ++place_;  // a read still running reports to a place that is gone
  reading_ = false;
  queue_.clear();
  entries_.clear();
}

QString PreviewIconStore::phoneWords(const QString& phone) const {
  return phone.isEmpty() ? tr("the connected phone") : tr("the phone %1").arg(phone);
}

bool PreviewIconStore::usePhone() const { return phone_ != nullptr && phone_->phoneReady(); }

QString PreviewIconStore::cacheFile(const QString& phone, const std::u16string& path) const {
  const QString relative = RelativePath(path);
  if (relative.isEmpty() || cacheFolder_.isEmpty()) return {};
  return cacheFolder_ + QLatin1Char('/') + FolderName(phone) + QLatin1Char('/') + relative;
}

const IconLook& PreviewIconStore::look(const std::u16string& path) {
  std::unique_ptr<Entry>& slot = entries_[path];
  if (slot) return slot->look;
  slot = std::make_unique<Entry>();
  Entry& entry = *slot;
  if (!usePhone()) {
    lookInFolder(entry, path);
    return entry.look;
  }
  const QString phone = phone_->phoneName();
  entry.look.lookedIn = phoneWords(phone);
  // What an earlier fetch from this phone kept shows while the file is fetched again
  // (the phone's name is known once its model was read after the connection).
  const QString kept = phone.isEmpty() ? QString() : cacheFile(phone, path);
  QFile cached(kept);
  if (!kept.isEmpty() && cached.open(QIODevice::ReadOnly)) decode(entry, cached.readAll());
  if (entry.look.state != IconLook::State::Ready) entry.look.state = IconLook::State::Fetching;
  queue_.push_back(path);
  fetchNext();
  return entry.look;
}

void PreviewIconStore::lookInFolder(Entry& entry, const std::u16string& path) {
  entry.look.state = IconLook::State::Missing;
  if (folder_.isEmpty()) {
    entry.look.reason = tr("No phone is connected and no phone files folder is chosen.");
    return;
  }
  entry.look.lookedIn = tr("the phone files folder %1").arg(QDir::toNativeSeparators(folder_));
  const QString relative = RelativePath(path);
  QFile file(folder_ + QLatin1Char('/') + relative);
  if (relative.isEmpty() || !QFileInfo(file).isFile()) {
    entry.look.reason = tr("There is no such file.");
    return;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    entry.look.reason = tr("The file cannot be read: %1").arg(file.errorString());
    return;
  }
  decode(entry, file.readAll());
}

void PreviewIconStore::fetchNext() {
  if (reading_ || queue_.empty() || !usePhone()) return;
  reading_ = true;
  const std::u16string path = queue_.front();
  queue_.pop_front();
  QPointer<PreviewIconStore> self(this);
  const unsigned place = place_;
  phone_->read(PathText(path).toStdString(), [self, place, path](Result<PhoneIconFiles::Bytes> bytes) {
    if (!self || self->place_ != place) return;
    self->reading_ = false;
    auto found = self->entries_.find(path);
    if (found != self->entries_.end()) {
      Entry& entry = *found->second;
      const QString phone = self->phone_->phoneName();
      entry.look.lookedIn = self->phoneWords(phone);
      if (bytes) {
        const QByteArray data(reinterpret_cast<const char*>(bytes->data()),
                              static_cast<qsizetype>(bytes->size()));
        const QString keep = self->cacheFile(phone, path);
        if (!keep.isEmpty() && QDir().mkpath(QFileInfo(keep).path())) {
          QSaveFile file(keep);
          if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size()) file.commit();
        }
        self->decode(entry, data);
      } else {
        entry.movie.reset();
        QString reason = ErrorWords(bytes.error());
        if (!bytes.error().detail.empty())
          reason += QStringLiteral(": ") + QString::fromStdString(bytes.error().detail);
        entry.look = IconLook{IconLook::State::Missing, {}, nullptr, reason, entry.look.lookedIn};
      }
    }
    emit self->iconsChanged();
    self->fetchNext();
  });
}

void PreviewIconStore::decode(Entry& entry, const QByteArray& bytes) {
  const QString lookedIn = entry.look.lookedIn;
  entry.movie.reset();
  entry.buffer.reset();
  entry.look = IconLook{};
  entry.look.lookedIn = lookedIn;
  entry.bytes = bytes;

  const DecodedPicture picture = DecodePicture(entry.bytes);
  if (picture.firstFrame.isNull()) {
    entry.look.state = IconLook::State::Missing;
    entry.look.reason = tr("The file does not decode as an image: %1").arg(picture.error);
    return;
  }
  entry.look.state = IconLook::State::Ready;
  entry.look.pixmap = QPixmap::fromImage(picture.firstFrame);
  if (!picture.animated) return;
  entry.buffer = std::make_unique<QBuffer>(&entry.bytes);
  entry.buffer->open(QIODevice::ReadOnly);
  entry.movie = std::make_unique<QMovie>(entry.buffer.get());
  entry.look.movie = entry.movie.get();
  Entry* shown = &entry;
  connect(entry.movie.get(), &QMovie::frameChanged, this, [this, shown] {
    shown->look.pixmap = shown->movie->currentPixmap();
    emit frameChanged();
  });
  entry.movie->start();
}

}  // namespace quillet::ui
