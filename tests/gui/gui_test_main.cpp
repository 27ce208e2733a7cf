// The GUI tests run the real widgets on the offscreen platform: no display needed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The phone commands keep backups in the user's data folder: the tests' go to a
  // folder of their own.
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
  // The same for the settings (the interface language and the recent files among them) and for the
  // icon files the phone preview keeps: the user's own stay untouched.
  QTemporaryDir config;
  QTemporaryDir cache;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
