// The text modes: a design file as program text, program text as a design file, failures.
#include <gtest/gtest.h>

#include "model/Records.h"
#include "shell/Conversions.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TreeText.h"

namespace {

using shelltest::ReadFile;
using shelltest::RunTavelon;
using shelltest::TempFolder;
using shelltest::WriteFile;

std::string Repeated(const std::string& piece, int count) {
  std::string bytes;
  bytes.reserve(piece.size() * count);
  for (int i = 0; i < count; ++i) bytes += piece;
  return bytes;
}

class TextConversion : public testing::Test {
 protected:
  TempFolder folder;
};

// Records are a tag, ":", a text and 01; a block's body ends with 02 02, and so does each
// branch after its block. The first two bytes are skipped unread. The root is neither movable
// nor braced: its contents are indented one unit, without title and braces.
TEST_F(TextConversion, ExportWritesProgramTextToAFileOrStandardOutput) {
  WriteFile(folder / "a.str", std::string("??Titel\x01") +
                                  "A:Gr\xF6\xDF"
                                  "e\x01" +
                                  "W:x > 0\x01" + "B:\x01" + "A:x := x - 1\x01" +
                                  "\x02\x02\x02\x02" + "\x02\x02");
  const std::string text =
      "  Gr\xF6\xDF"
      "e;\r\n  while (x > 0) {\r\n    x := x - 1;\r\n  }\r\n";
  EXPECT_EQ(RunTavelon({"--export-text", folder / "a.str"}).out, text);
  EXPECT_EQ(RunTavelon({"--export-text", folder / "a.str", "-"}).out, text);
  auto toFile = RunTavelon({"--export-text", folder / "a.str", folder / "a.pas"});
  EXPECT_EQ(toFile.status, 0) << toFile.err;
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(ReadFile(folder / "a.pas"), text);
  // An empty design gives an empty file.
  WriteFile(folder / "leer.str", std::string("B:gesamtes Programm\x01\x02\x02"));
  EXPECT_EQ(RunTavelon({"--export-text", folder / "leer.str", folder / "leer.pas"}).status, 0);
  EXPECT_TRUE(std::filesystem::exists(folder / "leer.pas"));
  EXPECT_EQ(ReadFile(folder / "leer.pas"), "");
}

TEST_F(TextConversion, ImportSavesARootWithoutTitleKeepingEightBitText) {
  WriteFile(folder / "p.txt",
            "a := 1;\r\nGr\xF6\xDF"
            "e;\r\n");
  const std::string design = std::string("B:\x01") + "A:a := 1\x01" +
                             "A:Gr\xF6\xDF"
                             "e\x01" +
                             "\x02\x02";
  EXPECT_EQ(RunTavelon({"--import-text", folder / "p.txt", folder / "p.str"}).status, 0);
  EXPECT_EQ(ReadFile(folder / "p.str"), design);
  EXPECT_EQ(RunTavelon({"--import-text", folder / "p.txt"}).out, design);
  BlockPtr root = ImportProgramText("{ a; }");
  EXPECT_EQ(root->Movable, 0);
  EXPECT_EQ(root->Braced, 0);
}

TEST_F(TextConversion, EveryElementKindGoesFromDesignToTextAndBack) {
  BlockPtr design = BuildBlock(
      "A(a) B(Teil)[A(b)] I(a > 0)[A(c)|A(d)] W(x)[A(y)] F(i von 1 bis 9)[A(z)] D(q)[A(w)] "
      "R(r)[A(v)]",
      "gesamtes Programm");
  design->Movable = 0;
  design->Braced = 0;
  WriteFile(folder / "alle.str", SaveDesignBytes(*design));
  ASSERT_EQ(RunTavelon({"--export-text", folder / "alle.str", folder / "alle.pas"}).status, 0);
  const std::string text = ReadFile(folder / "alle.pas");
  for (const char* part : {"// Teil", "if (a > 0)", "else", "while (x)", "for (i=1;i<=9;",
                           "} while (q);", "while (r);"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part;
  }
  ASSERT_EQ(RunTavelon({"--import-text", folder / "alle.pas", folder / "neu.str"}).status, 0);
  const std::string body = RenderBody(*LoadDesignFile(folder / "neu.str"));
  EXPECT_EQ(body, RenderBody(*ImportProgramText(text)));
  EXPECT_NE(body.find("W(x)[A(y)] "), std::string::npos) << body;
}

TEST_F(TextConversion, AMillionStatementsGoFromTextToDesignAndBack) {
  constexpr int kCount = 1'000'000;
  WriteFile(folder / "gross.txt", Repeated("s;\r\n", kCount));
  ASSERT_EQ(RunTavelon({"--import-text", folder / "gross.txt", folder / "gross.str"}).status, 0);
  EXPECT_TRUE(ReadFile(folder / "gross.str") ==
              std::string("B:\x01") + Repeated(std::string("A:s\x01"), kCount) + "\x02\x02");
  ASSERT_EQ(RunTavelon({"--export-text", folder / "gross.str", folder / "gross.pas"}).status, 0);
  EXPECT_TRUE(ReadFile(folder / "gross.pas") == Repeated("  s;\r\n", kCount));
}

struct Encoding {
  const char* name;
  std::string bytes;  // of the program text file
  std::string tree;   // the design it gives
};

class ProgramTextEncoding : public testing::TestWithParam<Encoding> {};

// UTF-8 is taken for what it is when a byte-order mark says so or the bytes are well-formed
// UTF-8 beyond ASCII; anything else is Windows-1252, as the program's own files are.
TEST_P(ProgramTextEncoding, IsReadAsWhatItIs) {
  EXPECT_EQ(RenderBody(*ImportProgramText(ProgramTextFromFile(GetParam().bytes))), GetParam().tree);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProgramTextEncoding,
    testing::Values(Encoding{"Utf8",
                             "Gr\xC3\xB6\xC3\x9F"
                             "e;",
                             "A(Gr\xF6\xDF"
                             "e)"},
                    Encoding{"Utf8BeyondWindows1252", "x \xE2\x89\xA0 y; \xE2\x82\xAC;",
                             "A(x ? y) A(\x80)"},
                    Encoding{"ByteOrderMarkBeforeAKeyword",
                             "\xEF\xBB\xBF"
                             "if (a) b;",
                             "I(a)[A(b)|]"},
                    Encoding{"ByteOrderMarkAndMalformedUtf8", "\xEF\xBB\xBF\xE4;", "A(?)"},
                    Encoding{"Windows1252",
                             "Gr\xF6\xDF"
                             "e;",
                             "A(Gr\xF6\xDF"
                             "e)"},
                    Encoding{"Windows1252ThatHoldsAUtf8Pair", "\xC3\xA4 \xE4;", "A(\xC3\xA4 \xE4)"},
                    Encoding{"Ascii", "a := 1;", "A(a := 1)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextConversion, ImportReadsUtf8AndExportWritesItWhenAsked) {
  WriteFile(folder / "p.txt",
            "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F"
            "e;\r\n");
  ASSERT_EQ(RunTavelon({"--import-text", folder / "p.txt", folder / "p.str"}).status, 0);
  EXPECT_EQ(ReadFile(folder / "p.str"), std::string("B:\x01") +
                                            "A:Gr\xF6\xDF"
                                            "e\x01" +
                                            "\x02\x02");
  EXPECT_EQ(RunTavelon({"--export-text", folder / "p.str"}).out,
            "  Gr\xF6\xDF"
            "e;\r\n");
  EXPECT_EQ(RunTavelon({"--export-text", "--utf8", folder / "p.str"}).out,
            "  Gr\xC3\xB6\xC3\x9F"
            "e;\r\n");
  ASSERT_EQ(RunTavelon({"--export-text", folder / "p.str", folder / "u.pas", "--utf8"}).status, 0);
  ASSERT_EQ(RunTavelon({"--import-text", folder / "u.pas", folder / "u.str"}).status, 0);
  EXPECT_EQ(ReadFile(folder / "u.str"), ReadFile(folder / "p.str"));
}

struct Failure {
  const char* name;
  std::optional<std::string> design;  // the bytes of in.str, when it exists
  std::string message;                // "%s" stands for the path of in.str
};

class TextConversionFailure : public testing::TestWithParam<Failure> {
 protected:
  TempFolder folder;
};

// A failed run reports the reason with status 1 and leaves the old target as it was, with no
// temporary file beside it.
TEST_P(TextConversionFailure, KeepsTheOldTargetAndReportsTheReason) {
  const std::string input = folder / "in.str";
  if (GetParam().design) WriteFile(input, *GetParam().design);
  WriteFile(folder / "out.pas", "alt");
  const auto before = folder.Names();
  std::string message = GetParam().message;
  if (auto at = message.find("%s"); at != std::string::npos) message.replace(at, 2, input);
  auto result = RunTavelon({"--export-text", input, folder / "out.pas"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "tavelon: " + message + "\n");
  EXPECT_EQ(ReadFile(folder / "out.pas"), "alt");
  EXPECT_EQ(folder.Names(), before);
}

std::string Nested(int levels) {
  return Repeated(std::string("B:\x01"), levels) + Repeated("\x02\x02", levels);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, TextConversionFailure,
    testing::Values(Failure{"Missing", std::nullopt, "Datei %s kann nicht geöffnet werden"},
                    Failure{"Empty", "", "Stream-Lesefehler"},
                    Failure{"EndsInsideAText",
                            "B:Titel\x01"
                            "A:a",
                            "Stream-Lesefehler"},
                    Failure{"TooDeep", Nested(MaxNestingDepth + 3), TooDeepMessage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextConversion, ATargetThatCannotBeCreatedIsReported) {
  WriteFile(folder / "p.txt", "a;");
  const std::string target = folder / "fehlt/p.str";
  auto result = RunTavelon({"--import-text", folder / "p.txt", target});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "tavelon: Datei " + target + " kann nicht erstellt werden\n");
}

}  // namespace
