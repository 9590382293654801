#pragma once

#include <QByteArray>
#include <QSize>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

class QPainter;

// A picture that cannot be made; what() is the German message the user sees.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture larger than a format allows; the message says how large it would be.
class PictureTooLarge : public PictureError {
 public:
  using PictureError::PictureError;
};

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name's extension asks for (".png", ".svg", ".pdf", in any letter case).
std::optional<PictureFormat> PictureFormatOf(const std::string& path);

// The largest picture drawn: a raster painter's coordinate range per side, and for PNG an
// image of at most 256 MiB, the most Qt's image reader accepts by default.
constexpr int MaxPictureSide = 32767;
constexpr qint64 MaxPngPixels = qint64{64} * 1024 * 1024;

// The largest scale: beyond it even the smallest diagram exceeds MaxPictureSide. There is no
// smallest; a picture has at least one pixel a side.
constexpr double MaxPictureScale = 1000;

// The size of a picture of size pixels drawn at scale, rounded up to whole pixels. Throws
// PictureTooLarge when it lies beyond the limits of the format, PictureError when the scale is
// not a number greater than 0 and at most MaxPictureScale.
QSize ScaledPictureSize(QSize size, double scale, PictureFormat format);

// Renders a picture of size pixels, enlarged by scale, into the bytes of a file of the given
// format, on a white ground; paint draws in unscaled pixels. A PDF is one page of the
// picture's size, one point per pixel, without margins. Throws PictureError when the picture
// cannot be made.
QByteArray RenderPicture(PictureFormat format, QSize size, double scale,
                         const std::function<void(QPainter&)>& paint);
