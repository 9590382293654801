#pragma once

#include <QByteArray>
#include <string>
#include <vector>

#include "model/Block.h"
#include "shell/CommandLine.h"
#include "shell/PictureWriter.h"

// A design drawn as a picture: the whole diagram as the first diagram window shows it at
// start, but for paper (white, no marks, no shades), with the margin the display origin
// leaves at the top left on every side.

// Where the shown block's origin lies in the picture, and the picture's size in pixels.
struct DiagramLayout {
  TPoint Origin;
  TSize Size;
};

// Sets options for a picture in the given view: nothing selected or collapsed, paper colours,
// the screen's spacing.
void SetPictureOptions(TDisplayOptions& options, DiagramView view);

// Measures the design on canvas, which carries the font the picture is drawn with.
DiagramLayout LayoutDiagram(TBlock& root, Canvas& canvas, TDisplayOptions& options);

// The bytes of a picture file of the design, or of the block shown in a window with the
// blocks it has collapsed. Throws PictureError.
QByteArray RenderDiagram(TBlock& root, PictureFormat format, DiagramView view, double scale,
                         const std::vector<TElement*>& collapsed = {});

// --export-image: reads the design at input and writes its picture to output, in the format
// output's extension names. Throws StreamError or PictureError.
void ExportImageFile(const std::string& input, const std::string& output, DiagramView view,
                     double scale);
