#include <gtest/gtest.h>

#include <regex>

#include "shell/CommandLine.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

using shelltest::RunTavelon;

TEST(CommandLine, PathsAndPictureOptionsMayStandInAnyOrder) {
  auto parsed = ParseCommandLine(std::vector<std::string>{
      "--export-image", "--view", "struktogramm", "a.str", "--scale", "2.5", "b.svg"});
  ASSERT_TRUE(parsed.Line) << parsed.Error;
  EXPECT_EQ(parsed.Line->Mode, RunMode::ExportImage);
  EXPECT_EQ(parsed.Line->Input, "a.str");
  EXPECT_EQ(parsed.Line->Output, "b.svg");
  EXPECT_EQ(parsed.Line->View, DiagramView::Structogram);
  EXPECT_EQ(parsed.Line->Scale, 2.5);
  // The flowchart is the view at start; "-" is a path, not an option.
  parsed = ParseCommandLine(std::vector<std::string>{"--import-text", "-"});
  ASSERT_TRUE(parsed.Line) << parsed.Error;
  EXPECT_EQ(parsed.Line->View, DiagramView::Flowchart);
  EXPECT_EQ(parsed.Line->Input, "-");
  EXPECT_EQ(parsed.Line->Output, "");
}

struct Refused {
  std::vector<std::string> arguments;
  std::string reason;
};

class RefusedArguments : public testing::TestWithParam<Refused> {};

TEST_P(RefusedArguments, ExitWithStatusTwoAndShowReasonAndUsage) {
  const auto result = RunTavelon(GetParam().arguments);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "tavelon: " + GetParam().reason + "\n\n" + UsageText());
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, RefusedArguments,
    testing::Values(
        Refused{{"--bunt"}, "Unbekannte Option: --bunt"},
        Refused{{"--version", "--help"}, "Überzähliges Argument: --help"},
        Refused{{"--export-text"}, "--export-text braucht eine Eingabedatei"},
        Refused{{"--export-text", "a", "--scale", "2"},
                "Unbekannte Option für --export-text: --scale"},
        Refused{{"--export-image", "a.str"},
                "--export-image braucht eine Eingabe- und eine Bilddatei"},
        Refused{{"--export-image", "a", "b.png", "--view", "schief"},
                "Unbekannte Ansicht: schief (flussdiagramm oder struktogramm)"},
        Refused{{"--export-image", "a", "b.png", "--scale"}, "--scale braucht einen Wert"},
        Refused{{"--export-text", "a", "--utf8", "b", "c"}, "Überzähliges Argument: c"},
        Refused{{"--import-text", "a", "--utf8"}, "Unbekannte Option für --import-text: --utf8"}));

class RefusedScale : public testing::TestWithParam<std::string> {};

// Not a number, not above 0, or so large that no design could be drawn.
TEST_P(RefusedScale, ExitsWithStatusTwo) {
  const auto result = RunTavelon({"--export-image", "a.str", "b.png", "--scale", GetParam()});
  EXPECT_EQ(result.status, 2);
  EXPECT_TRUE(result.err.starts_with("tavelon: Ungültiger Maßstab: " + GetParam() +
                                     " (eine Zahl größer als 0 und höchstens 1000)\n"))
      << result.err;
}

INSTANTIATE_TEST_SUITE_P(Values, RefusedScale,
                         testing::Values("0", "-0", "-1", "nan", "inf", "-inf", "1e19", "1000.5",
                                         "1e400", "2x", ""));

TEST(CommandLine, ScalesUpToTheLargestAndTinyOnesAreAccepted) {
  for (const char* scale : {"1000", "1", "0.5", "1e-10", "5e-324"}) {
    auto parsed = ParseCommandLine(
        std::vector<std::string>{"--export-image", "a", "b.png", "--scale", scale});
    ASSERT_TRUE(parsed.Line) << scale << ": " << parsed.Error;
    EXPECT_GT(parsed.Line->Scale, 0) << scale;
  }
}

TEST(CommandLine, Utf8StandsAnywhereAfterTheTextExport) {
  for (const auto& arguments : {std::vector<std::string>{"--export-text", "--utf8", "a", "b"},
                                std::vector<std::string>{"--export-text", "a", "b", "--utf8"}}) {
    const auto parsed = ParseCommandLine(arguments);
    ASSERT_TRUE(parsed.Line) << parsed.Error;
    EXPECT_TRUE(parsed.Line->Utf8);
    EXPECT_EQ(parsed.Line->Input, "a");
    EXPECT_EQ(parsed.Line->Output, "b");
  }
  EXPECT_FALSE(ParseCommandLine(std::vector<std::string>{"--export-text", "a"}).Line->Utf8);
}

// The editor opens the first file named; after "--" every argument is a name.
TEST(CommandLine, DoubleDashEndsTheOptionsAndTheEditorOpensTheFirstFile) {
  const std::tuple<std::vector<std::string>, std::optional<std::string>, std::string> lines[] = {
      {{"--"}, std::nullopt, ""},
      {{"", "a.str"}, "", ""},
      {{"a.str", "b.str", "--bunt"}, "a.str", ""},
      {{"--", "--help", "b.str"}, "--help", ""},
      {{"--export-text", "--", "-a.str", "-"}, std::nullopt, "-a.str"},
      {{"--export-image", "--view", "StrukTOGRAMM", "--", "--view", "-b.png"}, {}, "--view"}};
  for (const auto& [arguments, startFile, input] : lines) {
    const auto parsed = ParseCommandLine(arguments);
    ASSERT_TRUE(parsed.Line) << parsed.Error;
    EXPECT_EQ(parsed.Line->StartFile, startFile);
    EXPECT_EQ(parsed.Line->Input, input);
  }
  EXPECT_EQ(ParseCommandLine(std::get<0>(lines[5])).Line->View, DiagramView::Structogram);
}

TEST(CommandLine, HelpVersionAndTheEditor) {
  auto help = RunTavelon({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, UsageText());
  auto version = RunTavelon({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("Tavelon [0-9]+\\.[0-9]+\\.[0-9]+\n")));
  // The editor opens the file itself later: a missing one is no failure here.
  EXPECT_EQ(RunTavelon({}).status, std::nullopt);
  EXPECT_EQ(RunTavelon({"/nicht/vorhanden.str"}).status, std::nullopt);
}

}  // namespace
