// Takes the pictures of the four item dialogs for the documentation, with realistic
// content, under a display:  dialog_screenshots <source>/docs [language]
// A language (ru, zh_CN) takes the same pictures in that interface language.
#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QMetaObject>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>

#include "blocks_viewer_dialog.h"
#include "choose_icon_dialog.h"
#include "custom_type_dialog.h"
#include "format.h"
#include "interface_language.h"
#include "item_data.h"
#include "item_settings_dialog.h"
#include "name_editor_dialog.h"

namespace {

using namespace quillet;

TMMADataBlock Names(std::vector<TMMANameEntry> names) {
  TMMADataBlock block;
  block.tag = kTagMenuName;
  block.names = std::move(names);
  RefreshLength(block);
  return block;
}

TMMAItemData SampleItem() {
  TMMAItemData item;
  // Canadian French (0D) and Brazilian Portuguese (2A) have the longest language names.
  item.blocks.push_back(Names({{0x01, u"Settings"},
                               {0x23, u"Настройки"},
                               {0x05, u"设置"},
                               {0x04, u"設定"},
                               {0x0D, u"Paramètres"},
                               {0x2A, u"Configurações"}}));
  TMMADataBlock path;
  path.tag = kTagIconPath;
  path.iconKind = kIconKindAnimated;
  path.path = u"/a/mobile/picture/settings_anim.gif";
  item.blocks.push_back(path);
  TMMADataBlock drm;
  drm.tag = kTagIconDrmStatic;
  drm.iconKind = 0x12;
  drm.drmIndex = 417;
  item.blocks.push_back(drm);
  TMMADataBlock raw;
  raw.tag = kTagUnsupported;
  std::vector<std::uint8_t> bytes;
  const std::string text = "MIDlet-Name: Opera Mini\r\nMIDlet-Vendor: Opera Software ASA\r\n";
  for (int i = 0; i < 300; ++i)
    bytes.push_back(i < static_cast<int>(text.size()) ? static_cast<std::uint8_t>(text[i])
                                                      : static_cast<std::uint8_t>(i * 7));
  raw.raw = {{30, bytes}, {0x2C, {0x00, 0x01, 0x02, 0x03}}};
  item.blocks.push_back(raw);
  for (TMMADataBlock& block : item.blocks) RefreshLength(block);
  return item;
}

// A phone's picture folder for "Choose icon": drawn icons of a phone's size, answered at once.
class SamplePictures : public ui::PictureFiles {
 public:
  SamplePictures() {
    const std::vector<std::pair<QString, QColor>> icons = {
        {QStringLiteral("camera.gif"), QColor(70, 130, 180)},
        {QStringLiteral("games.png"), QColor(60, 170, 80)},
        {QStringLiteral("messages.png"), QColor(230, 160, 30)},
        {QStringLiteral("music.gif"), QColor(170, 70, 170)},
        {QStringLiteral("settings.png"), QColor(120, 120, 120)},
        {QStringLiteral("web.png"), QColor(40, 110, 220)},
        {QStringLiteral("wap.png"), QColor(200, 60, 60)}};
    for (const auto& [name, colour] : icons) {
      QImage image(40, 40, QImage::Format_ARGB32);
      image.fill(Qt::transparent);
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setBrush(colour);
      painter.setPen(colour.darker());
      painter.drawRoundedRect(2, 2, 36, 36, 8, 8);
      painter.setPen(Qt::white);
      painter.drawText(QRect(0, 0, 40, 40), Qt::AlignCenter, name.left(1).toUpper());
      painter.end();
      QByteArray bytes;
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::WriteOnly);
      image.save(&buffer, "PNG");
      files_.push_back(
          {QStringLiteral("/a/mobile/picture/") + name, static_cast<std::uint32_t>(bytes.size())});
      bytes_.push_back(bytes);
    }
    files_.push_back({QStringLiteral("/a/mobile/skins/default/back.gif"), 900});
    bytes_.push_back({});
  }
  Place place() const override { return Place::Phone; }
  QString placeName() const override { return QStringLiteral("V3x"); }
  void list(std::function<void(Result<std::vector<ui::PictureFile>>)> done) override { done(files_); }
  void fetch(const QString& path, std::function<void(Result<QByteArray>)> done) override {
    for (std::size_t i = 0; i < files_.size(); ++i)
      if (files_[i].path == path) return done(bytes_[i]);
    done(QByteArray());
  }
  void put(const QString&, const QByteArray&, PutDone done) override { done(Ok(), false); }

