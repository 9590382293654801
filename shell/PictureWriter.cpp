#include "shell/PictureWriter.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Whole numbers of any size: a side can lie far beyond the range of an integer type.
std::string Whole(double value) {
  char text[400];
  std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

std::string SizeText(double w, double h) { return Whole(w) + " × " + Whole(h) + " Pixel"; }

// XML 1.0 allows no control character but tab, line feed and carriage return, not even
// written as a reference; texts may hold any of them. In UTF-8 their bytes stand for nothing
// else, so each becomes the replacement character.
bool ForbiddenInXml(char c) {
  return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

QByteArray WellFormed(const QByteArray& xml) {
  if (std::none_of(xml.begin(), xml.end(), ForbiddenInXml)) return xml;
  QByteArray result;
  result.reserve(xml.size() + 64);
  for (char c : xml) {
    if (ForbiddenInXml(c)) {
      result.append("\xEF\xBF\xBD");
    } else {
      result.append(c);
    }
  }
  return result;
}

// Below this scale every coordinate a design can have falls into the first pixel, so the
// picture is the same as at any smaller one; it keeps the painter's arithmetic finite.
constexpr double SmallestDrawingScale = 0x1p-40;

void PaintOnWhite(QPainter& painter, QSize size, double scale,
                  const std::function<void(QPainter&)>& paint) {
  if (!painter.isActive()) throw PictureError("Das Bild kann nicht gezeichnet werden");
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  scale = std::max(scale, SmallestDrawingScale);
  painter.scale(scale, scale);
  paint(painter);
  painter.end();
}

QByteArray RenderPng(QSize size, double scale, const std::function<void(QPainter&)>& paint) {
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) {
    throw PictureError("Für das Bild mit " + SizeText(size.width(), size.height()) +
                       " reicht der Speicher nicht");
  }
  QPainter painter(&image);
  PaintOnWhite(painter, size, scale, paint);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw PictureError("Das Bild kann nicht als PNG kodiert werden");
  return bytes;
}

QByteArray RenderSvg(QSize size, double scale, const std::function<void(QPainter&)>& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setTitle("Tavelon");
  // At 96 dots per inch an SVG pixel is a CSS pixel, so viewers show it as large as the PNG.
  generator.setResolution(96);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  QPainter painter(&generator);
  PaintOnWhite(painter, size, scale, paint);
  return WellFormed(bytes);
}

QByteArray RenderPdf(QSize size, double scale, const std::function<void(QPainter&)>& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setCreator("Tavelon");
  writer.setResolution(72);
  writer.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter(&writer);
  PaintOnWhite(painter, size, scale, paint);
  return bytes;
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::nullopt;
  const std::string extension = Lowercase(path.substr(dot + 1));
  if (extension == "png") return PictureFormat::Png;
  if (extension == "svg") return PictureFormat::Svg;
  if (extension == "pdf") return PictureFormat::Pdf;
  return std::nullopt;
}

QSize ScaledPictureSize(QSize size, double scale, PictureFormat format) {
  if (!std::isfinite(scale) || scale <= 0 || scale > MaxPictureScale) {
    throw PictureError("Ungültiger Maßstab: " + std::to_string(scale));
  }
  const double w = std::ceil(size.width() * scale);
  const double h = std::ceil(size.height() * scale);
  if (w > MaxPictureSide || h > MaxPictureSide) {
    throw PictureError("Das Bild wäre " + SizeText(w, h) + " groß; mehr als " +
                       std::to_string(MaxPictureSide) +
                       " Pixel je Seite sind nicht möglich (mit --scale kleiner zeichnen)");
  }
  if (format == PictureFormat::Png && w * h > static_cast<double>(MaxPngPixels)) {
    throw PictureError("Das Bild wäre " + SizeText(w, h) + " groß; ein PNG-Bild kann höchstens " +
                       std::to_string(MaxPngPixels) +
                       " Pixel haben (mit --scale kleiner zeichnen)");
  }
  return QSize(std::max(1, static_cast<int>(w)), std::max(1, static_cast<int>(h)));
}

QByteArray RenderPicture(PictureFormat format, QSize size, double scale,
                         const std::function<void(QPainter&)>& paint) {
  size = ScaledPictureSize(size, scale, format);
  switch (format) {
    case PictureFormat::Png:
      return RenderPng(size, scale, paint);
    case PictureFormat::Svg:
      return RenderSvg(size, scale, paint);
    case PictureFormat::Pdf:
      return RenderPdf(size, scale, paint);
  }
  return {};
}
