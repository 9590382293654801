#include "platform/qt/Encoding.h"

#include "platform/Cp1252.h"

QString ToQString(const std::string& cp1252) {
  QString text(static_cast<qsizetype>(cp1252.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (char byte : cp1252) *out++ = QChar(Cp1252::ToUnicode(static_cast<unsigned char>(byte)));
  return text;
}

std::string FromQString(const QString& text) {
  return Cp1252::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())));
}
