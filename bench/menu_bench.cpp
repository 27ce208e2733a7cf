// Load, save and RebuildLinks on the largest menu a file can hold, against the floor
// of plainly copying, writing and reading the same bytes; and the memory its item
// data takes once loaded.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <vector>

#include "counting_allocator.h"
#include "file_io.h"
#include "maximal_document.h"
#include "menu_loader.h"
#include "menu_writer.h"

namespace quillet::bench {
namespace {

const SaveOptions kOptions{RecordLayout::Bytes36, true, false, IconTag::Tag0C};

// The maximal document's file, made once by the writer.
const std::vector<std::uint8_t>& MaximalFile() {
  static const std::vector<std::uint8_t> bytes = [] {
    MenuDocument doc;
    BuildMaximalDocument(doc);
    Result<std::vector<std::uint8_t>> saved = SerializeMenu(doc, kOptions);
    if (!saved) {
      std::cerr << "cannot build the maximal document: " << saved.error().message << '\n';
      std::exit(1);
    }
    return saved.value();
  }();
  return bytes;
}

void LoadOrFail(MenuDocument& doc, benchmark::State& state) {
  if (!LoadMenuFile(MaximalFile(), doc, "maximal")) state.SkipWithError("load failed");
}

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / ("quillet_bench_" + std::to_string(getpid()) + "_" + name))
      .string();
}

void BM_Load(benchmark::State& state) {
  MenuDocument doc;
  for (auto _ : state) {
    auto loaded = LoadMenuFile(MaximalFile(), doc, "maximal");
    benchmark::DoNotOptimize(loaded);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MaximalFile().size()));
}
BENCHMARK(BM_Load);

void BM_Save(benchmark::State& state) {
  MenuDocument doc;
  LoadOrFail(doc, state);
  for (auto _ : state) {
    auto saved = SerializeMenu(doc, kOptions);
    benchmark::DoNotOptimize(saved);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MaximalFile().size()));
}
BENCHMARK(BM_Save);

void BM_LoadSave(benchmark::State& state) {
  MenuDocument doc;
  for (auto _ : state) {
    auto loaded = LoadMenuFile(MaximalFile(), doc, "maximal");
    auto saved = SerializeMenu(doc, kOptions);
    benchmark::DoNotOptimize(loaded);
    benchmark::DoNotOptimize(saved);
  }
}
BENCHMARK(BM_LoadSave);

void BM_RebuildLinks(benchmark::State& state) {
  MenuDocument doc;
  LoadOrFail(doc, state);
  for (auto _ : state) {
    doc.RebuildLinks();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RebuildLinks);

// Reading and writing real files: the document's reader, loader, writer and safe save.
void BM_LoadSaveFile(benchmark::State& state) {
  const std::string in = TempPath("in");
  const std::string out = TempPath("out");
  if (!WriteFileAtomically(in, MaximalFile())) state.SkipWithError("cannot write input");
  MenuDocument doc;
  for (auto _ : state) {
    auto loaded = LoadMenuFileFromPath(in, doc);
    auto saved = SaveMenuFile(out, doc, kOptions);
    benchmark::DoNotOptimize(loaded);
    benchmark::DoNotOptimize(saved);
  }
  std::filesystem::remove(in);
  std::filesystem::remove(out);
}
BENCHMARK(BM_LoadSaveFile);

// Floor: copying the file's bytes in memory.
void BM_FloorCopy(benchmark::State& state) {
  const std::vector<std::uint8_t>& bytes = MaximalFile();
  std::vector<std::uint8_t> copy(bytes.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_FloorCopy);

// Floor: writing the bytes to a file and reading them back with plain stdio.
void BM_FloorFileWriteRead(benchmark::State& state) {
  const std::vector<std::uint8_t>& bytes = MaximalFile();
  const std::string path = TempPath("floor");
  std::vector<std::uint8_t> back(bytes.size());
  for (auto _ : state) {
    std::FILE* w = std::fopen(path.c_str(), "wb");
    if (w == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), w) != bytes.size())
      state.SkipWithError("write failed");
    if (w != nullptr) std::fclose(w);
    std::FILE* r = std::fopen(path.c_str(), "rb");
    if (r == nullptr || std::fread(back.data(), 1, back.size(), r) != back.size())
      state.SkipWithError("read failed");
    if (r != nullptr) std::fclose(r);
    benchmark::ClobberMemory();
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_FloorFileWriteRead);

// Heap bytes of the loaded document as a whole and of its item data alone (what the
// store frees when cleared), counted by the replaced allocation functions.
void ReportMemory() {
  const std::vector<std::uint8_t>& bytes = MaximalFile();
  MenuDocument doc;
  const std::size_t before = LiveHeapBytes();
  const auto loaded = LoadMenuFile(bytes, doc, "maximal");
  const std::size_t afterLoad = LiveHeapBytes();
  const int items = doc.mainMenuItemCount();
  const int withData = doc.DataItemCount();
  const std::size_t beforeClear = LiveHeapBytes();
  doc.ReleaseSubtreeData(*doc.softkeysNode());
  doc.ReleaseSubtreeData(*doc.menuRootNode());
  const std::size_t itemData = beforeClear - LiveHeapBytes();
  std::cout << "maximal document: " << bytes.size() << "-byte file, " << items << " main-menu items, "
            << withData << " items with data" << (loaded ? "" : " (LOAD FAILED)") << "\n"
            << "memory: item data " << itemData << " bytes (" << itemData / 1024
            << " KiB); whole loaded document " << (afterLoad - before) << " bytes\n";
}

}  // namespace
}  // namespace quillet::bench

int main(int argc, char** argv) {
  quillet::bench::ReportMemory();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
