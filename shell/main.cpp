#include <cstdio>

#include "shell/CommandLine.h"
#include "shell/RunCommandLine.h"

int main(int argc, char** argv) {
  if (auto status = RunCommandLine(argc, argv)) return *status;
  // The editor starts here once its main window exists; until then the usage is shown.
  std::fputs(UsageText().c_str(), stdout);
  return 0;
}
