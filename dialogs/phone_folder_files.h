#pragma once
// What the preview and "Choose icon" share about phone files kept on the computer: the
// folder that stands for the phone's file system, and the pictures read from it or from
// the phone.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace quillet::ui {

// The parts of a phone path ("/a/mobile/picture/x.gif" gives a, mobile, picture, x.gif)
// as names below the folder that stands for the phone; nothing when one of them could
// lead out of that folder ("." or "..") or is no file name on the computer ('\' or ':').
std::optional<QStringList> PhoneFolderParts(const QString& phonePath);

// A picture's first frame, decided by its content, not by its name.
struct DecodedPicture {
  QImage firstFrame;  // null when the bytes do not decode
  bool animated = false;
  QString error;  // the decoder's reason when they do not
};
DecodedPicture DecodePicture(const QByteArray& bytes);

}  // namespace quillet::ui
