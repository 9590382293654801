// The built program as a separate process: pictures without a display, standard input, and
// output that fails while it is written.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "tests/shell/ShellTestSupport.h"

namespace {

using shelltest::ReadFile;
using shelltest::TempFolder;
using shelltest::WriteFile;

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class Program : public testing::Test {
 protected:
  // Runs "sh -c '<command>'" with the program's path in place of "tavelon"; returns the exit
  // status and keeps standard error in err.
  int Sh(std::string command) {
#ifdef TAVELON_BINARY
    command.replace(command.find("tavelon"), 7, Quoted(TAVELON_BINARY));
    const int raw = std::system((command + " 2>" + Quoted(captures / "err")).c_str());
    err = ReadFile(captures / "err");
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#else
    ADD_FAILURE() << "the program's path is unknown: " << command;
    return -1;
#endif
  }
  std::string In(const std::string& name) { return Quoted(folder / name); }

  TempFolder folder;
  TempFolder captures;
  std::string err;
};

TEST_F(Program, DrawsPicturesWithoutADisplayAndReadsStandardInput) {
  WriteFile(folder / "p.txt", "a;\r\n");
  EXPECT_EQ(Sh("tavelon --import-text - " + In("p.str") + " <" + In("p.txt")), 0) << err;
  EXPECT_EQ(ReadFile(folder / "p.str"), std::string("B:\x01"
                                                    "A:a\x01\x02\x02"));
  EXPECT_EQ(Sh("env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY tavelon --export-image " +
               In("p.str") + " " + In("p.png")),
            0)
      << err;
  EXPECT_TRUE(ReadFile(folder / "p.png").starts_with("\x89PNG\r\n"));
}

TEST_F(Program, AFullStandardOutputIsAFailure) {
  WriteFile(folder / "a.str", std::string("B:\x01"
                                          "A:a\x01\x02\x02"));
  EXPECT_EQ(Sh("tavelon --export-text " + In("a.str") + " >/dev/full"), 1);
  EXPECT_EQ(err, "tavelon: Stream-Schreibfehler\n");
}

// Output that is no regular file: a device, standard output in a pipe, a process
// substitution, and standard output that a group of commands appends to a file.
TEST_F(Program, WritesToDevicesPipesAndProcessSubstitutions) {
  WriteFile(folder / "a.str", std::string("B:\x01"
                                          "A:a\x01\x02\x02"));
  const std::string text = "  a;\r\n";
  EXPECT_EQ(Sh("tavelon --export-text " + In("a.str") + " /dev/null"), 0) << err;
  EXPECT_EQ(Sh("tavelon --export-text " + In("a.str") + " /dev/stdout | cat >" + In("pipe.pas")), 0)
      << err;
  EXPECT_EQ(ReadFile(folder / "pipe.pas"), text);
  EXPECT_EQ(Sh("bash -c \"tavelon --export-text " + In("a.str") + " >(cat >" + In("sub.pas") +
               "); wait $!\""),
            0)
      << err;
  EXPECT_EQ(ReadFile(folder / "sub.pas"), text);
  WriteFile(folder / "log", "alt\n");
  EXPECT_EQ(Sh("{ echo Kopf; tavelon --export-text " + In("a.str") +
               " /dev/stdout; echo Fuss; } >>" + In("log")),
            0)
      << err;
  EXPECT_EQ(ReadFile(folder / "log"), "alt\nKopf\n" + text + "Fuss\n");
}

// A file size limit makes writing fail halfway through the file.
TEST_F(Program, AWriteThatFailsHalfwayLeavesTheOldTargetAndNoTemporaryFile) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "Anweisung;\r\n";
  WriteFile(folder / "p.txt", text);
  WriteFile(folder / "p.str", "alt");
  EXPECT_EQ(
      Sh("trap '' XFSZ; ulimit -f 64; tavelon --import-text " + In("p.txt") + " " + In("p.str")),
      1);
  EXPECT_EQ(err, "tavelon: Stream-Schreibfehler\n");
  EXPECT_EQ(ReadFile(folder / "p.str"), "alt");
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"p.txt", "p.str"}));
}

}  // namespace
