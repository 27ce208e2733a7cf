// Takes the README's screenshots of the main window: right after start, and after
// opening the sample with custom items and clicking an item; the About box; the Edit
// menu after a deletion, the tree's pop-up menu with an item copied, an item dragged over
// the tree with its drop line, the unsaved-changes question at New and the progress
// dialog of Save to phone; the phone preview beside a menu built here, as the grid with
// icons and a missing-icon mark and as a submenu's list. Run under a display
// (xvfb-run works):  gui_screenshots <samples folder> <output folder> [language]
// A language (ru, zh_CN) takes the same pictures in that interface language.
#include <QApplication>
#include <QDir>
#include <QDragMoveEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QProgressDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QTreeView>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "about_box.h"
#include "app_forms.h"
#include "catalogue.h"
#include "emulated_phone.h"
#include "interface_language.h"
#include "language_names.h"
#include "main_window.h"
#include "menu_tree_model.h"
#include "message_prompt.h"
#include "paced_phone.h"
#include "phone_preview_window.h"
#include "phone_progress_dialog.h"
#include "tree_commands.h"

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

// Save to phone of the sample to a slow emulated phone, caught while it writes: a
// window of its own, with the phone and its backups in temporary folders.
bool saveProgressShot(const QString& sample, const QString& path) {
  QTemporaryDir phoneDir, dataDir;
  qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir.path()));
  const QString menuPath = phoneDir.filePath(QStringLiteral("a/mobile/system/mma_ucp"));
  if (!QDir().mkpath(QFileInfo(menuPath).path()) || !QFile::copy(sample, menuPath)) return false;
  auto phone =
      std::make_unique<quillet::test::PacedPhone>(QFile::encodeName(phoneDir.path()).toStdString(), "V3i");
  quillet::test::PacedPhone& slow = *phone;
  quillet::ui::TSDIAppForm window;
  window.usePhoneLibrary(std::move(phone));
  window.show();
  const auto waitFor = [](const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
  };
  QLabel* panel = window.findChild<QLabel*>(QStringLiteral("StatusBar1Panel1"));
  if (!waitFor([&] {
        return panel->text() == quillet::ui::TSDIAppForm::tr("Phone: %1 ").arg(QStringLiteral("V3i"));
      }))
    return false;
  window.openMenuFile(QFile::encodeName(sample).toStdString());
  slow.setTransferDelay(std::chrono::milliseconds(400));
  window.PhoneSaveExecute();
  QProgressDialog* dialog = window.findChild<QProgressDialog*>(QStringLiteral("PhoneProgress"));
  if (dialog == nullptr || !waitFor([&] {
        return dialog->labelText().contains(
                   quillet::ui::PhoneProgressDialog::tr("Writing the menu to the phone...")) &&
               dialog->labelText().contains(quillet::ui::PhoneProgressDialog::tr("\n%1 of %2 bytes")
                                                .arg(1024)
                                                .section(QStringLiteral("%2"), 0, 0));
      }))
    return false;
  settle(100);
  const QRect area = window.frameGeometry().united(dialog->frameGeometry());
  const bool saved = QGuiApplication::primaryScreen()
                         ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                         .save(path);
  waitFor([&] { return !window.phoneWorking(); });
  return saved;
}

// A box would wait for a person: questions are answered Yes, the unsaved-changes
// question is shown, taken and cancelled, and every other box is printed. Dialogs run
// modally as they would for a person.
class ToolPrompter : public quillet::ui::Prompter {
 public:
  explicit ToolPrompter(const QDir& output) : output_(output) {}
  QMessageBox::StandardButton showMessage(const quillet::ui::MessageRequest& request) override {
    if (request.buttons.testFlag(QMessageBox::Discard)) {
      QMessageBox box(request.icon, request.title, request.text, request.buttons, request.owner);
      box.show();
      questionSaved = save(box, output_.filePath(QStringLiteral("unsaved_changes_question.png")));
      return QMessageBox::Cancel;
    }
    std::fprintf(stderr, "%s\n", qPrintable(request.text));
    return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
  }
  int runModal(QDialog& dialog) override { return quillet::ui::screenPrompter().runModal(dialog); }

  bool questionSaved = false;

 private:
  QDir output_;
};

// An icon file as a phone keeps one: a rounded square in `colour` with a letter.
bool writeIcon(const QString& folder, const QString& name, QColor colour, const QString& letter, int size) {
  QImage icon(size, size, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(colour);
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(2, 2, size - 4, size - 4), size / 5.0, size / 5.0);
  QFont font = painter.font();
  font.setPixelSize(size / 2);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(icon.rect(), Qt::AlignCenter, letter);
  painter.end();
  return QDir().mkpath(folder + QStringLiteral("/a/mobile/picture")) &&
         icon.save(folder + QStringLiteral("/a/mobile/picture/") + name, "PNG");
}

