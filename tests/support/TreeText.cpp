#include "tests/support/TreeText.h"

#include <algorithm>
#include <stdexcept>

namespace {

const TBedingung* AsStructure(const TElement& element) {
  return dynamic_cast<const TBedingung*>(&element);
}

void RenderElement(const TElement& element, std::string& out) {
  out += element.RecordTag();
  out += '(' + element.Text + ')';
  if (const auto* block = dynamic_cast<const TBlock*>(&element)) {
    out += '[' + RenderSequence(block->Body) + ']';
  } else if (const TBedingung* structure = AsStructure(element)) {
    out += '[';
    for (int32_t i = 0; i < structure->BranchCount; ++i) {
      if (i > 0) out += '|';
      out += RenderSequence(structure->Branches[i]->Body);
    }
    out += ']';
  }
}

// Reads the notation from the front of a string_view.
class NotationReader {
 public:
  explicit NotationReader(std::string_view notation) : rest_(notation) {}

  ElementPtr Sequence() {
    ElementPtr first;
    TElement* last = nullptr;
    for (SkipBlanks(); !rest_.empty() && rest_[0] != ']' && rest_[0] != '|'; SkipBlanks()) {
      TElement* element = Element().release();
      if (last)
        last->Next = element;
      else
        first.reset(element);
      last = element;
    }
    return first;
  }

  bool AtEnd() {
    SkipBlanks();
    return rest_.empty();
  }

 private:
  [[noreturn]] void Fail(const char* what) const {
    throw std::invalid_argument(std::string(what) + " at: " + std::string(rest_));
  }

  void SkipBlanks() {
    while (!rest_.empty() && rest_[0] == ' ') rest_.remove_prefix(1);
  }

  void Expect(char c) {
    if (rest_.empty() || rest_[0] != c) Fail("expected a different character");
    rest_.remove_prefix(1);
  }

  std::string Text() {
    Expect('(');
    std::string text;
    int depth = 0;
    for (;;) {
      if (rest_.empty()) Fail("unclosed text");
      char c = rest_[0];
      rest_.remove_prefix(1);
      if (c == '\\' && !rest_.empty()) {
        c = rest_[0];
        rest_.remove_prefix(1);
      } else if (c == '(') {
        ++depth;
      } else if (c == ')') {
        if (depth-- == 0) return text;
      }
      text += c;
    }
  }

  void Branch(TBlock& branch) { branch.Body = Sequence().release(); }

  ElementPtr Element() {
    const char tag = rest_[0];
    rest_.remove_prefix(1);
    std::string text = Text();
    if (tag == 'A') return ElementPtr(new TAnweisung(std::move(text)));
    if (tag == 'B') {
      BlockPtr block(new TBlock(std::move(text)));
      Expect('[');
      block->Body = Sequence().release();
      Expect(']');
      return block;
    }
    TBedingung* structure = nullptr;
    switch (tag) {
      case 'I':
        structure = new TIf(std::move(text));
        break;
      case 'W':
        structure = new TWhile(std::move(text));
        break;
      case 'F':
        structure = new TFor(std::move(text));
        break;
      case 'D':
        structure = new TDoWhile(std::move(text));
        break;
      case 'R':
        structure = new TRepeat(std::move(text));
        break;
      default:
        Fail("unknown element tag");
    }
    ElementPtr result(structure);
    Expect('[');
    for (int32_t i = 0; i < structure->BranchCount; ++i) {
      if (i > 0) Expect('|');
      Branch(*structure->Branches[i]);
    }
    Expect(']');
    return result;
  }

  std::string_view rest_;
};

int32_t SequenceDepth(const TElement* first) {
  int32_t deepest = 0;
  for (const TElement* e = first; e; e = e->Next) {
    if (const auto* block = dynamic_cast<const TBlock*>(e)) {
      if (block->Body) deepest = std::max(deepest, 1 + SequenceDepth(block->Body));
    } else if (const TBedingung* structure = AsStructure(*e)) {
      for (int32_t i = 0; i < structure->BranchCount; ++i)
        if (structure->Branches[i]->Body)
          deepest = std::max(deepest, 1 + SequenceDepth(structure->Branches[i]->Body));
    }
  }
  return deepest;
}

}  // namespace

std::string RenderSequence(const TElement* first) {
  std::string out;
  for (const TElement* e = first; e; e = e->Next) {
    if (e != first) out += ' ';
    RenderElement(*e, out);
  }
  return out;
}

std::string RenderBody(const TBlock& block) { return RenderSequence(block.Body); }

ElementPtr BuildSequence(std::string_view notation) {
  NotationReader reader(notation);
  ElementPtr sequence = reader.Sequence();
  if (!reader.AtEnd()) throw std::invalid_argument("trailing notation");
  return sequence;
}

BlockPtr BuildBlock(std::string_view notation, std::string title) {
  BlockPtr block(new TBlock(std::move(title)));
  block->Body = BuildSequence(notation).release();
  return block;
}

std::size_t SequenceLength(const TElement* first) {
  std::size_t n = 0;
  for (; first; first = first->Next) ++n;
  return n;
}

int32_t NestingDepth(const TBlock& block) { return SequenceDepth(block.Body); }
