#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "bench/DesignGenerator.h"

// The design of a shape and size, generated once per run and shared by the benchmarks.
TBlock& SharedDesign(DesignShape shape, int64_t n);

constexpr DesignShape AllShapes[] = {DesignShape::Flat, DesignShape::Nested, DesignShape::Deep};
constexpr int64_t AllSizes[] = {1000, 10000, 100000};

// Registers name/shape/n for every shape and size, reported in real time.
void RegisterPerShape(const std::string& name,
                      const std::function<void(benchmark::State&, DesignShape, int64_t)>& body,
                      benchmark::TimeUnit unit = benchmark::kMillisecond);
