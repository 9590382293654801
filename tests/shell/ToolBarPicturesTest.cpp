// Tool-bar pictures on high-DPI screens: as many device pixels as the ratio asks for, lines as
// heavy as at ratio 1.
#include <gtest/gtest.h>

#include <QImage>

#include "shell/ToolBarPictures.h"

namespace {

int Black(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == Qt::black;
  return n;
}

TEST(ToolBarPictures, AtRatioTwoHaveTwiceThePixelsAndLinesTwoPixelsWide) {
  for (const char* name : {"BAnweisung", "BAnweisung2", "BIfAnweisung", "BIfAnweisung2",
                           "BWhileSchleife", "BForSchleife2", "BDoWhileSchleife"}) {
    const QImage doubled = ButtonPicture(name, 2).toImage();
    EXPECT_EQ(doubled.size(), QSize(100, 50)) << name;
    EXPECT_EQ(doubled.devicePixelRatio(), 2) << name;
    // Filled arrow heads grow by their outline too.
    const double growth =
        static_cast<double>(Black(doubled)) / Black(ButtonPicture(name).toImage());
    EXPECT_TRUE(growth > 3.3 && growth < 5.2) << name << ": " << growth;
    // The icon hands the sharp picture to a screen of ratio 2, not the small one enlarged.
    EXPECT_EQ(ButtonIcon(name).pixmap(QSize(50, 25), 2).toImage(), doubled) << name;
  }
}

}  // namespace
