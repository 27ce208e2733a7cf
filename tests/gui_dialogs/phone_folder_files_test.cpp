// The folder that stands for the phone's files is read by phone paths that come from
// menu files and listings: no path may reach outside it.
#include "phone_folder_files.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

namespace quillet::ui {
namespace {

TEST(PhoneFolderParts, NamesBelowTheFolderOnlyAndNothingThatCouldLeaveIt) {
  EXPECT_EQ(PhoneFolderParts(QStringLiteral("/a/mobile//picture/x.gif")),
            (QStringList{"a", "mobile", "picture", "x.gif"}));
  for (const char* path :
       {"/a/../../etc/passwd", "/a/./x.gif", "/a/mobile/..", "/a\\..\\x.gif", "/C:/x.gif", "/a/b:c/x.gif"})
    EXPECT_FALSE(PhoneFolderParts(QString::fromLatin1(path)).has_value()) << path;
}

TEST(DecodePicture, TheFirstFrameByContentOrTheDecodersReason) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  const DecodedPicture picture = DecodePicture(png);  // its name would say nothing
  EXPECT_EQ(picture.firstFrame.size(), QSize(3, 2));
  EXPECT_FALSE(picture.animated);
  const DecodedPicture broken = DecodePicture(png.left(20));
  EXPECT_TRUE(broken.firstFrame.isNull());
  EXPECT_FALSE(broken.error.isEmpty());
}

}  // namespace
}  // namespace quillet::ui
