#include "window/ViewMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// Leaves room to add scroll offsets (below 2^31 minus this) to a client position.
constexpr int64_t Far = int64_t{1} << 29;

}  // namespace

ViewMapping::ViewMapping(int zoomPercent, QPoint scroll)
    : zoom_(zoomPercent),
      scroll_(scroll),
      shift_{static_cast<int32_t>(FloorDiv(int64_t{scroll.x()} * 100, zoomPercent)),
             static_cast<int32_t>(FloorDiv(int64_t{scroll.y()} * 100, zoomPercent))} {}

QTransform ViewMapping::PainterTransform() const {
  const double scale = zoom_ / 100.0;
  // Drawing pixel d lies at document pixel d + shift, which the scroll bars put at
  // (d + shift) * scale - scroll.
  const double dx = shift_.x * scale - scroll_.x();
  const double dy = shift_.y * scale - scroll_.y();
  return {scale, 0, 0, scale, dx, dy};
}

// Client pixel c shows document pixel floor((c + scroll) * 100 / zoom), so the pixels that
// show document pixels from l on begin at ceil(l * zoom / 100) - scroll.
QRect ViewMapping::ToClient(const TRect& drawn) const {
  // Far outside the client area a position is only kept on its side of it.
  const auto edge = [this](int32_t drawnPosition, int32_t shift, int scroll) {
    const int64_t client = CeilDiv((int64_t{drawnPosition} + shift) * zoom_, 100) - scroll;
    return static_cast<int>(std::clamp<int64_t>(client, -Far, Far));
  };
  const int left = edge(drawn.Left, shift_.x, scroll_.x());
  const int top = edge(drawn.Top, shift_.y, scroll_.y());
  const int right = edge(drawn.Right, shift_.x, scroll_.x());
  const int bottom = edge(drawn.Bottom, shift_.y, scroll_.y());
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

TPoint ViewMapping::FromClient(QPoint client) const {
  const auto design = [this](int position, int scroll, int32_t shift) {
    return static_cast<int32_t>(FloorDiv((int64_t{position} + scroll) * 100, zoom_) - shift);
  };
  return {design(client.x(), scroll_.x(), shift_.x), design(client.y(), scroll_.y(), shift_.y)};
}

int ViewMapping::ClientLength(int designLength) const {
  return static_cast<int>(CeilDiv(int64_t{designLength} * zoom_, 100));
}

QPoint ViewMapping::ScrollKeeping(QPoint anchor, int newZoomPercent) const {
  // The point kept is the middle of the anchor pixel, in document pixels.
  const auto offset = [&](int position, int scroll) {
    const double middle = position + 0.5;
    const double document = (middle + scroll) * 100 / zoom_;
    return static_cast<int>(std::lround(document * newZoomPercent / 100 - middle));
  };
  return {offset(anchor.x(), scroll_.x()), offset(anchor.y(), scroll_.y())};
}
