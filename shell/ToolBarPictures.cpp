#include "shell/ToolBarPictures.h"

#include <QPainter>
#include <QPolygon>
#include <functional>
#include <map>

namespace {

const QColor Ground(192, 192, 192);

// Pictures are drawn with black one-pixel lines and white faces, without antialiasing, as
// the 16 colours of a tool-bar bitmap allow.
struct Picture {
  QPainter& p;

  void Box(int l, int t, int r, int b) { p.drawRect(l, t, r - l, b - t); }
  void Line(int x1, int y1, int x2, int y2) { p.drawLine(x1, y1, x2, y2); }
  void Polyline(std::initializer_list<QPoint> points) {
    p.drawPolyline(QPolygon(QList<QPoint>(points)));
  }
  void Diamond(int x, int top, int halfWidth, int halfHeight) {
    p.drawPolygon(QPolygon({{x, top},
                            {x + halfWidth, top + halfHeight},
                            {x, top + 2 * halfHeight},
                            {x - halfWidth, top + halfHeight}}));
  }
  // A filled arrow head with its tip at (x, y), pointing by (dx, dy) (each -1, 0 or 1).
  void Head(int x, int y, int dx, int dy) {
    p.save();
    p.setBrush(Qt::black);
    const int bx = x - 3 * dx, by = y - 3 * dy;
    p.drawPolygon(QPolygon({{x, y}, {bx - 2 * dy, by + 2 * dx}, {bx + 2 * dy, by - 2 * dx}}));
    p.restore();
  }
  void Cross(int x, int y) {
    Line(x - 2, y - 2, x + 2, y + 2);
    Line(x - 2, y + 2, x + 2, y - 2);
  }
};

void FlowStatement(Picture& d) {
  d.Box(13, 2, 37, 13);
  d.Line(25, 13, 25, 22);
  d.Head(25, 23, 0, 1);
}

void FlowDecision(Picture& d) {
  d.Diamond(25, 1, 11, 7);
  d.Line(14, 8, 7, 20);
  d.Head(6, 22, -1, 1);
  d.Line(36, 8, 43, 20);
  d.Head(44, 22, 1, 1);
}

void FlowWhile(Picture& d) {
  d.Line(25, 0, 25, 2);
  d.Diamond(25, 2, 9, 6);
  d.Polyline({{25, 14}, {25, 22}, {9, 22}, {9, 8}, {13, 8}});
  d.Head(15, 8, 1, 0);
  d.Polyline({{34, 8}, {41, 8}, {41, 21}});
  d.Head(41, 23, 0, 1);
}

void FlowFor(Picture& d) {
  FlowWhile(d);
  d.Cross(25, 8);
}

void FlowDoWhile(Picture& d) {
  d.Polyline({{25, 15}, {25, 18}, {9, 18}, {9, 3}, {22, 3}});
  d.Head(24, 3, 1, 0);
  d.Line(25, 0, 25, 4);
  d.Diamond(25, 4, 9, 5);
  d.Line(25, 14, 25, 21);
  d.Head(25, 23, 0, 1);
}

void StructStatement(Picture& d) { d.Box(8, 4, 42, 21); }

void StructDecision(Picture& d) {
  d.Box(8, 3, 42, 22);
  d.Line(8, 11, 42, 11);
  d.Line(8, 3, 25, 11);
  d.Line(42, 3, 25, 11);
  d.Line(25, 11, 25, 22);
}

void StructWhile(Picture& d) {
  d.Box(8, 3, 42, 22);
  d.Box(15, 10, 42, 22);
}

void StructFor(Picture& d) {
  StructWhile(d);
  d.Cross(25, 6);
}

void StructDoWhile(Picture& d) {
  d.Box(8, 3, 42, 22);
  d.Box(15, 3, 42, 15);
}

const std::map<std::string_view, std::function<void(Picture&)>>& Painters() {
  static const std::map<std::string_view, std::function<void(Picture&)>> painters{
      {"BAnweisung", FlowStatement},       {"BAnweisung2", StructStatement},
      {"BIfAnweisung", FlowDecision},      {"BIfAnweisung2", StructDecision},
      {"BWhileSchleife", FlowWhile},       {"BWhileSchleife2", StructWhile},
      {"BForSchleife", FlowFor},           {"BForSchleife2", StructFor},
      {"BDoWhileSchleife", FlowDoWhile},   {"BDoWhileSchleife2", StructDoWhile},
      {"BRepeatUntilSchleife", FlowDoWhile},
  };
  return painters;
}

}  // namespace

QPixmap ButtonPicture(std::string_view component, qreal ratio) {
  QPixmap pixmap(QSize(PictureWidth, PictureHeight) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Ground);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (ratio > 1) {
    // Qt's one-pixel pen would stay one device pixel thin; a pen one picture pixel wide
    // through the middle of the pixels keeps the lines as heavy as at ratio 1.
    painter.translate(0.5, 0.5);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  } else {
    painter.setPen(QPen(Qt::black, 0));
  }
  painter.setBrush(Qt::white);
  Picture picture{painter};
  auto found = Painters().find(component);
  if (found != Painters().end()) found->second(picture);
  return pixmap;
}

QIcon ButtonIcon(std::string_view component) {
  QIcon icon;
  for (qreal ratio : {1.0, 2.0, 3.0}) icon.addPixmap(ButtonPicture(component, ratio));
  return icon;
}
