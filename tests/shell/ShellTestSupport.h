#pragma once

// Runs the command line inside the test process with both output streams captured, and keeps
// a test's files in a folder of its own.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "shell/Conversions.h"
#include "shell/RunCommandLine.h"
#include "tests/support/TreeText.h"

namespace shelltest {

// A fresh folder, removed with everything in it when the test ends.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = std::filesystem::temp_directory_path() / "tavelon-shell-XXXXXX";
    path_ = mkdtemp(pattern.data()) ? pattern : "";
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::string operator/(const std::string& name) const { return path_ / name; }
  // The names of the files in the folder, hidden ones included.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.insert(entry.path().filename());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

// A design with an element of every kind, in the notation of tests/support/TreeText.h.
inline const char* const AllKinds =
    "A(a := 1) B(Teil)[A(b)] I(a > 0)[A(c)|A(d) A(e)] W(x)[A(y)] F(i von 1 bis 10)[A(z)] "
    "D(q)[A(w)] R(r)[A(v)] A(Ende)";

// The bytes of a design file whose root holds the notation's elements.
inline std::string DesignFile(const std::string& notation) {
  BlockPtr root = BuildBlock(notation, "gesamtes Programm");
  root->Movable = 0;
  root->Braced = 0;
  return SaveDesignBytes(*root);
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct RunResult {
  std::optional<int> status;
  std::string out;
  std::string err;
};

// Runs "tavelon <arguments>".
inline RunResult RunTavelon(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "tavelon");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  RunResult result;
  result.status = RunCommandLine(static_cast<int>(arguments.size()), argv.data());
  result.out = testing::internal::GetCapturedStdout();
  result.err = testing::internal::GetCapturedStderr();
  return result;
}

}  // namespace shelltest
