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
  printer.Font = PrintFont;
  printer.TextOut(PrintHeadingX, PrintHeadingY, caption);
  PrintSettings settings(printer, options);
  TPoint origin = GetDisplayOrigin(shown, printer, options);
  origin.y = PrintDiagramTop;
  DisplayStruktogramm(shown, printer, origin, options);
}

TSize PrintedExtent(TBlock& shown, Canvas& printer, TDisplayOptions& options) {
  printer.Font = PrintFont;  // the spacing of a printout follows this font
  PrintSettings settings(printer, options);
  const TPoint origin = GetDisplayOrigin(shown, printer, options);
  const TSize size = shown.GetSize(printer, options);
  const int64_t right =
      options.Flowchart ? int64_t{origin.x} + size.w / 2 + size.w % 2 : int64_t{origin.x} + size.w;
  return BoundedSize({BoundedExtent(right + PrintMargin),
                      BoundedExtent(int64_t{origin.y} + size.h + PrintMargin)});
}

void PrintDiagram(TBlock& shown, Canvas& printer, TDisplayOptions& options) {
  printer.Font = PrintFont;  // the spacing of a printout follows this font
  PrintSettings settings(printer, options);
  DisplayStruktogramm(shown, printer, GetDisplayOrigin(shown, printer, options), options);
}

std::vector<int32_t> PrintedCuts(TBlock& shown, Canvas& printer, TDisplayOptions& options) {
  printer.Font = PrintFont;  // the spacing of a printout follows this font
  PrintSettings settings(printer, options);
  std::vector<int32_t> cuts;
  if (!shown.ShowsContents(options)) return cuts;
  int64_t y = GetDisplayOrigin(shown, printer, options).y;
  if (options.Flowchart) y += options.Spacing + 1;
  for (TElement* e = shown.Body; e && e->Next; e = e->Next) {
    y += e->GetSize(printer, options).h;
    cuts.push_back(BoundedExtent(y));
  }
  return cuts;
}
