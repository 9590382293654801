// A diagram window on a screen of device pixel ratio r: ctest runs it at 1 and, through
// QT_SCALE_FACTOR, at 2.
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

using HighDpiWindowTest = EditorTest;

// The window shows r times the pixels each way, and the sloped side of a decision is r device
// pixels thick in every column, stepping a single device pixel at a time.
TEST_F(HighDpiWindowTest, ThinLinesAreRDevicePixelsWideAtDeviceResolution) {
  Trigger("Struktogramm1");
  SetDesign("I(c)[A(eine lange Anweisung im Ja-Zweig)|A(noch eine lange Anweisung)]");
  QWidget* viewport = First().view().viewport();
  const int r = qRound(viewport->devicePixelRatioF());
  EXPECT_EQ(r, qRound(qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble()));
  const QImage shot = viewport->grab().toImage();
  EXPECT_EQ(shot.size(), viewport->size() * r);
  // The left side runs from the decision's top-left corner to where the no-branch begins.
  const TPoint corner = *DocumentOrigin(First(), At({0})),
               end = *DocumentOrigin(First(), At({0, 2, 0}));
  bool steps = r == 1;
  for (int x = (corner.x * 2 + end.x) / 3 * r; x < (corner.x + end.x * 2) / 3 * r; ++x) {
    int top = (corner.y + 1) * r, bottom;
    while (top < shot.height() && shot.pixelColor(x, top) != Qt::black) ++top;
    for (bottom = top; bottom < shot.height() && shot.pixelColor(x, bottom) == Qt::black;) ++bottom;
    EXPECT_EQ(bottom - top, r) << "column " << x;
    steps |= top % r != 0;
  }
  EXPECT_TRUE(steps) << "the side is drawn in squares of drawing pixels";
}

}  // namespace
}  // namespace editortest
