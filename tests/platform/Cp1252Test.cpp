#include <gtest/gtest.h>

#include "platform/Cp1252.h"

namespace {

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

}  // namespace

// Umlauts, sharp s and the Windows-only characters in 0x80 .. 0x9F.
TEST(Cp1252Test, GermanAndTypographicCharactersConvertToUtf8) {
  EXPECT_EQ(Cp1252::ToUtf8("\xE4\xF6\xFC\xC4\xD6\xDC\xDF"), "äöüÄÖÜß");
  EXPECT_EQ(Cp1252::ToUtf8("\x80\x84\x93\x96\x97\x85\x99"), "€„“–—…™");
  EXPECT_EQ(Cp1252::ToUtf8("\x82\x83\x8A\x8C\x8E\x9A\x9C\x9E\x9F"), "‚ƒŠŒŽšœžŸ");
  EXPECT_EQ(Cp1252::FromUtf8("Zähler ≥ 10 € „ok“"), "Z\xE4hler ? 10 \x80 \x84ok\x93");
}

TEST(Cp1252Test, EveryByteSurvivesBothRoundTrips) {
  std::string bytes = AllBytes();
  EXPECT_EQ(Cp1252::FromUtf16(Cp1252::ToUtf16(bytes)), bytes);
  EXPECT_EQ(Cp1252::FromUtf8(Cp1252::ToUtf8(bytes)), bytes);
}

TEST(Cp1252Test, UndefinedBytesKeepTheirOwnCodePoint) {
  EXPECT_EQ(Cp1252::ToUtf16("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
  // The other C1 controls have no byte: 0x80 is the euro sign.
  EXPECT_EQ(Cp1252::FromUnicode(0x80), '?');
  EXPECT_EQ(Cp1252::FromUnicode(0x20AC), '\x80');
}

TEST(Cp1252Test, CharactersWithoutACodeBecomeOneQuestionMarkEach) {
  EXPECT_EQ(Cp1252::FromUtf16(u"a\u03A9b"), "a?b");
  EXPECT_EQ(Cp1252::FromUtf16(u"x\U0001F600y"), "x?y");
  EXPECT_EQ(Cp1252::FromUtf16(u"\xD800"), "?");  // lone surrogate
  EXPECT_EQ(Cp1252::FromUtf8("a\xC3"
                             "b"),
            "a?b");
  EXPECT_EQ(Cp1252::FromUtf8("\xC0\xAF"), "??");         // overlong
  EXPECT_EQ(Cp1252::FromUtf8("\xED\xA0\x80"), "???");    // encoded surrogate
  EXPECT_EQ(Cp1252::FromUtf8("\xF0\x9F\x98\x80"), "?");  // outside the plane
}

TEST(Cp1252Test, WellFormedUtf8IsRecognised) {
  for (const char* text : {"", "plain",
                           "Gr\xC3\xB6\xC3\x9F"
                           "e",
                           "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"}) {
    EXPECT_TRUE(Cp1252::IsUtf8(text)) << text;
  }
  for (const char* text :
       {"Gr\xF6\xDF"
        "e",
        "\xC3", "\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"}) {
    EXPECT_FALSE(Cp1252::IsUtf8(text)) << text;
  }
}
