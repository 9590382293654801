#include "shell/ImageExport.h"

#include <QPainter>

#include "model/Display.h"
#include "platform/qt/MeasuringCanvas.h"
#include "platform/qt/QtCanvas.h"
#include "shell/Conversions.h"
#include "shell/ShownBlockPicture.h"

namespace {

// The pixels the diagram covers. A structogram's outer box has its bottom border on the row
// origin.y + H; a flowchart's frame has its right edge on the column origin.x + W/2, and its
// exit line ends on the row origin.y + H - 1.
TRect DiagramBox(TPoint origin, TSize measured, bool flowchart) {
  if (!flowchart) {
    return {origin.x, origin.y, origin.x + measured.w, origin.y + measured.h + 1};
  }
  return {origin.x - measured.w / 2, origin.y, origin.x + measured.w / 2 + 1,
          origin.y + measured.h};
}

}  // namespace

void SetPictureOptions(TDisplayOptions& options, DiagramView view) {
  options.Flowchart = view == DiagramView::Flowchart ? 1 : 0;
  options.OnScreen = 0;
  options.Printing = 0;
  options.Spacing = 6;
  options.Measures.Enabled = true;
}

DiagramLayout LayoutDiagram(TBlock& root, Canvas& canvas, TDisplayOptions& options) {
  const TPoint origin = GetDisplayOrigin(root, canvas, options);
  const TRect box = DiagramBox(origin, root.GetSize(canvas, options), options.Flowchart);
  // The margins right and below repeat those left and above.
  return {origin, {box.Right + box.Left, box.Bottom + box.Top}};
}

QByteArray RenderDiagram(TBlock& root, PictureFormat format, DiagramView view, double scale,
                         const std::vector<TElement*>& collapsed) {
  TDisplayOptions options;
  SetPictureOptions(options, view);
  for (TElement* block : collapsed) options.ToggleCollapsed(block);
  DiagramLayout layout;
  {
    MeasuringCanvas measuring;
    layout = LayoutDiagram(root, measuring.canvas(), options);
  }
  return RenderPicture(format, QSize(layout.Size.w, layout.Size.h), scale, [&](QPainter& painter) {
    QtCanvas canvas(painter);
    DisplayStruktogramm(root, canvas, layout.Origin, options);
  });
}

QByteArray RenderShownBlock(TBlock& shown, PictureFormat format, bool flowchart,
                            const std::vector<TElement*>& collapsed) {
  const DiagramView view = flowchart ? DiagramView::Flowchart : DiagramView::Structogram;
  return RenderDiagram(shown, format, view, 1.0, collapsed);
}

void ExportImageFile(const std::string& input, const std::string& output, DiagramView view,
                     double scale) {
  const auto format = PictureFormatOf(output);
  if (!format) {
    throw PictureError("Unbekanntes Bildformat: " + output +
                       " (erlaubt sind Dateien mit .png, .svg oder .pdf)");
  }
  BlockPtr root = LoadDesignFile(input);
  QByteArray bytes;
  try {
    bytes = RenderDiagram(*root, *format, view, scale);
  } catch (const PictureTooLarge& tooLarge) {
    // On the command line a smaller scale is the way out.
    throw PictureTooLarge(std::string(tooLarge.what()) + " (mit --scale kleiner zeichnen)");
  }
  WriteOutputBytes(output, std::string_view(bytes.constData(), bytes.size()));
}