 private:
  std::vector<ui::PictureFile> files_;
  std::vector<QByteArray> bytes_;
};

bool Save(QWidget& widget, const QDir& dir, const char* name) {
  widget.show();
  widget.raise();
  QTest::qWait(150);
  const QString path = dir.filePath(name);
  const bool saved = widget.grab().save(path);
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
  return saved;
}

// The dialog with the combo box's list open: the list is a window of its own, so the
// picture is taken from the screen (run under a display, e.g. xvfb-run).
bool SaveWithOpenList(QWidget& dialog, QComboBox& combo, const QDir& dir, const char* name) {
  combo.showPopup();
  QTest::qWait(150);
  const QRect area = dialog.frameGeometry().united(combo.view()->window()->frameGeometry());
  const QString path = dir.filePath(name);
  const bool saved =
      dialog.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
  combo.hidePopup();
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: dialog_screenshots <docs directory> [language]\n");
    return 2;
  }
  if (argc > 2 && !ui::UseInterfaceLanguage(QString::fromLocal8Bit(argv[2]),
                                            {QStringLiteral(QUILLET_TRANSLATIONS_DIR)})) {
    std::fprintf(stderr, "no catalogue for %s\n", argv[2]);
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  ui::TOKRightDlg settings;
  ui::TForm1 names;
  ui::TOKRightDlg1 customType;
  ui::TForm2 viewer;
  settings.SetCompanions(&names, &customType, &viewer);

  const TMMAItemData item = SampleItem();
  settings.PrepareAttributeBoxes(false);
  settings.LoadItem(&item, 0, 0x08, 0x21);
  bool ok = Save(settings, dir, "dialog-item-settings.png");

  SamplePictures pictures;
  ui::ChooseIconDialog chooser(pictures, ui::chooseFileWithDialog, ui::screenPrompter(),
                               QStringLiteral("/a/mobile/picture/settings.png"));
  ok = Save(chooser, dir, "dialog-choose-icon.png") && ok;
  chooser.hide();

  names.SetRows(settings.Editor().NameRows(NameBlock::MenuName));
  names.show();
  auto* list = names.findChild<QTreeWidget*>("TntListView1");
  auto editRow = [&](int row) {
    list->setCurrentItem(list->topLevelItem(row));
    QTest::mouseClick(names.findChild<QPushButton*>("TntButton5"), Qt::LeftButton);  // Edit
  };
  editRow(5);  // Brazilian Portuguese in the selector
  ok = Save(names, dir, "dialog-name-editor.png") && ok;
  editRow(4);  // Canadian French, with the selector's list open
  ok = SaveWithOpenList(names, *names.findChild<QComboBox*>("TntComboBox1"), dir,
                        "dialog-name-editor-languages.png") &&
       ok;
  names.hide();

  CustomTypeView midlet;
  midlet.hasMidlet = true;
  midlet.selection = kCustomTypeApplication;
  midlet.texts = {"", "Opera Mini", "Opera Mini 4", "Opera Software ASA"};
  customType.ShowItemType(midlet);
  ok = Save(customType, dir, "dialog-custom-type.png") && ok;

  viewer.LoadData(*settings.Editor().UnsupportedBlock());
  viewer.show();
  auto* grid = viewer.findChild<QTableWidget*>("StringGrid1");
  grid->setCurrentCell(2, 12);
  ok = Save(viewer, dir, "dialog-blocks-viewer.png") && ok;
  return ok ? 0 : 1;
}
