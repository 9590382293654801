#include "platform/qt/FontCache.h"

#include <QCoreApplication>
#include <QPaintDevice>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "platform/qt/Encoding.h"

namespace {

// Both limits are far above what a design uses; reaching one starts the cache afresh.
constexpr std::size_t kMaxFonts = 64;
constexpr std::size_t kMaxTextsPerFont = 1 << 18;

using Key = std::tuple<std::string, int32_t, int32_t, int>;

std::map<Key, std::shared_ptr<FontCache::Entry>>& Entries() {
  static std::map<Key, std::shared_ptr<FontCache::Entry>> entries;
  static bool registered = false;
  if (!registered) {
    // Qt's font engines must be released while the application object still exists.
    qAddPostRoutine(&FontCache::Clear);
    registered = true;
  }
  return entries;
}

// The families to try for a font name: the fonts the program names may be missing on this
// system, and then a metric-compatible or at least similar one stands in.
QStringList FamiliesFor(const std::string& name, QFont::StyleHint& hint) {
  QString family = ToQString(name);
  if (name == "MS Sans Serif") {
    hint = QFont::SansSerif;
    return {family, "Microsoft Sans Serif", "DejaVu Sans", "Liberation Sans"};
  }
  if (name == "Times New Roman") {
    hint = QFont::Serif;
    return {family, "Liberation Serif", "DejaVu Serif"};
  }
  hint = QFont::AnyStyle;
  return {family};
}

}  // namespace

QFont FontCache::MakeFont(const TFont& font) {
  QFont::StyleHint hint;
  QStringList families = FamiliesFor(font.Name, hint);
  QFont qfont;
  qfont.setFamilies(families);
  qfont.setStyleHint(hint);
  if (font.PixelHeight != 0) {
    qfont.setPixelSize(std::abs(font.PixelHeight));
  } else if (font.PointSize != 0) {
    qfont.setPointSize(std::abs(font.PointSize));
  } else {
    qfont.setPixelSize(TFont{}.PixelHeight);
  }
  return qfont;
}

std::shared_ptr<FontCache::Entry> FontCache::Get(const TFont& font, const QPaintDevice* device) {
  // A pixel height is the same on every device; a point size depends on its resolution.
  int dpi = font.PixelHeight == 0 && device ? device->logicalDpiY() : 0;
  Key key{font.Name, font.PixelHeight, font.PointSize, dpi};
  auto& entries = Entries();
  auto found = entries.find(key);
  if (found != entries.end()) return found->second;
  if (entries.size() >= kMaxFonts) entries.clear();
  QFont qfont = MakeFont(font);
  QFontMetrics metrics = device ? QFontMetrics(qfont, device) : QFontMetrics(qfont);
  auto entry = std::make_shared<Entry>(Entry{qfont, metrics, {}});
  entries.emplace(std::move(key), entry);
  return entry;
}

FontCache::Text& FontCache::Find(Entry& entry, const std::string& text) {
  const uint64_t hash = TextTable<Text>::Hash(text);
  if (Text* found = entry.texts.Find(text, hash)) return *found;
  if (entry.texts.Size() >= kMaxTextsPerFont) entry.texts.Clear();
  const TSize size{Width(entry.metrics, text), entry.metrics.height()};
  return entry.texts.Insert(text, hash, Text{size, {}});
}

int32_t FontCache::Width(const QFontMetrics& metrics, const std::string& text) {
  if (text.size() <= PieceLength) return metrics.horizontalAdvance(ToQString(text));
  int64_t width = 0;
  for (std::size_t at = 0; at < text.size() && width < MaxTextWidth; at += PieceLength) {
    width += metrics.horizontalAdvance(ToQString(text.substr(at, PieceLength)));
  }
  return static_cast<int32_t>(std::min<int64_t>(width, MaxTextWidth));
}

TSize FontCache::Extent(Entry& entry, const std::string& text) { return Find(entry, text).size; }

const QStaticText& FontCache::Layout(Entry& entry, const std::string& text) {
  Text& found = Find(entry, text);
  if (found.layout.text().isEmpty() && !text.empty()) {
    found.layout.setText(ToQString(text));
    found.layout.setTextFormat(Qt::PlainText);
    found.layout.setPerformanceHint(QStaticText::AggressiveCaching);
    found.layout.prepare(QTransform(), entry.font);
  }
  return found.layout;
}

void FontCache::Clear() { Entries().clear(); }
