#pragma once

#include <string>

#include "model/Struktteile.h"

// Compares two sequences and everything below them element by element: kinds, texts,
// Movable, Braced, ContinueOnTrue and structure, branch blocks included. Yields an empty
// string when they are equal and made of distinct objects, otherwise where they first differ.
std::string TreeDifference(const TElement* a, const TElement* b);
