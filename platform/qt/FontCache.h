#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QStaticText>
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/TextTable.h"

class QPaintDevice;

// Qt fonts for the platform's font descriptions, each with its metrics and the texts measured
// and laid out in it. Painting a large design measures and draws the same few texts in the
// same few fonts again and again, so all of it is kept for the life of the application.
class FontCache {
 public:
  struct Text {
    TSize size;
    QStaticText layout;  // made on the first drawing
  };
  struct Entry {
    QFont font;
    QFontMetrics metrics;
    TextTable<Text> texts;  // by Windows-1252 text
  };

  // Qt lays out text in fixed-point pixels that overflow beyond 2^25 pixels, so texts longer
  // than this are measured and drawn in pieces of it.
  static constexpr std::size_t PieceLength = 16384;
  // The widest extent reported, which keeps the sums of measuring code within 32 bits.
  static constexpr int32_t MaxTextWidth = int32_t{1} << 27;

  // The entry for the font as the device renders it (its resolution decides point sizes).
  static std::shared_ptr<Entry> Get(const TFont& font, const QPaintDevice* device);
  static TSize Extent(Entry& entry, const std::string& text);
  static const QStaticText& Layout(Entry& entry, const std::string& text);
  static QFont MakeFont(const TFont& font);
  static void Clear();

 private:
  static Text& Find(Entry& entry, const std::string& text);
  static int32_t Width(const QFontMetrics& metrics, const std::string& text);
};
