#pragma once

#include <QIcon>
#include <QPixmap>
#include <string_view>

// The 50 x 25 picture of a tool-bar button, drawn in code: black lines on a grey ground with
// white symbol faces, the element kind in the notation of the button's view. An unknown
// component gets the grey ground alone.
// At a device pixel ratio above 1 the picture has that many device pixels to each of its
// pixels, its lines drawn at device resolution and as heavy as at ratio 1.
QPixmap ButtonPicture(std::string_view component, qreal ratio = 1);
// The pictures at ratios 1, 2 and 3, from which Qt takes the one for the screen.
QIcon ButtonIcon(std::string_view component);

constexpr int PictureWidth = 50;
constexpr int PictureHeight = 25;
