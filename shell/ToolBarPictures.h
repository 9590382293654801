#pragma once

#include <QPixmap>
#include <string_view>

// The 50 x 25 picture of a tool-bar button, drawn in code: black lines on a grey ground with
// white symbol faces, the element kind in the notation of the button's view. An unknown
// component gets the grey ground alone.
QPixmap ButtonPicture(std::string_view component);

constexpr int PictureWidth = 50;
constexpr int PictureHeight = 25;
