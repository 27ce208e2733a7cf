// Writes the sample menu files into the folder given as the only argument:
//   make_samples <source>/samples
#include <cstdio>
#include <fstream>
#include <string>

#include "shipped_samples.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  for (const quillet::shipped::SampleFile& sample : quillet::shipped::SampleFiles()) {
    const std::string path = std::string(argv[1]) + "/" + sample.name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(sample.bytes.data()),
              static_cast<std::streamsize>(sample.bytes.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
