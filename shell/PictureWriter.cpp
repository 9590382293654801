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
#include <unordered_map>

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

void PaintOnWhite(QPainter& painter, QRect area, double scale,
                  const std::function<void(QPainter&)>& paint) {
  if (!painter.isActive()) throw PictureError("Das Bild kann nicht gezeichnet werden");
  painter.fillRect(area, Qt::white);
  scale = std::max(scale, SmallestDrawingScale);
  painter.scale(scale, scale);
  paint(painter);
  painter.end();
}

// Qt's PNG quality chooses zlib's compression level; this one is a fast level, which on
// diagrams' long runs of one colour makes files hardly larger.
constexpr int PngQuality = 80;

// About this many pixels are drawn at a time into a band of full colour.
constexpr int BandPixels = 1 << 21;

// A colour table of at most 256 colours, filled as colours turn up.
class Palette {
 public:
  // Writes the indexes of count pixels to out; false when a 257th colour turns up.
  bool Index(const QRgb* in, uchar* out, int count) {
    for (int x = 0; x < count; ++x) {
      if (in[x] != last_ || !known_) {
        auto found = index_.find(in[x]);
        if (found == index_.end()) {
          if (table_.size() == 256) return false;
          found = index_.emplace(in[x], static_cast<uchar>(table_.size())).first;
          table_.push_back(in[x]);
        }
        last_ = in[x];
        lastIndex_ = found->second;
        known_ = true;
      }
      out[x] = lastIndex_;
    }
    return true;
  }
  const QList<QRgb>& Table() const { return table_; }

 private:
  QList<QRgb> table_;
  std::unordered_map<QRgb, uchar> index_;
  QRgb last_ = 0;
  uchar lastIndex_ = 0;
  bool known_ = false;
};

// The picture with a colour table, as diagrams with their few colours allow: drawn band by
// band, so that the full-colour pixels never exist all at once, and encoded as PNG without
// filtering each row several ways, many times faster than full colour. A null image when
// the picture has more than 256 colours.
QImage PaintPalettized(QSize size, double scale, const std::function<void(QPainter&)>& paint) {
  QImage result(size, QImage::Format_Indexed8);
  const int rows = std::clamp(BandPixels / size.width(), 1, size.height());
  QImage band(size.width(), rows, QImage::Format_RGB32);
  if (result.isNull() || band.isNull()) return {};
  Palette palette;
  for (int top = 0; top < size.height(); top += rows) {
    QPainter painter(&band);
    // Whole pixels apart, every band is drawn exactly as its rows of the whole picture.
    painter.translate(0, -top);
    PaintOnWhite(painter, QRect(0, top, size.width(), rows), scale, paint);
    for (int y = 0; y < rows && top + y < size.height(); ++y) {
      const auto* in = reinterpret_cast<const QRgb*>(band.constScanLine(y));
      if (!palette.Index(in, result.scanLine(top + y), size.width())) return {};
    }
  }
  result.setColorTable(palette.Table());
  return result;
}

QByteArray RenderPng(QSize size, double scale, const std::function<void(QPainter&)>& paint) {
  QImage image = PaintPalettized(size, scale, paint);
  if (image.isNull()) image = QImage(size, QImage::Format_RGB32);
  if (image.isNull()) {
    throw PictureError("Für das Bild mit " + SizeText(size.width(), size.height()) +
                       " reicht der Speicher nicht");
  }
  if (image.format() == QImage::Format_RGB32) {
    QPainter painter(&image);
    PaintOnWhite(painter, QRect(QPoint(0, 0), size), scale, paint);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG", PngQuality))
    throw PictureError("Das Bild kann nicht als PNG kodiert werden");
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
  PaintOnWhite(painter, QRect(QPoint(0, 0), size), scale, paint);
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
  PaintOnWhite(painter, QRect(QPoint(0, 0), size), scale, paint);
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
    throw PictureTooLarge("Das Bild wäre " + SizeText(w, h) + " groß; mehr als " +
                          std::to_string(MaxPictureSide) + " Pixel je Seite sind nicht möglich");
  }
  if (format == PictureFormat::Png && w * h > static_cast<double>(MaxPngPixels)) {
    throw PictureTooLarge("Das Bild wäre " + SizeText(w, h) +
                          " groß; ein PNG-Bild kann höchstens " + std::to_string(MaxPngPixels) +
                          " Pixel haben");
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
