// The program's identity on the desktop: the menu entry it names and the icon built into it.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include "shell/DesktopIdentity.h"

namespace {

// How many opaque pixels of the image are darker, and how many lighter, than middle grey.
struct Ink {
  int Dark = 0;
  int Light = 0;
};

Ink CountInk(const QImage& image) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) < 255) continue;
      (qGray(pixel) < 128 ? ink.Dark : ink.Light)++;
    }
  }
  return ink;
}

TEST(DesktopIdentity, TheBuiltInIconDrawsAStructogramAt48Pixels) {
  const QIcon icon = ApplicationIcon();
  ASSERT_FALSE(icon.isNull());
  const QImage image = icon.pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(48, 48));
  // A drawing, not an empty or uniform square: dark lines on light boxes over most of it.
  const Ink ink = CountInk(image);
  EXPECT_GT(ink.Dark + ink.Light, 48 * 48 / 2);
  EXPECT_GT(ink.Dark, 48 * 4);
  EXPECT_GT(ink.Light, ink.Dark);
}

TEST(DesktopIdentity, NamesTheMenuEntryAndGivesWindowsTheIcon) {
  ApplyDesktopIdentity();
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.tavelon.Tavelon"));
  EXPECT_FALSE(QGuiApplication::windowIcon().pixmap(48, 48).isNull());
}

}  // namespace
