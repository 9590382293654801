// Frames whose contents cover them are not filled first: the structogram's pixels stay exactly
// those of a drawing that fills every frame, for pictures, printouts and the screen.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <utility>

#include "model/Display.h"
#include "platform/qt/MeasuringCanvas.h"
#include "platform/qt/QtCanvas.h"
#include "shell/ImageExport.h"
#include "tests/support/TreeText.h"

namespace {

// Fills every rectangle it outlines, as drawing did before covered fills were left out.
class FillsEveryFrame : public QtCanvas {
 public:
  using QtCanvas::QtCanvas;
  void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) override {
    const BrushStyle style = std::exchange(Brush.Style, BrushStyle::Solid);
    QtCanvas::Rectangle(l, t, r, b);
    Brush.Style = style;
  }
};

enum class Mode { Picture, Printing, Screen };

template <typename DrawingCanvas>
QImage Draw(TBlock& root, Mode mode, const std::vector<TElement*>& collapsed) {
  TDisplayOptions options;
  SetPictureOptions(options, DiagramView::Structogram);
  options.OnScreen = mode == Mode::Screen;
  options.Printing = mode == Mode::Printing;
  for (TElement* block : collapsed) options.ToggleCollapsed(block);
  MeasuringCanvas measuring;
  const DiagramLayout layout = LayoutDiagram(root, measuring.canvas(), options);
  QImage image(layout.Size.w, layout.Size.h, QImage::Format_RGB32);
  image.fill(Qt::green);  // any pixel left unpainted shows
  QPainter painter(&image);
  DrawingCanvas canvas(painter);
  if (mode == Mode::Printing) canvas.Pen.Width = 3;
  DisplayStruktogramm(root, canvas, layout.Origin, options);
  return image;
}

// Every third block, to be collapsed: its frame has nothing drawn inside.
void EveryThirdBlock(TElement* e, int& count, std::vector<TElement*>& blocks) {
  for (; e; e = e->Next) {
    if (dynamic_cast<TBlock*>(e) && ++count % 3 == 0) blocks.push_back(e);
    for (int32_t i = 0; i < e->ContentCount(); ++i) EveryThirdBlock(e->Content(i), count, blocks);
  }
}

// Every kind of structure nested depth deep, with statements before and after, decisions with
// branches of unequal height and conditions wider than their contents.
std::string Nested(int depth) {
  const std::string wide = "I(eine sehr lange Bedingung, breiter als der Inhalt)[|A(nein) ";
  const std::string openings[] = {
      "W(w)[", "I(x > 0)[A(ja) A(2)|", "D(d)[", "F(f)[", "R(r)[", "B(b)[", wide};
  std::string design = "A(innen)";
  for (int level = depth - 1; level >= 0; --level)
    design = "A(vor " + std::to_string(level) + ") " + openings[level % std::size(openings)] +
             design + "] A(nach)";
  return design;
}

TEST(CoveredFill, KeepsEveryPixelOfFillingEveryFrame) {
  for (const std::string& design :
       {Nested(40), std::string("W(w)[] I(i)[|] D(d)[] F(f)[] R(r)[] B(b)[]"),
        std::string("I(a)[A(1) A(2) A(3)|] I(b)[|W(c)[A(4) A(5)]] I(c)[B(x)[A(6)]|A(7)]")}) {
    BlockPtr root = BuildBlock(design, "gesamtes Programm");
    std::vector<TElement*> collapsed;
    int count = 0;
    EveryThirdBlock(root->Body, count, collapsed);
    ASSERT_FALSE(collapsed.empty());
    for (const Mode mode : {Mode::Picture, Mode::Printing, Mode::Screen})
      for (const auto& folded : {std::vector<TElement*>{}, collapsed})
        EXPECT_TRUE(Draw<QtCanvas>(*root, mode, folded) ==
                    Draw<FillsEveryFrame>(*root, mode, folded))
            << design.substr(0, 30) << " mode " << int(mode) << " folded " << folded.size();
  }
}

}  // namespace
