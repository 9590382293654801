#pragma once

#include <QFont>
#include <QFontMetrics>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Canvas.h"

class QPaintDevice;

// Qt fonts for the platform's font descriptions, each with its metrics and the extents of the
// texts measured in it. Painting a large design measures the same few texts in the same few
// fonts again and again, so both are kept for the life of the application.
class FontCache {
 public:
  struct Entry {
    QFont font;
    QFontMetrics metrics;
    std::unordered_map<std::string, TSize> extents;  // by Windows-1252 text
  };

  // The entry for the font as the device renders it (its resolution decides point sizes).
  static std::shared_ptr<Entry> Get(const TFont& font, const QPaintDevice* device);
  static TSize Extent(Entry& entry, const std::string& text);
  static QFont MakeFont(const TFont& font);
  static void Clear();
};
