// Every tree command and its undo on the largest menu a file can hold, as the window
// runs them: the document command, the record it returns for its undo step, and the Qt
// item model with a tree view (offscreen, every branch open) following each change. Each
// iteration is one command and its undo, so the document is the same at every start.
// Argument 0 acts on the first item of the main menu (whose undo puts the whole main
// menu's list back for a swap), 1 on an item two levels below it.
#include <benchmark/benchmark.h>

#include <QTreeView>
#include <memory>

#include "catalogue.h"
#include "edit_record.h"
#include "maximal_document.h"
#include "menu_tree_model.h"
#include "tree_commands.h"

namespace quillet::bench {
namespace {

class Editor {
 public:
  Editor() {
    BuildMaximalDocument(doc);
    model = std::make_unique<ui::MenuTreeModel>(doc);
    view.setModel(model.get());
    view.resize(300, 600);
    view.show();
    view.expandAll();
  }
  ~Editor() { view.setModel(nullptr); }

  // The item the benchmark's argument names: the first main-menu item, or the first
  // item two levels below it.
  MenuNode& target(const benchmark::State& state) {
    MenuNode* node = doc.tree.nodeAt(kFirstMenuNodeIndex);
    if (state.range(0) == 1) node = node->firstChild()->firstChild();
    return *node;
  }
  // Undo: apply the step's record, and open again the branch it brought back closed,
  // as the window does.
  void undo(const EditRecord& record) {
    const int putBack = BranchTop(ApplyRecord(doc, record));
    if (putBack >= 0) view.expandRecursively(model->indexForNode(doc.tree.nodeAt(putBack)));
  }

  MenuDocument doc;
  std::unique_ptr<ui::MenuTreeModel> model;
  QTreeView view;
};

int CatalogueRow(const char* identifier) { return CatalogueIndex(identifier); }

void BM_AddAndUndo(benchmark::State& state) {
  Editor editor;
  // Room for one more item: the last item of the maximal menu goes.
  MenuDocument& doc = editor.doc;
  DeleteItem(doc, *doc.tree.nodeAt(doc.tree.nodeCount() - 1));
  MenuNode& at = editor.target(state);
  for (auto _ : state) {
    Result<PlacedEdit> added = AddCatalogueItem(doc, at, CatalogueRow("Camera"), ItemPlace::Before);
    if (!added) {
      state.SkipWithError(added.error().message.c_str());
      break;
    }
    editor.undo(added->undo);
  }
}
BENCHMARK(BM_AddAndUndo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// An edit that returns a copy of the branch it touches, undone by putting the copy back.
template <typename Edit>
void BranchEditAndUndo(benchmark::State& state, Edit edit) {
  Editor editor;
  for (auto _ : state) editor.undo(edit(editor.doc, editor.target(state)));
}

void BM_ReplaceAndUndo(benchmark::State& state) {
  BranchEditAndUndo(state, [](MenuDocument& doc, MenuNode& node) {
    return *ReplaceItem(doc, node, CatalogueRow("Settings"));  // keeps the submenu
  });
}
BENCHMARK(BM_ReplaceAndUndo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ModifyAndUndo(benchmark::State& state) {
  BranchEditAndUndo(state, [](MenuDocument& doc, MenuNode& node) {
    return ModifyItem(doc, node,
                      EditedItem{*doc.ItemData(node), false, node.item().kind, node.item().flags, 0x43});
  });
}
BENCHMARK(BM_ModifyAndUndo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DeleteAndUndo(benchmark::State& state) {
  Editor editor;
  MenuDocument& doc = editor.doc;
  for (auto _ : state) {
    MenuNode& node = editor.target(state);
    std::optional<DetachedItem> back = DeleteItem(doc, node);
    if (!back) {
      state.SkipWithError("delete refused");
      break;
    }
    editor.undo(*back);
  }
}
BENCHMARK(BM_DeleteAndUndo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One move per iteration, undone by the move it returns, as the window's undo does.
template <typename Move>
void MoveAndUndo(benchmark::State& state, Move move) {
  Editor editor;
  for (auto _ : state) {
    std::optional<ItemMove> back = move(editor);
    if (!back) {
      state.SkipWithError("move refused");
      break;
    }
    ApplyMove(editor.doc, *back);
  }
}

void BM_MoveDownAndUndo(benchmark::State& state) {
  MoveAndUndo(state, [&](Editor& editor) { return MoveDown(editor.doc, editor.target(state)); });
}
BENCHMARK(BM_MoveDownAndUndo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_MoveUpAndUndo(benchmark::State& state) {
  MoveAndUndo(state,
              [&](Editor& editor) { return MoveUp(editor.doc, *editor.target(state).parent()->child(1)); });
}
BENCHMARK(BM_MoveUpAndUndo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A drop: the item with its subtree becomes the last subitem of the main menu's last item.
void BM_DropAndUndo(benchmark::State& state) {
  MoveAndUndo(state, [&](Editor& editor) {
    MenuNode& last = *editor.doc.menuRootNode()->child(editor.doc.menuRootNode()->childCount() - 1);
    return MoveItem(editor.doc, editor.target(state), last, static_cast<int>(last.childCount()));
  });
}
BENCHMARK(BM_DropAndUndo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet::bench
