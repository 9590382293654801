#pragma once

#include <QColor>

#include "platform/Canvas.h"

// A stored colour (0x00BBGGRR) as Qt shows it. The palette-relative mark 0x02 is dropped, since
// Qt paints in true colour; the window-background system colour is the palette's base colour;
// any other top byte is ignored and the low 24 bits are the colour.
QColor ToQColor(TColor color);
