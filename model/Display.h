#pragma once

#include <string>
#include <vector>

#include "model/Block.h"

// Drawing of the block a diagram window shows, on the screen, on paper or into a picture.
// The caller copies the view choice into Options.Flowchart first.

// Where the shown block's origin lies in document coordinates: (15, 15) in the structogram
// view; in the flowchart view the top centre, 30 pixels right of the diagram's left edge.
TPoint GetDisplayOrigin(TBlock& shown, Canvas& canvas, TDisplayOptions& options);

// Draws the shown block without its successors, with the flowchart's start symbol above the
// origin, starting from the screen's grey brush or, off screen, from white.
void DisplayStruktogramm(TBlock& shown, Canvas& canvas, TPoint origin, TDisplayOptions& options);

// The settings for paper while it lives: no marks, no shades, white, thick pen, Spacing
// from the text height of "ja" on the printer canvas. Restores the screen settings after.
class PrintSettings {
 public:
  PrintSettings(Canvas& printer, TDisplayOptions& options);
  ~PrintSettings();
  PrintSettings(const PrintSettings&) = delete;
  PrintSettings& operator=(const PrintSettings&) = delete;

 private:
  TDisplayOptions& options_;
};

// The heading font of a printed page, which also sets the printout's spacing.
inline const TFont PrintFont{"Times New Roman", 0, 12, Colors::Black};

// The heading positions of a printed page.
constexpr int32_t PrintHeadingX = 10;
constexpr int32_t PrintHeadingY = 10;
constexpr int32_t PrintDiagramTop = 80;

// Prints the shown block with the window's caption as heading. The origin's x is measured on
// the printer canvas, so the printed diagram starts 30 printer pixels from the left edge.
void PrintStruktogramm(TBlock& shown, Canvas& printer, const std::string& caption,
                       TDisplayOptions& options);

// The room left free right of and below a printed diagram, as above and left of it.
constexpr int32_t PrintMargin = 15;

// The size of the printed diagram in window pixels, from the origin of the canvas to its
// right and bottom margins.
TSize PrintedExtent(TBlock& shown, Canvas& printer, TDisplayOptions& options);

// Draws the shown block with the printing options where the window would show it unscrolled.
void PrintDiagram(TBlock& shown, Canvas& printer, TDisplayOptions& options);

// The rows between the shown block's elements in the printed diagram, from top to bottom:
// where a page break cuts no element.
std::vector<int32_t> PrintedCuts(TBlock& shown, Canvas& printer, TDisplayOptions& options);
