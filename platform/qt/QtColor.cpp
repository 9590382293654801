#include "platform/qt/QtColor.h"

#include <QGuiApplication>
#include <QPalette>

QColor ToQColor(TColor color) {
  if (color == Colors::Window) {
    return qGuiApp ? QGuiApplication::palette().color(QPalette::Base) : QColor(Qt::white);
  }
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
