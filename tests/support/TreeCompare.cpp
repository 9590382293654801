#include "tests/support/TreeCompare.h"

namespace {

std::string SequenceDifference(const TElement* a, const TElement* b, const std::string& at);

std::string FlagsDifference(const TElement& a, const TElement& b) {
  if (a.Movable != b.Movable) return "Movable";
  if (a.RecordTag() == 'B' &&
      static_cast<const TBlock&>(a).Braced != static_cast<const TBlock&>(b).Braced)
    return "Braced";
  if (const auto* loop = dynamic_cast<const TDoWhile*>(&a))
    if (loop->ContinueOnTrue != static_cast<const TDoWhile&>(b).ContinueOnTrue)
      return "ContinueOnTrue";
  return {};
}

std::string ElementDifference(const TElement& a, const TElement& b, const std::string& at) {
  if (&a == &b) return at + ": the same object in both";
  if (a.RecordTag() != b.RecordTag())
    return at + ": kind " + a.RecordTag() + " against " + b.RecordTag();
  if (a.Text != b.Text) return at + ": text \"" + a.Text + "\" against \"" + b.Text + "\"";
  if (std::string flag = FlagsDifference(a, b); !flag.empty()) return at + ": " + flag;
  if (a.ContentCount() != b.ContentCount()) return at + ": number of contents";
  for (int32_t i = 0; i < a.ContentCount(); ++i)
    if (std::string d =
            SequenceDifference(a.Content(i), b.Content(i), at + "/" + std::to_string(i));
        !d.empty())
      return d;
  return {};
}

// Positions read "/content.index" from the top, for example "/0.2/1.0".
std::string SequenceDifference(const TElement* a, const TElement* b, const std::string& at) {
  for (int index = 0; a || b; a = a->Next, b = b->Next, ++index) {
    const std::string here = at + "." + std::to_string(index);
    if (!a || !b) return here + ": one sequence ends here";
    if (std::string d = ElementDifference(*a, *b, here); !d.empty()) return d;
  }
  return {};
}

}  // namespace

std::string TreeDifference(const TElement* a, const TElement* b) {
  return SequenceDifference(a, b, "");
}
