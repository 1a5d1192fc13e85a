// SPDX-License-Identifier: MIT
// The icons' pixels at the sides the window draws them: rendered from icons/*.svg at build time and
// compiled in (cmake/icons.cmake), so that drawing one reads no image file. Empty when the build
// could not render them.
#pragma once

#include <cstdint>
#include <iterator>
#include <span>

namespace nuvrel::gui {

struct IconPixels {
  const char* name;           // the SVG's name without ".svg"
  int side;                   // the width and the height
  const std::uint32_t* argb;  // side * side premultiplied ARGB pixels, row by row
};

// Every icon at every side, by name and then by growing side.
std::span<const IconPixels> AllIconPixels();

}  // namespace nuvrel::gui
