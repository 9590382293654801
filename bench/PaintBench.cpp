// Benchmarks of what a diagram window of 800 x 600 pixels does per paint, edit and click.
#include <QImage>
#include <QPainter>

#include "bench/BenchDesigns.h"
#include "model/Anweisung.h"
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

void EditRepaint(benchmark::State& state, bool flowchart, DesignShape shape, int64_t n) {
  TBlock& root = SharedDesign(shape, n);
  Window window(flowchart);
  window.Paint(root);
  for (auto _ : state) {
    auto* statement = new TAnweisung("neu := 1");
    root.InsertElement(statement);
    benchmark::DoNotOptimize(window.Paint(root));
    state.PauseTiming();
    root.DeleteElement(statement);
    DisposeElement(statement);
    state.ResumeTiming();
  }
}

// The last element of the root's body and a point inside it, in document coordinates.
struct Target {
  TElement* element = nullptr;
  TPoint point;
};

Target LastElement(TBlock& root, Canvas& canvas, TDisplayOptions& options) {
  TPoint origin = GetDisplayOrigin(root, canvas, options);
  if (options.Flowchart) origin.y += options.Spacing + 1;
  Target target;
  for (TElement* e = root.Body; e; e = e->Next) {
    target = {e, {options.Flowchart ? origin.x : origin.x + 1, origin.y + 1}};
    origin.y += e->GetSize(canvas, options).h;
  }
  return target;
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
                     const std::function<void(benchmark::State&, bool, DesignShape, int64_t)>& body) {
  for (bool flowchart : {true, false})
    RegisterPerShape(name + "/" + ViewName(flowchart),
                     [=](benchmark::State& state, DesignShape shape, int64_t n) {
                       body(state, flowchart, shape, n);
                     });
}

const bool registered = [] {
  RegisterPerView("Repaint", [](auto& state, bool fc, DesignShape shape, int64_t n) {
    Repaint(state, fc, shape, n, false);
  });
  RegisterPerView("RepaintBottom", [](auto& state, bool fc, DesignShape shape, int64_t n) {
    Repaint(state, fc, shape, n, true);
  });
  RegisterPerView("EditRepaint", EditRepaint);
  RegisterPerView("HitTest", HitTest);
  return true;
}();

}  // namespace
