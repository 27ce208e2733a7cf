// Writes the fuzzer's seed corpus into the directory given as the only argument: the
// sample menus of mmatool's tests in both layouts (every block kind, small, full) and
// the damaged files, all laid out by the byte-builder from the format's rules.
#include <cstdio>
#include <fstream>
#include <string>

#include "sample_menus.h"

namespace {

using quillet::samples::Bytes;

bool WriteSeed(const std::string& dir, const std::string& name, const Bytes& bytes) {
  std::ofstream out(dir + "/" + name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seed_corpus DIRECTORY\n");
    return 2;
  }
  using namespace quillet::samples;
  const std::string dir = argv[1];
  std::vector<NamedFile> seeds;
  for (const int size : {22, 36}) {
    const std::string layout = std::to_string(size);
    BlockKindOptions options;
    options.recordSize = size;
    seeds.push_back({"every-block-" + layout, BuildMenuFile(EveryBlockKindMenu(options))});
    options.iconTag = 6;
    options.variant = 3;
    seeds.push_back({"every-block-06-" + layout, BuildMenuFile(EveryBlockKindMenu(options))});
    seeds.push_back({"small-" + layout, BuildMenuFile(SmallMenu(size, 1))});
    seeds.push_back({"full-" + layout, BuildMenuFile(FullMenu(size))});
    quillet::menubytes::MenuPlan empty;
    empty.recordSize = size;
    seeds.push_back({"empty-menu-" + layout, BuildMenuFile(empty)});
  }
  for (auto& refused : RefusedFiles()) seeds.push_back({"refused-" + refused.name, refused.bytes});
  for (auto& warned : WarnedFiles()) seeds.push_back({"warned-" + warned.name, warned.bytes});
  for (const NamedFile& seed : seeds) {
    if (!WriteSeed(dir, seed.name, seed.bytes)) {
      std::fprintf(stderr, "make_seed_corpus: cannot write %s/%s\n", dir.c_str(), seed.name.c_str());
      return 1;
    }
  }
  std::printf("make_seed_corpus: %zu seeds in %s\n", seeds.size(), dir.c_str());
  return 0;
}
