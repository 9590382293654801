#include <optional>
#include <string>
#include <vector>

#include "shell/CommandLine.h"
#include "shell/Editor.h"
#include "shell/RunCommandLine.h"

int main(int argc, char** argv) {
  if (auto status = RunCommandLine(argc, argv)) return *status;
  const ParsedCommandLine parsed = ParseCommandLine(
      std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
  return RunEditor(argc > 0 ? argv[0] : nullptr,
                   parsed.Line ? parsed.Line->StartFile : std::nullopt);
}
