// Damaged, unusual and very large design files: what loads, what is refused, and that
// nothing is lost or leaked on the way.

#include <algorithm>
#include <cstdio>

#include "tests/model/RecordsTestSupport.h"

using namespace modeltest;
using namespace recordtest;

namespace {

// Offsets in SmallDesignBytes: the root's title ends with its 01 at 19, x := 1 at 28, the
// no-branch's title at 73.
constexpr std::size_t kRootTitleEnd = 20, kFirstStatementEnd = 29, kNoBranchTitleEnd = 74;

TEST(RecordsRobustnessTest, FileCutAtAnyPointLoadsWhatIsCompleteOrFailsWithTheReadError) {
  BlockPtr full = SmallDesign();
  BlockPtr empty = Root();
  BlockPtr first = Root({Stmt("x := 1")});

  for (std::size_t n = 0; n <= SmallDesignBytes.size(); ++n) {
    SCOPED_TRACE("cut after " + std::to_string(n) + " bytes");
    const std::string bytes = SmallDesignBytes.substr(0, n);
    // A cut where a tag is due ends the sequence; a cut inside a text, or before a branch
    // block that must follow, fails.
    const TBlock* expected = n >= kNoBranchTitleEnd        ? full.get()
                             : n >= kFirstStatementEnd + 2 ? nullptr
                             : n >= kFirstStatementEnd     ? first.get()
                             : n >= kRootTitleEnd + 2      ? nullptr
                             : n >= kRootTitleEnd          ? empty.get()
                                                           : nullptr;
    if (expected) {
      ExpectSameTree(expected, Load(bytes).get());
    } else {
      EXPECT_EQ(LoadError(bytes), StreamMessages::ReadError);
    }
  }
}

TEST(RecordsRobustnessTest, UnknownTagEndsItsSequenceAndReadingGoesOnAfterIt) {
  // "X:" ends the named block's body; the statement after it follows the block. The second
  // byte of a tag is never looked at.
  const std::string bytes = Bytes(
      "B:r\x01"
      "B:Teil\x01"
      "A?innen\x01"
      "X:"
      "A:danach\x01\x02\x02");
  BlockPtr expected = Root({Block("Teil", {Stmt("innen")}), Stmt("danach")});
  expected->Text = "r";
  ExpectSameTree(expected.get(), Load(bytes).get());
}

TEST(RecordsRobustnessTest, ZeroBytesInAStoredTextAreDropped) {
  const std::string bytes = Bytes(
      "B:\x00r\x00\x01"
      "A:a\x00"
      "b\x00\x01\x02\x02");
  BlockPtr loaded = Load(bytes);
  EXPECT_EQ(loaded->Text, "r");
  ASSERT_NE(loaded->Body, nullptr);
  EXPECT_EQ(loaded->Body->Text, "ab");
}

TEST(RecordsRobustnessTest, FramingBytesInTextsAreLeftOutWhenWriting) {
  const std::string dirty = Bytes(
      "\x01"
      "a\x01"
      "b\x00"
      "c\x01");
  auto* loop = new TWhile(dirty);
  loop->Branch(1)->Text = dirty;
  BlockPtr root = Root({Stmt(dirty), loop});
  root->Text = dirty;

  EXPECT_EQ(Save(*root), Bytes("B:abc\x01"
                               "A:abc\x01"
                               "W:abc\x01"
                               "B:abc\x01\x02\x02\x02\x02\x02\x02"));
  EXPECT_EQ(Load(Save(*root))->Body->Text, "abc");
}

TEST(RecordsRobustnessTest, BranchBlocksNeverTakeSuccessorsFromADamagedFile) {
  const std::string bytes = Bytes(
      "B:r\x01"
      "I:c\x01"
      "B:Ja-Block\x01\x02\x02"
      "A:verirrt\x01"
      "B:auch\x01\x02\x02\x02\x02"
      "B:Nein-Block\x01\x02\x02\x02\x02"
      "W:w\x01"
      "B:While-Block\x01\x02\x02"
      "I:verirrt\x01"
      "B:Ja-Block\x01\x02\x02\x02\x02"
      "B:Nein-Block\x01\x02\x02\x02\x02\x02\x02"
      "A:danach\x01\x02\x02");
  BlockPtr expected = Root({new TIf("c"), new TWhile("w"), Stmt("danach")});
  expected->Text = "r";
  ExpectSameTree(expected.get(), Load(bytes).get());
}

TEST(RecordsRobustnessTest, BytesAfterTheRootsRecordAreIgnored) {
  BlockPtr expected = Root({Stmt("a")});
  const std::string bytes = Save(*expected) + Bytes(
                                                  "A:mehr\x01"
                                                  "B:x\x01\x02\x02");
  BlockPtr loaded = Load(bytes);
  ExpectSameTree(expected.get(), loaded.get());
  EXPECT_EQ(loaded->Next, nullptr);
}

TEST(RecordsRobustnessTest, FailedWriteReportsTheWriteError) {
  // Accepts a few bytes, then nothing more, as a full disk does.
  class FullStream : public MemoryStream {
   public:
    std::size_t Write(const void* buffer, std::size_t count) override {
      const std::size_t room = Bytes().size() < 10 ? 10 - Bytes().size() : 0;
      return MemoryStream::Write(buffer, std::min(count, room));
    }
  } stream;
  BlockPtr root = Root({Stmt("x := 1")});
  try {
    SaveRootBlock(*root, stream);
    FAIL() << "saving into a full stream succeeded";
  } catch (const StreamError& error) {
    EXPECT_STREQ(error.what(), StreamMessages::WriteError);
  }
}

// Texts of every length are stored whole and read back unchanged, wherever they stand.
class LongTextTest : public testing::TestWithParam<std::size_t> {
 protected:
  static std::string TextOfLength(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text.push_back(static_cast<char>(2 + i % 254));
    return text;
  }
};

TEST_P(LongTextTest, IsStoredWholeAndReadsBackEqual) {
  const std::string text = TextOfLength(GetParam());
  BlockPtr root = Root({Stmt(text)});
  const std::string bytes = Save(*root);
  EXPECT_EQ(bytes, Bytes("B:gesamtes Programm\x01") + "A:" + text + Bytes("\x01\x02\x02"));
  ExpectSameTree(root.get(), Load(bytes).get());
}

TEST_P(LongTextTest, TitlesAndConditionsReadBackEqual) {
  const std::string text = TextOfLength(GetParam());
  auto* decision = new TIf(text);
  decision->Branch(2)->Text = text;
  auto* counting = new TFor(text);
  counting->Branch(1)->Body = Stmt(text);
  BlockPtr root = Root({decision, Block(text, {counting})});
  root->Text = text;
  ExpectSameTree(root.get(), Load(Save(*root)).get());
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongTextTest,
                         testing::Values(100, 101, 255, 256, 257, 300, 100000));

// A chain of nested blocks, each one level below the last, as a file stores it.
std::string NestedBlocksBytes(int levels) {
  std::string bytes = Bytes("B:r\x01");
  for (int i = 0; i < levels; ++i) bytes += Bytes("B:x\x01");
  for (int i = 0; i <= levels; ++i) bytes += Bytes("\x02\x02");
  return bytes;
}

TEST(RecordsRobustnessTest, NestingUpToTheBoundLoadsAndDeeperIsRefused) {
  BlockPtr deepest = Load(NestedBlocksBytes(MaxNestingDepth));
  EXPECT_EQ(NestingDepth(*deepest->Body), MaxNestingDepth);
  EXPECT_EQ(Save(*deepest), NestedBlocksBytes(MaxNestingDepth));

  EXPECT_EQ(LoadError(NestedBlocksBytes(MaxNestingDepth + 1)), TooDeepMessage);
}

// Puts into block the element that opens the next level and returns the block on that
// level: a named block, a decision's branch or a loop's body, in turn.
TBlock* OpenLevel(TBlock* block, int level) {
  TElement* element = nullptr;
  TBlock* inner = nullptr;
  if (level % 3 == 0) {
    inner = Block("n");
    element = inner;
  } else if (level % 3 == 1) {
    auto* decision = new TIf("c");
    inner = decision->Branch(level % 2 + 1);
    element = decision;
  } else {
    auto* loop = new TRepeat("c");
    inner = loop->Branch(1);
    element = loop;
  }
  Fill(block, {Stmt("davor"), element});
  return inner;
}

BlockPtr NestedStructures(int levels) {
  BlockPtr root = Root();
  TBlock* inner = root.get();
  for (int level = 1; level <= levels; ++level) inner = OpenLevel(inner, level);
  return root;
}

TEST(RecordsRobustnessTest, BranchesBodiesAndNamedBlocksAllCountTowardsTheBound) {
  BlockPtr atBound = NestedStructures(MaxNestingDepth);
  ASSERT_EQ(NestingDepth(*atBound->Body), MaxNestingDepth);
  ExpectSameTree(atBound.get(), Load(Save(*atBound)).get());

  // What could not be opened again is not saved: the design stays, nothing is written.
  BlockPtr beyond = NestedStructures(MaxNestingDepth + 1);
  MemoryStream stream;
  try {
    SaveRootBlock(*beyond, stream);
    ADD_FAILURE() << "a design beyond the bound was saved";
  } catch (const StreamError& error) {
    EXPECT_STREQ(error.what(), TooDeepToSaveMessage);
  }
  EXPECT_TRUE(stream.Bytes().empty());
}

TEST(RecordsRobustnessTest, TheBoundIsPerPathNotForTheWholeFile) {
  // Two nestings at the bound side by side: the levels of the first are left behind.
  const std::string one = NestedBlocksBytes(MaxNestingDepth);
  const std::string inner = one.substr(4, one.size() - 6);  // without "B:r" 01 and the end
  BlockPtr loaded = Load(Bytes("B:r\x01") + inner + inner + Bytes("\x02\x02"));
  EXPECT_EQ(CountSequence(loaded->Body), 2);
  EXPECT_EQ(NestingDepth(*loaded->Body), MaxNestingDepth);
}

TEST(RecordsRobustnessTest, MillionStatementsSaveAndLoadBack) {
  constexpr int kCount = 1000000;
  auto Name = [](int i) {
    char text[16];
    std::snprintf(text, sizeof text, "s%06d", i);
    return std::string(text);
  };
  BlockPtr root = Root();
  TElement* tail = nullptr;
  for (int i = 0; i < kCount; ++i) {
    TElement* statement = Stmt(Name(i));
    (tail ? tail->Next : root->Body) = statement;
    tail = statement;
  }

  const std::string bytes = Save(*root);
  // Title record, one record of "A:" + seven characters + 01 each, the root's end marker.
  EXPECT_EQ(bytes.size(), 20u + kCount * 10u + 2u);

  // Cut inside the last text: the whole chain read so far is given up.
  EXPECT_EQ(LoadError(bytes.substr(0, bytes.size() - 3)), StreamMessages::ReadError);

  BlockPtr loaded = Load(bytes);
  EXPECT_EQ(CountSequence(loaded->Body), kCount);
  const TElement* e = loaded->Body;
  for (int i = 0; e; e = e->Next, ++i) {
    if (i == 0 || i == 1 || i == kCount / 2 || i == kCount - 1) {
      EXPECT_EQ(e->Text, Name(i));
    }
  }
}

}  // namespace
