#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/Encoding.h"

void QtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

std::optional<std::string> QtClipboard::Text() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return std::nullopt;
  return FromQString(data->text());
}

void QtClipboard::SetFormats(const std::map<std::string, std::string>& formats) {
  auto* data = new QMimeData;
  for (const auto& [type, bytes] : formats)
    data->setData(QString::fromStdString(type), QByteArray(bytes.data(), qsizetype(bytes.size())));
  // The clipboard takes ownership of data.
  QGuiApplication::clipboard()->setMimeData(data);
}
