#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "model/Struktteile.h"

// Seeded random designs for tests: every kind of element, nested, built with the tree
// operations as a user builds them.
class RandomDesign {
 public:
  explicit RandomDesign(unsigned seed, int elements = 40);

  TBlock& root() { return *root_; }
  std::mt19937& random() { return random_; }

  // A number from 0 to below - 1.
  std::size_t Number(std::size_t below);
  // A run of one letter, 0 to 24 long.
  std::string Text();
  // A new element of a random kind with a random text.
  TElement* NewElement();
  // A random element of the design, the root included.
  TElement* Pick();
  void InsertRandom();

 private:
  std::mt19937 random_;
  BlockPtr root_;
};

// Every element of the tree below and including top (its successors left out), in
// reading order.
std::vector<TElement*> TreeElements(TElement* top);
