// Frames whose contents cover them are not filled first: the structogram's pixels must stay
// exactly those of a drawing that fills every frame, on deep and uneven designs, for pictures,
// printouts and the screen.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

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
    const BrushStyle style = Brush.Style;
    Brush.Style = BrushStyle::Solid;
    QtCanvas::Rectangle(l, t, r, b);
    Brush.Style = style;
  }
};

enum class Mode { Picture, Printing, Screen };

void SetMode(TDisplayOptions& options, Mode mode) {
  SetPictureOptions(options, DiagramView::Structogram);
  options.OnScreen = mode == Mode::Screen;
  options.Printing = mode == Mode::Printing;
}

template <typename DrawingCanvas>
QImage Draw(TBlock& root, Mode mode, const std::vector<TElement*>& collapsed) {
  TDisplayOptions options;
  SetMode(options, mode);
  for (TElement* block : collapsed) options.ToggleCollapsed(block);
  DiagramLayout layout;
  {
    MeasuringCanvas measuring;
    layout = LayoutDiagram(root, measuring.canvas(), options);
  }
  QImage image(layout.Size.w, layout.Size.h, QImage::Format_RGB32);
  image.fill(Qt::green);  // any pixel left unpainted shows
  QPainter painter(&image);
  DrawingCanvas canvas(painter);
  if (mode == Mode::Printing) canvas.Pen.Width = 3;
  DisplayStruktogramm(root, canvas, layout.Origin, options);
  return image;
}

// Nests every kind of structure depth times inside one another, with statements before and
// after, decisions with branches of unequal height and conditions wider than their contents.
std::string Nested(int depth) {
  static const char* const Openings[] = {"W(solange die Bedingung gilt)[", "I(x > 0)[A(ja) A(noch eins)|",
                                        "D(d)[", "F(i von 1 bis 10)[", "R(r)[", "B(Block)[",
                                        "I(eine sehr lange Bedingung, breiter als der Inhalt)[|A(nein) "};
  std::string design = "A(innen)";
  for (int level = depth - 1; level >= 0; --level) {
    design = "A(vor " + std::to_string(level) + ") " + Openings[level % std::size(Openings)] + design +
             "] A(nach)";
  }
  return design;
}

struct Case {
  const char* name;
  std::string design;
};

class CoveredFill : public ::testing::TestWithParam<std::tuple<Case, Mode>> {};

TEST_P(CoveredFill, KeepsEveryPixelOfFillingEveryFrame) {
  const auto& [design, mode] = GetParam();
  BlockPtr root = BuildBlock(design.design, "gesamtes Programm");
  const QImage expected = Draw<FillsEveryFrame>(*root, mode, {});
  const QImage actual = Draw<QtCanvas>(*root, mode, {});
  ASSERT_EQ(actual.size(), expected.size());
  EXPECT_TRUE(actual == expected) << design.name;
}

TEST_P(CoveredFill, KeepsEveryPixelWithCollapsedBlocks) {
  const auto& [design, mode] = GetParam();
  BlockPtr root = BuildBlock(design.design, "gesamtes Programm");
  // Every third block collapsed: its frame has nothing drawn inside.
  std::vector<TElement*> collapsed;
  int count = 0;
  std::function<void(TElement*)> visit = [&](TElement* first) {
    for (TElement* e = first; e; e = e->Next) {
      if (dynamic_cast<TBlock*>(e) && ++count % 3 == 0) collapsed.push_back(e);
      for (int32_t i = 0; i < e->ContentCount(); ++i) visit(e->Content(i));
    }
  };
  visit(root->Body);
  ASSERT_FALSE(collapsed.empty());
  EXPECT_TRUE(Draw<QtCanvas>(*root, mode, collapsed) == Draw<FillsEveryFrame>(*root, mode, collapsed))
      << design.name;
}

INSTANTIATE_TEST_SUITE_P(
    Designs, CoveredFill,
    ::testing::Combine(
        ::testing::Values(Case{"deep", Nested(40)}, Case{"shallow", Nested(7)},
                          Case{"empty structures", "W(w)[] I(i)[|] D(d)[] F(f)[] R(r)[] B(b)[]"},
                          Case{"uneven decisions",
                               "I(a)[A(1) A(2) A(3)|] I(b)[|W(c)[A(4) A(5)]] I(c)[B(x)[A(6)]|A(7)]"}),
        ::testing::Values(Mode::Picture, Mode::Printing, Mode::Screen)));

}  // namespace
