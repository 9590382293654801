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

namespace {

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string SizeText(double w, double h) {
  return std::to_string(static_cast<long long>(w)) + " × " +
         std::to_string(static_cast<long long>(h)) + " Pixel";
}

void PaintOnWhite(QPainter& painter, QSize size, double scale,
                  const std::function<void(QPainter&)>& paint) {
  if (!painter.isActive()) throw PictureError("Das Bild kann nicht gezeichnet werden");
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
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
  return bytes;
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
