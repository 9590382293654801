#pragma once

#include <cstdint>

#include "model/Block.h"

// Generated designs of about n elements (statements, decisions, loops and named blocks;
// branch and body blocks not counted) for the benchmarks.
enum class DesignShape { Flat, Nested, Deep };

// flat: n statements in the root block.
// nested: decisions, loops of every kind, named blocks and statements, about 8 levels deep.
// deep: 200 structures nested within each other, the rest statements spread over the levels.
BlockPtr GenerateDesign(DesignShape shape, int64_t n);

const char* ShapeName(DesignShape shape);
