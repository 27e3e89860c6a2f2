#pragma once

#include <functional>
#include <optional>
#include <string>

#include "viewer/canvas.h"

// A picture drawn into an area of the given size, its left top corner at 0, 0.
using Painting = std::function<void(Canvas&, const Rect&)>;

// The picture as the bytes of a PNG file, anti-aliased on a white ground,
// drawn with the platform's own means (Qt's raster engine on Linux, GDI+ and
// the Windows Imaging Component on Windows). None when it cannot be drawn;
// then problem says why, in a user's words.
std::optional<std::string> paintPng(const Painting& paint, int width, int height,
                                    std::string& problem);