// Gives `node` an English name and an icon path (`iconKind` 4 for the grid, 2 for lists).
void nameAndIcon(quillet::MenuDocument& doc, quillet::MenuNode& node, const std::u16string& name,
                 std::uint8_t iconKind, const std::u16string& path) {
  quillet::TMMAItemData data;
  quillet::TMMADataBlock names;
  names.tag = quillet::kTagMenuName;
  names.names = {{quillet::kLanguageEnglishUs, name}};
  data.blocks.push_back(names);
  if (!path.empty()) {
    quillet::TMMADataBlock icon;
    icon.tag = quillet::kTagIconPath;
    icon.iconKind = iconKind;
    icon.path = path;
    data.blocks.push_back(icon);
  }
  for (quillet::TMMADataBlock& block : data.blocks) quillet::RefreshLength(block);
  doc.SetItemData(node, std::move(data));
  doc.tree.notifyChanged(&node);
}

// The preview beside the window, over a menu built here: the main menu's grid with the
// "Games" item highlighted, and the "Games" submenu's list, side by side in one picture.
bool previewShot(const QString& path) {
  using namespace quillet;
  ui::TSDIAppForm window;
  window.show();
  QTemporaryDir phoneFiles;
  const QString folder = phoneFiles.filePath(QStringLiteral("phone"));
  const struct {
    const char* file;
    QColor colour;
    const char* letter;
    int size;
  } icons[] = {
      {"messages.png", QColor(40, 120, 200), "M", 44}, {"contacts.png", QColor(60, 160, 90), "C", 44},
      {"games.png", QColor(200, 80, 60), "G", 44},     {"web.png", QColor(120, 80, 180), "W", 44},
      {"chess.png", QColor(90, 90, 90), "♞", 22},      {"snake.png", QColor(60, 160, 90), "S", 22}};
  for (const auto& icon : icons)
    if (!writeIcon(folder, QLatin1String(icon.file), icon.colour, QString::fromUtf8(icon.letter), icon.size))
      return false;

  window.FileNew1Execute();
  MenuDocument& doc = window.document();
  MenuNode& root = *doc.menuRootNode();
  // A null identifier adds a custom item, which may own a submenu.
  auto add = [&](MenuNode& owner, const char* identifier) -> MenuNode& {
    const int row = identifier != nullptr ? CatalogueIndex(identifier) : kCustomItemRow;
    return *AddCatalogueItem(doc, owner, row, ItemPlace::LastSubitem).value().node;
  };
  nameAndIcon(doc, add(root, "Message"), u"Messages", kIconKindAnimated, u"/a/mobile/picture/messages.png");
  nameAndIcon(doc, add(root, "PhoneBook"), u"Contacts", kIconKindAnimated, u"/a/mobile/picture/contacts.png");
  MenuNode& games = add(root, nullptr);
  nameAndIcon(doc, games, u"Games", kIconKindAnimated, u"/a/mobile/picture/games.png");
  nameAndIcon(doc, add(root, "WebAccess"), u"Web", kIconKindAnimated, u"/a/mobile/picture/web.png");
  add(root, "Settings");
  nameAndIcon(doc, add(root, "Tools"), u"Tools", kIconKindAnimated, u"/a/mobile/picture/tools.gif");
  nameAndIcon(doc, add(games, "Games"), u"Chess", kIconKindList, u"/a/mobile/picture/chess.png");
  nameAndIcon(doc, add(games, "Games"), u"Snake", kIconKindList, u"/a/mobile/picture/snake.png");
  nameAndIcon(doc, add(games, "Games"), u"Puzzle", kIconKindList, u"/a/mobile/picture/puzzle.png");
  MenuNode& softkeys = *doc.softkeysNode();
  nameAndIcon(doc, *softkeys.child(0), u"Contacts", kIconKindList, u"");
  nameAndIcon(doc, *softkeys.child(1), u"Messages", kIconKindList, u"");

  window.findChild<QAction*>(QStringLiteral("ViewPhonePreview"))->trigger();
  auto* preview = window.findChild<ui::PhonePreviewWindow*>(QStringLiteral("PhonePreviewWindow"));
  if (preview == nullptr) return false;
  preview->setPhoneFolder(folder);
  window.selectNode(&games);
  settle(200);
  const QPixmap grid = preview->grab();
  window.selectNode(games.child(1));
  settle(200);
  const QPixmap list = preview->grab();
  QPixmap both(grid.width() + list.width() + 12, std::max(grid.height(), list.height()));
  both.fill(preview->palette().window().color());
  QPainter painter(&both);
  painter.drawPixmap(0, 0, grid);
  painter.drawPixmap(grid.width() + 12, 0, list);
  painter.end();
  preview->close();
  return both.save(path);
}

}  // namespace

