#pragma once
// Running mmatool in-process and handling the scratch files of one test.
#include <filesystem>
#include <string>
#include <vector>

#include "menu_bytes.h"

namespace quillet::testtools {

using menubytes::Bytes;

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// `input` is what the tool finds on standard input.
ToolRun RunTool(const std::vector<std::string>& args, const std::string& input = {});

// A fresh directory under the system's temporary directory, removed with its files.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  std::string write(const std::string& name, const Bytes& bytes) const;

 private:
  std::filesystem::path dir_;
};

Bytes ReadBytes(const std::string& path);

}  // namespace quillet::testtools
