#include "tests/support/RandomDesign.h"

namespace {

void Collect(TElement* first, std::vector<TElement*>& all) {
  for (TElement* e = first; e; e = e->Next) {
    all.push_back(e);
    for (int32_t i = 0; i < e->ContentCount(); ++i) Collect(e->Content(i), all);
  }
}

}  // namespace

RandomDesign::RandomDesign(unsigned seed, int elements)
    : random_(seed), root_(new TBlock("gesamtes Programm")) {
  root_->Movable = 0;
  root_->Braced = 0;
  for (int i = 0; i < elements; ++i) InsertRandom();
}

std::size_t RandomDesign::Number(std::size_t below) {
  return std::uniform_int_distribution<std::size_t>(0, below - 1)(random_);
}

std::string RandomDesign::Text() { return std::string(Number(25), char('a' + Number(26))); }

TElement* RandomDesign::NewElement() {
  switch (Number(7)) {
    case 0:
      return new TIf(Text());
    case 1:
      return new TWhile(Text());
    case 2:
      return new TFor(Text());
    case 3:
      return new TDoWhile(Text());
    case 4:
      return new TRepeat(Text());
    case 5:
      return new TBlock(Text());
    default:
      return new TAnweisung(Text());
  }
}

TElement* RandomDesign::Pick() {
  const auto all = TreeElements(root_.get());
  return all[Number(all.size())];
}

void RandomDesign::InsertRandom() { Pick()->InsertElement(NewElement()); }

std::vector<TElement*> TreeElements(TElement* top) {
  std::vector<TElement*> all{top};
  for (int32_t i = 0; i < top->ContentCount(); ++i) Collect(top->Content(i), all);
  return all;
}