int main(int argc, char** argv) {
  // The preview remembers its place and folder: this run's settings and icon cache are
  // its own.
  QTemporaryDir config, cache;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
  QApplication app(argc, argv);
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s <samples folder> <output folder> [language]\n", argv[0]);
    return 2;
  }
  if (argc == 4 && !quillet::ui::UseInterfaceLanguage(QString::fromLocal8Bit(argv[3]),
                                                      {QStringLiteral(QUILLET_TRANSLATIONS_DIR)})) {
    std::fprintf(stderr, "no catalogue for %s\n", argv[3]);
    return 2;
  }
  const QDir samples(QString::fromLocal8Bit(argv[1]));
  const QDir output(QString::fromLocal8Bit(argv[2]));
  ToolPrompter prompter(output);

  quillet::ui::ApplicationForms forms = quillet::ui::CreateForms();
  forms.setPrompter(prompter);
  quillet::ui::TSDIAppForm& window = *forms.SDIAppForm;
  window.show();
  if (!save(window, output.filePath(QStringLiteral("main_window_start.png")))) return 1;

  if (!window.openMenuFile(
          QFile::encodeName(samples.filePath(QStringLiteral("mma_ucp_custom"))).toStdString())) {
    return 1;
  }
  window.findChild<QTreeView*>(QStringLiteral("TreeView1"))->expandAll();
  window.selectNode(window.document().tree.nodeAt(quillet::kFirstMenuNodeIndex));
  window.TreeView1Click();
  if (!save(window, output.filePath(QStringLiteral("main_window_sample.png")))) return 1;
  if (!save(*forms.AboutBox, output.filePath(QStringLiteral("about_box.png")))) return 1;

  // The Edit menu open below the menu bar after a deletion: the menu is a window of
  // its own, so the screen is taken around both.
  window.Deleteitem1Click();
  QMenu* edit = window.findChild<QMenu*>(QStringLiteral("Edit1"));
  QMenuBar* bar = window.menuBar();
  edit->popup(bar->mapToGlobal(bar->actionGeometry(edit->menuAction()).bottomLeft()));
  settle(300);
  const QRect area = window.frameGeometry().united(edit->geometry());
  const QString menuShot = output.filePath(QStringLiteral("edit_menu.png"));
  if (!QGuiApplication::primaryScreen()
           ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
           .save(menuShot)) {
    return 1;
  }
  edit->hide();

  // The tree's pop-up menu over the selected item, with an item on the clipboard.
  auto* tree = window.findChild<QTreeView*>(QStringLiteral("TreeView1"));
  window.selectNode(window.document().tree.nodeAt(quillet::kFirstMenuNodeIndex + 1));
  window.Copyitem1Click();
  QMenu* treeMenu = window.findChild<QMenu*>(QStringLiteral("PopupMenu2"));
  const QRect itemRect = tree->visualRect(tree->currentIndex());
  treeMenu->popup(tree->viewport()->mapToGlobal(itemRect.center()));
  settle(300);
  const QRect treeArea = window.frameGeometry().united(treeMenu->geometry());
  if (!QGuiApplication::primaryScreen()
           ->grabWindow(0, treeArea.x(), treeArea.y(), treeArea.width(), treeArea.height())
           .save(output.filePath(QStringLiteral("tree_popup_clipboard.png")))) {
    return 1;
  }
  treeMenu->hide();

  // An item dragged over the tree: the drop line shows where it would land.
  std::unique_ptr<QMimeData> dragged(window.treeModel().mimeData(
      {window.treeModel().indexForNode(window.document().tree.nodeAt(quillet::kFirstMenuNodeIndex))}));
  const QRect overRect = tree->visualRect(
      window.treeModel().indexForNode(window.document().tree.nodeAt(quillet::kFirstMenuNodeIndex + 3)));
  const QPoint over(overRect.center().x(), overRect.top() + 1);
  QDragEnterEvent enter(over, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree->viewport(), &enter);
  QDragMoveEvent move(over, Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tree->viewport(), &move);
  if (!move.isAccepted() || !save(window, output.filePath(QStringLiteral("tree_drop_line.png")))) return 1;
  QDragLeaveEvent leave;
  QApplication::sendEvent(tree->viewport(), &leave);
  window.FileNew1Execute();
  if (!prompter.questionSaved) return 1;
  if (!previewShot(output.filePath(QStringLiteral("phone-preview.png")))) return 1;
  return saveProgressShot(samples.filePath(QStringLiteral("mma_ucp_custom")),
                          output.filePath(QStringLiteral("phone-progress.png")))
             ? 0
             : 1;
}
