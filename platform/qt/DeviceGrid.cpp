#include "platform/qt/DeviceGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// Products like 10 * 0.3 come out a hair above or below the whole number they stand for.
constexpr double kSlack = 1e-9;

double Down(double v) { return std::floor(v + kSlack); }
double Up(double v) { return std::ceil(v - kSlack); }

}  // namespace

DeviceGrid::DeviceGrid(const QTransform& toDevice) {
  const bool axisParallel = toDevice.type() <= QTransform::TxScale;
  sx_ = toDevice.m11();
  sy_ = toDevice.m22();
  dx_ = toDevice.dx();
  dy_ = toDevice.dy();
  if (!axisParallel || !(sx_ > 0) || !(sy_ > 0)) {
    sx_ = sy_ = 1;
    dx_ = dy_ = 0;
    return;
  }
  scale_ = std::min(sx_, sy_);
  ux_ = sx_;
  uy_ = sy_;
  // A whole-numbered shift keeps every pixel whole.
  exact_ = sx_ == 1 && sy_ == 1 && dx_ == std::floor(dx_) && dy_ == std::floor(dy_);
}

DeviceGrid DeviceGrid::Finer(int32_t k) const {
  DeviceGrid grid = *this;
  k = std::max(k, 1);
  grid.ux_ = sx_ / k;
  grid.uy_ = sy_ / k;
  grid.exact_ = exact_ && k == 1;
  return grid;
}

QRectF DeviceGrid::ToLogical(double l, double t, double r, double b) const {
  return QRectF(QPointF((l - dx_) / sx_, (t - dy_) / sy_),
                QPointF((r - dx_) / sx_, (b - dy_) / sy_));
}

double DeviceGrid::X(int32_t x) const { return x * ux_ + dx_; }
double DeviceGrid::Y(int32_t y) const { return y * uy_ + dy_; }

QRectF DeviceGrid::Ink(int32_t l, int32_t t, int32_t r, int32_t b) const {
  if (exact_) return QRectF(l, t, static_cast<double>(r) - l, static_cast<double>(b) - t);
  const double dl = Down(X(l)), dt = Down(Y(t));
  const double dr = std::max(dl + 1, Up(X(r)));
  const double db = std::max(dt + 1, Up(Y(b)));
  return ToLogical(dl, dt, dr, db);
}

QRectF DeviceGrid::Area(int32_t l, int32_t t, int32_t r, int32_t b) const {
  if (exact_) return QRectF(l, t, static_cast<double>(r) - l, static_cast<double>(b) - t);
  const double dl = Up(X(l)), dt = Up(Y(t));
  const double dr = Down(X(r)), db = Down(Y(b));
  if (dr <= dl || db <= dt) return {};
  return ToLogical(dl, dt, dr, db);
}
