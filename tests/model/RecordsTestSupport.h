#pragma once

// Saving, loading and comparing whole designs for the file record tests.

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "platform/MemoryStream.h"
#include "tests/model/ModelTestSupport.h"

namespace recordtest {

using namespace modeltest;

// Bytes are written out with their hex escapes; this keeps the 00 of a literal.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

inline std::string Save(const TBlock& root) {
  MemoryStream stream;
  SaveRootBlock(root, stream);
  return stream.Bytes();
}

inline BlockPtr Load(const std::string& bytes) {
  MemoryStream stream(bytes);
  return LoadRootBlock(stream);
}

// The message of the StreamError that loading bytes throws, or "" when it loads.
inline std::string LoadError(const std::string& bytes) {
  try {
    Load(bytes);
  } catch (const StreamError& error) {
    return error.what();
  }
  return "";
}

// Expects two trees to agree in every stored and derived field: kind, texts, flags,
// branches, bodies and successors.
inline void ExpectSameTree(const TElement* expected, const TElement* actual,
                           const std::string& path = "root") {
  int index = 0;
  for (; expected || actual; expected = expected->Next, actual = actual->Next, ++index) {
    const std::string here = path + "/" + std::to_string(index);
    ASSERT_NE(expected, nullptr) << here << ": unexpected element \"" << actual->Text << "\"";
    ASSERT_NE(actual, nullptr) << here << ": missing \"" << expected->Text << "\"";
    ASSERT_EQ(typeid(*expected), typeid(*actual)) << here;
    EXPECT_EQ(expected->Text, actual->Text) << here;
    EXPECT_EQ(expected->Movable, actual->Movable) << here;
    if (auto* block = dynamic_cast<const TBlock*>(expected)) {
      auto* other = static_cast<const TBlock*>(actual);
      EXPECT_EQ(block->Braced, other->Braced) << here;
      ExpectSameTree(block->Body, other->Body, here + "/body");
    }
    if (auto* loop = dynamic_cast<const TDoWhile*>(expected)) {
      EXPECT_EQ(loop->ContinueOnTrue, static_cast<const TDoWhile*>(actual)->ContinueOnTrue) << here;
    }
    if (auto* condition = dynamic_cast<const TBedingung*>(expected)) {
      auto* other = static_cast<const TBedingung*>(actual);
      ASSERT_EQ(condition->BranchCount, other->BranchCount) << here;
      for (int i = 0; i < condition->BranchCount; ++i) {
        ASSERT_NE(other->Branches[i], nullptr) << here;
        EXPECT_EQ(other->Branches[i]->Next, nullptr) << here << ": branch with a successor";
        ExpectSameTree(condition->Branches[i], other->Branches[i],
                       here + "/branch" + std::to_string(i + 1));
      }
    }
  }
}

// A root block "gesamtes Programm" holding the statement x := 1 and the decision x > 0,
// whose yes-branch holds y := 2 and whose no-branch is empty.
inline BlockPtr SmallDesign() {
  auto* decision = new TIf("x > 0");
  decision->Branch(1)->Body = Stmt("y := 2");
  return Root({Stmt("x := 1"), decision});
}

// Separate literals keep a hex escape from swallowing the letter after it.
inline const std::string SmallDesignBytes = Bytes(
    "B:gesamtes Programm"
    "\x01"
    "A:x := 1"
    "\x01"
    "I:x > 0"
    "\x01"
    "B:Ja-Block"
    "\x01"
    "A:y := 2"
    "\x01"
    "\x02\x02\x02\x02"
    "B:Nein-Block"
    "\x01"
    "\x02\x02\x02\x02\x02\x02");

inline int CountSequence(const TElement* first) {
  int count = 0;
  for (; first; first = first->Next) ++count;
  return count;
}

}  // namespace recordtest
