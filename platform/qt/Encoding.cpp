#include "platform/qt/Encoding.h"

#include <algorithm>

#include "platform/Cp1252.h"

QString ToQString(const std::string& cp1252) {
  // Windows-1252 is Latin-1 but for the bytes 0x80 to 0x9F, which Latin-1 reads as control
  // characters: Qt's fast Latin-1 conversion does the bulk, and those few are mended after.
  QString text = QString::fromLatin1(cp1252.data(), static_cast<qsizetype>(cp1252.size()));
  const auto differs = [](char byte) { return static_cast<unsigned char>(byte) - 0x80u < 0x20u; };
  auto at = std::find_if(cp1252.begin(), cp1252.end(), differs);
  if (at == cp1252.end()) return text;
  QChar* out = text.data();
  for (; at != cp1252.end(); at = std::find_if(at + 1, cp1252.end(), differs)) {
    out[at - cp1252.begin()] = QChar(Cp1252::ToUnicode(static_cast<unsigned char>(*at)));
  }
  return text;
}

std::string FromQString(const QString& text) {
  return Cp1252::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())));
}
