// Benchmarks of --export-image: a whole design drawn as a PNG, SVG or PDF picture, with the
// size of the file it makes; and of "Als Bild kopieren": the design's PNG and SVG at full size
// in the structogram view put on the application's clipboard.
#include <algorithm>
#include <cmath>

#include "bench/BenchDesigns.h"
#include "platform/qt/MeasuringCanvas.h"
#include "platform/qt/QtClipboard.h"
#include "shell/ImageExport.h"
#include "shell/ShownBlockPicture.h"

namespace {

constexpr int64_t PictureSizes[] = {1000, 10000};

const char* FormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::Png:
      return "png";
    case PictureFormat::Svg:
      return "svg";
    case PictureFormat::Pdf:
      return "pdf";
  }
  return "";
}

// The largest scale up to 1 at which the format takes the structogram, as a user would choose
// it for a design too large for one picture.
double FittingScale(TBlock& root, PictureFormat format) {
  MeasuringCanvas measuring;
  TDisplayOptions options;
  SetPictureOptions(options, DiagramView::Structogram);
  const TSize size = LayoutDiagram(root, measuring.canvas(), options).Size;
  double scale = std::min({1.0, (MaxPictureSide - 1.0) / size.w, (MaxPictureSide - 1.0) / size.h});
  if (format == PictureFormat::Png) {
    const double pixels = static_cast<double>(size.w) * size.h;
    scale = std::min(scale, std::sqrt(0.99 * static_cast<double>(MaxPngPixels) / pixels));
  }
  return scale;
}

void Picture(benchmark::State& state, PictureFormat format, DesignShape shape, int64_t n) {
  TBlock& root = SharedDesign(shape, n);
  const double scale = FittingScale(root, format);
  qsizetype bytes = 0;
  for (auto _ : state) {
    const QByteArray file = RenderDiagram(root, format, DiagramView::Structogram, scale);
    bytes = file.size();
    benchmark::DoNotOptimize(file.constData());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["scale"] = scale;
}

void CopyPicture(benchmark::State& state, DesignShape shape, int64_t n) {
  TBlock& root = SharedDesign(shape, n);
  QtClipboard clipboard;
  double bytes = 0;
  for (auto _ : state) {
    QByteArray png, svg;
    try {
      png = RenderShownBlock(root, PictureFormat::Png, false, {});
      svg = RenderShownBlock(root, PictureFormat::Svg, false, {});
    } catch (const PictureError& error) {
      // As the editor does, a picture beyond the limits is refused.
      state.SkipWithError(error.what());
      break;
    }
    clipboard.SetFormats({{"image/png", png.toStdString()}, {"image/svg+xml", svg.toStdString()}});
    bytes = static_cast<double>(png.size() + svg.size());
  }
  state.counters["bytes"] = bytes;
}

const bool registered = [] {
  for (DesignShape shape : AllShapes)
    benchmark::RegisterBenchmark(
        (std::string("CopyPicture/") + ShapeName(shape) + "/1000").c_str(),
        [=](benchmark::State& state) { CopyPicture(state, shape, 1000); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  for (PictureFormat format : {PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf})
    for (DesignShape shape : AllShapes)
      for (int64_t n : PictureSizes)
        benchmark::RegisterBenchmark(
            (std::string("Picture/") + FormatName(format) + "/" + ShapeName(shape) + "/" +
             std::to_string(n))
                .c_str(),
            [=](benchmark::State& state) { Picture(state, format, shape, n); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
  return true;
}();

}  // namespace
