#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QStaticText>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Canvas.h"

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
    std::unordered_map<std::string, Text> texts;  // by Windows-1252 text
  };

  // The entry for the font as the device renders it (its resolution decides point sizes).
  static std::shared_ptr<Entry> Get(const TFont& font, const QPaintDevice* device);
  static TSize Extent(Entry& entry, const std::string& text);
  static const QStaticText& Layout(Entry& entry, const std::string& text);
  static QFont MakeFont(const TFont& font);
  static void Clear();

 private:
  static Text& Find(Entry& entry, const std::string& text);
};
