// Benchmarks of what a diagram window of 800 x 600 pixels does per paint, edit and click.
#include <QImage>
#include <QPainter>

#include "bench/BenchDesigns.h"
#include "model/Anweisung.h"
#include "model/Bedingung.h"
#include "model/DesignChange.h"
#include "model/Display.h"
#include "platform/qt/QtCanvas.h"

namespace {

constexpr int WindowWidth = 800;
constexpr int WindowHeight = 600;

// What a diagram window keeps between paints.
struct Window {
  QImage image{WindowWidth, WindowHeight, QImage::Format_RGB32};
  TDisplayOptions options;
  TPoint scroll;

  explicit Window(bool flowchart) {
    options.Flowchart = flowchart;
    options.Measures.Enabled = true;
  }

  // One paint event: background, display origin less the scroll offsets, the shown block,
  // then the scroll ranges.
  TSize Paint(TBlock& shown) {
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(245, 245, 245));
    QtCanvas canvas(painter);
    TPoint origin = GetDisplayOrigin(shown, canvas, options);
    origin.x -= scroll.x;
    origin.y -= scroll.y;
    DisplayStruktogramm(shown, canvas, origin, options);
    const TSize size = shown.GetSize(canvas, options);
    return {size.w + 50, size.h + 50};
  }

  void ScrollToBottom(TBlock& shown) {
    const TSize range = Paint(shown);
    scroll.y = std::max(0, range.h - WindowHeight);
  }
};

const char* ViewName(bool flowchart) { return flowchart ? "fc" : "sg"; }

void Repaint(benchmark::State& state, bool flowchart, DesignShape shape, int64_t n, bool bottom) {
  TBlock& root = SharedDesign(shape, n);
  Window window(flowchart);
  window.Paint(root);  // the window has been shown before: its fonts know the texts
  if (bottom) window.ScrollToBottom(root);
  for (auto _ : state) benchmark::DoNotOptimize(window.Paint(root));
}

// The editor makes its changes local, so that only what holds the new statement is measured.
void EditRepaint(benchmark::State& state, bool flowchart, DesignShape shape, int64_t n) {
  TBlock& root = SharedDesign(shape, n);
  Window window(flowchart);
  window.Paint(root);
  for (auto _ : state) {
    auto* statement = new TAnweisung("neu := 1");
    {
      DesignChange change;
      root.InsertElement(statement);
      change.Finish({&root});
    }
    benchmark::DoNotOptimize(window.Paint(root));
    state.PauseTiming();
    {
      DesignChange change;
      root.DeleteElement(statement);
      change.Finish({&root});
    }
    DisposeElement(statement);
    state.ResumeTiming();
  }
}

// The element a hit test has to search for longest, and a point inside it, in document
// coordinates: the last element of the innermost sequence reached by descending, in every
// sequence, into the last element that holds a non-empty one.
struct Target {
  TElement* element = nullptr;
  TPoint point;
};

// The branch or body block of element that is searched last, with its origin; null if none
// of its sequences holds anything.
TBlock* LastContent(TElement& element, TPoint& origin, Canvas& canvas, TDisplayOptions& options) {
  if (auto* block = dynamic_cast<TBlock*>(&element)) return block->Body ? block : nullptr;
  auto& structure = static_cast<TBedingung&>(element);
  for (int32_t i = structure.BranchCount; i >= 1; --i) {
    if (!structure.Branch(i)->Body) continue;
    origin = structure.GetBranchOrigin(canvas, origin, options, i);
    return structure.Branch(i);
  }
  return nullptr;
}

Target LastElement(TBlock& root, Canvas& canvas, TDisplayOptions& options) {
  TBlock* block = &root;
  TPoint blockOrigin = GetDisplayOrigin(root, canvas, options);
  for (;;) {
    TPoint origin = blockOrigin;
    if (options.Flowchart) origin.y += options.Spacing + 1;
    TElement* last = nullptr;
    TPoint lastOrigin;
    TBlock* inner = nullptr;
    TPoint innerOrigin;
    for (TElement* e = block->Body; e; e = e->Next) {
      last = e;
      lastOrigin = origin;
      TPoint contentOrigin = origin;
      if (e->ContentCount() > 0)
        if (TBlock* content = LastContent(*e, contentOrigin, canvas, options)) {
          inner = content;
          innerOrigin = contentOrigin;
        }
      origin.y += e->GetSize(canvas, options).h;
    }
    if (!inner) {
      const int32_t x = options.Flowchart ? lastOrigin.x : lastOrigin.x + 1;
      return {last, {x, lastOrigin.y + 1}};
    }
    block = inner;
    blockOrigin = innerOrigin;
  }
}

void HitTest(benchmark::State& state, bool flowchart, DesignShape shape, int64_t n) {
  TBlock& root = SharedDesign(shape, n);
  Window window(flowchart);
  QPainter painter(&window.image);
  QtCanvas canvas(painter);
  const Target target = LastElement(root, canvas, window.options);
  const TPoint origin = GetDisplayOrigin(root, canvas, window.options);
  TElement* hit = root.ElementAt(canvas, origin, window.options, target.point.x, target.point.y);
  if (hit != target.element) state.SkipWithError("the point does not hit the last element");
  for (auto _ : state) {
    hit = root.ElementAt(canvas, origin, window.options, target.point.x, target.point.y);
    benchmark::DoNotOptimize(hit);
  }
}

void RegisterPerView(const std::string& name,
                     const std::function<void(benchmark::State&, bool, DesignShape, int64_t)>& body,
                     benchmark::TimeUnit unit = benchmark::kMillisecond) {
  for (bool flowchart : {true, false})
    RegisterPerShape(
        name + "/" + ViewName(flowchart),
        [=](benchmark::State& state, DesignShape shape, int64_t n) {
          body(state, flowchart, shape, n);
        },
        unit);
}

const bool registered = [] {
  RegisterPerView("Repaint", [](auto& state, bool fc, DesignShape shape, int64_t n) {
    Repaint(state, fc, shape, n, false);
  });
  RegisterPerView("RepaintBottom", [](auto& state, bool fc, DesignShape shape, int64_t n) {
    Repaint(state, fc, shape, n, true);
  });
  RegisterPerView("EditRepaint", EditRepaint);
  RegisterPerView("HitTest", HitTest, benchmark::kMicrosecond);
  return true;
}();

}  // namespace
