#include "model/Display.h"

#include "model/DrawHelpers.h"

TPoint GetDisplayOrigin(TBlock& shown, Canvas& canvas, TDisplayOptions& options) {
  if (!options.Flowchart) return {15, 15};
  const int32_t width = shown.GetSize(canvas, options).w;
  return {width / 2 + 30, 15};
}

void DisplayStruktogramm(TBlock& shown, Canvas& canvas, TPoint origin, TDisplayOptions& options) {
  options.TopBlock = &shown;
  canvas.Brush.Color = options.OnScreen ? Colors::ScreenBackground : Colors::PrintBackground;
  if (options.Flowchart) {
    const auto [x, y] = origin;
    canvas.Ellipse(x - 2, y - 9, x + 3, y - 4);
    Line(canvas, x, y - 4, x, y);
  }
  const int32_t width = shown.GetSize(canvas, options).w;
  shown.Draw(canvas, origin, width, options);
}

PrintSettings::PrintSettings(Canvas& printer, TDisplayOptions& options) : options_(options) {
  options.OnScreen = 0;
  options.Spacing = printer.TextExtent("ja").h / 2;
  options.Printing = 1;
  printer.Pen.Width = 3;
}

PrintSettings::~PrintSettings() {
  options_.Spacing = 6;
  options_.Printing = 0;
  options_.OnScreen = 1;
}

void PrintStruktogramm(TBlock& shown, Canvas& printer, const std::string& caption,
                       TDisplayOptions& options) {
  printer.Font = TFont{"Times New Roman", 0, 12, Colors::Black};
  printer.TextOut(PrintHeadingX, PrintHeadingY, caption);
  PrintSettings settings(printer, options);
  TPoint origin = GetDisplayOrigin(shown, printer, options);
  origin.y = PrintDiagramTop;
  DisplayStruktogramm(shown, printer, origin, options);
}
