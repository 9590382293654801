#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Struktteile.h"

// A compact text form of element trees, for building and comparing trees in tests.
//
// A sequence is its elements separated by blanks:
//   A(text)             statement
//   B(title)[body]      block
//   I(cond)[yes|no]     decision
//   W(cond)[body]       loop with the test before; F, D and R likewise for the counting,
//                       do-while and repeat-until loops
// Texts are written as they stand; in the notation a text's parentheses must balance, and
// "\" takes the next character literally. Branch blocks show only their bodies.

std::string RenderSequence(const TElement* first);
// The body of the block.
std::string RenderBody(const TBlock& block);

// Builds the sequence the notation describes; blocks written with B are made as a user makes
// them (Movable 1, Braced 1), branch blocks as the constructors make them.
// Throws std::invalid_argument for a malformed notation.
ElementPtr BuildSequence(std::string_view notation);
// A block with that title holding the sequence.
BlockPtr BuildBlock(std::string_view notation, std::string title = {});

// The number of elements in the sequence, without looking into them.
std::size_t SequenceLength(const TElement* first);
// The greatest number of blocks that an element of the block's body lies within, below
// the block (0 for a body of plain statements).
int32_t NestingDepth(const TBlock& block);
