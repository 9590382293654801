#pragma once

#include <string>

#include "model/Struktteile.h"

// Builds a design from program text in the C-like notation that ExportText writes, with
// keywords in any letter case: statements end with ";", "if (...)" with an optional "else",
// "while (...)", "for (init; condition; step)" and "do {...} while (...);", bodies as a single
// element or between braces.
//
// Always returns a new block with an empty title holding what the text yields; never fails
// on any input. Text it cannot place ends up in statement texts or is dropped. Bytes 00 and
// 01 are dropped everywhere. Nesting deeper than MaxNestingDepth is kept as plain
// statements. Throws only std::bad_alloc when memory runs out.
BlockPtr ParseProgram(const std::string& text);
