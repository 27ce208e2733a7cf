// The phone preview following an edit on the largest menu a file can hold, with every
// icon file already in the icon store: the edit's change notice reaches the preview
// through the window's item model, the preview reads the document again for the menu
// on show, and the screen is drawn. Argument 0 shows the main menu as the grid,
// 1 as the list view with its list icons, 2 a submenu (always a list).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "maximal_document.h"
#include "menu_tree_model.h"
#include "phone_preview_window.h"
#include "phone_screen.h"
#include "preview_icon_store.h"

namespace quillet::bench {
namespace {

// The maximal document's items name list icons "/a/mobile/picture/item<N>.gif"; each
// is a small picture here (the store decides the format from the bytes).
void WriteIcons(const QString& folder) {
  QDir().mkpath(folder + QStringLiteral("/a/mobile/picture"));
  QImage icon(24, 24, QImage::Format_ARGB32);
  icon.fill(Qt::darkCyan);
  for (int number = 1; number <= kMaxMainMenuItems + kSoftkeyCount; ++number)
    icon.save(folder + QStringLiteral("/a/mobile/picture/item%1.gif").arg(number), "PNG");
}

void BM_PreviewFollowsAnEdit(benchmark::State& state) {
  QTemporaryDir phoneFiles;
  WriteIcons(phoneFiles.path());
  MenuDocument doc;
  BuildMaximalDocument(doc);
  ui::MenuTreeModel model(doc);
  QItemSelectionModel selection(&model);
  ui::PhonePreviewWindow preview(doc, model, selection, nullptr);
  preview.setPhoneFolder(phoneFiles.path());
  ui::PhoneScreen& screen = preview.screen();
  screen.setListMode(state.range(0) == 1);
  MenuNode& first = *doc.tree.nodeAt(kFirstMenuNodeIndex);
  if (state.range(0) == 2) screen.showNode(first.firstChild());
  QImage canvas(screen.size(), QImage::Format_ARGB32);
  screen.render(&canvas);  // every icon on show is read and decoded once, before timing

  // The edit: the first item's record changes (its attributes), as "Modify item" does.
  MenuNode& edited = state.range(0) == 2 ? *first.firstChild() : first;
  for (auto _ : state) {
    doc.tree.editRecord(edited).attributes ^= 0x04;
    doc.tree.notifyChanged(&edited);
    screen.render(&canvas);
    benchmark::DoNotOptimize(canvas.constBits());
  }
  state.counters["tiles"] = static_cast<double>(screen.tiles().size());
}
BENCHMARK(BM_PreviewFollowsAnEdit)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet::bench
