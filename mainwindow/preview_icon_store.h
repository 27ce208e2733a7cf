#pragma once
// The icon files the phone preview draws, by their path on the phone. With a phone
// connected each path is fetched once per connection on the phone thread, kept in the
// user's cache folder (so a later run shows it at once while it is fetched again), and
// the preview repaints when it lands. Without a phone the files come from a local
// folder that stands for the phone's file system. A file that cannot be found or does
// not decode is missing, with the reason and the place it was looked for.
#include <QByteArray>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>

class QBuffer;
class QMovie;

namespace quillet::ui {

class PhoneIconFiles;

struct IconLook {
  enum class State { Fetching, Ready, Missing };
  State state = State::Fetching;
  QPixmap pixmap;           // Ready: the image (an animation's current frame)
  QMovie* movie = nullptr;  // Ready and animated; owned by the store
  QString reason;           // Missing: why, in words
  QString lookedIn;         // where the file was looked for, in words
};

class PreviewIconStore : public QObject {
  Q_OBJECT
 public:
  // `cacheFolder` receives the files fetched from phones, one folder per phone.
  explicit PreviewIconStore(QString cacheFolder, QObject* parent = nullptr);
  ~PreviewIconStore() override;

  // The phone to fetch from (null: none); it must outlive the store or be unset first.
  void setPhone(PhoneIconFiles* phone);
  // The folder that stands for the phone's file system when no phone is connected.
  void setPhoneFolder(const QString& folder);
  QString phoneFolder() const { return folder_; }
  // The phone went or came: every icon is looked for again where it now is.
  void phoneConnectionChanged();

  // The icon at `path`; a path not seen before in the current place starts its fetch.
  const IconLook& look(const std::u16string& path);
  // The file in the cache folder that keeps `path` as fetched from `phone`; empty for a
  // path that could name a place outside that folder.
  QString cacheFile(const QString& phone, const std::u16string& path) const;

 signals:
  // A fetch landed or the place changed: what look() gives may differ now.
  void iconsChanged();
  // An animation shows its next frame.
  void frameChanged();

 private:
  struct Entry {
    IconLook look;
    QByteArray bytes;
    std::unique_ptr<QBuffer> buffer;  // the animation reads its frames from here
    std::unique_ptr<QMovie> movie;
  };

  void forgetAll();
  void fetchNext();
  // Decodes `bytes` into `entry`: Ready, or Missing with the decoder's reason.
  void decode(Entry& entry, const QByteArray& bytes);
  void lookInFolder(Entry& entry, const std::u16string& path);
  bool usePhone() const;
  QString phoneWords(const QString& phone) const;

  QString cacheFolder_;
  QString folder_;
  PhoneIconFiles* phone_ = nullptr;
  std::unordered_map<std::u16string, std::unique_ptr<Entry>> entries_;
  std::deque<std::u16string> queue_;  // paths waiting for the phone, one read at a time
  bool reading_ = false;
  unsigned place_ = 0;  // moves on with every change of phone or folder
};

}  // namespace quillet::ui
