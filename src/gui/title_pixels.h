// SPDX-License-Identifier: MIT
// The title picture's pixels, drawn at build time by cmake/title_picture.cpp
// (cmake/title_picture.cmake) and compiled in.
#pragma once

#include <cstdint>

namespace nuvrel::gui {

struct TitlePixels {
  int width;
  int height;
  const std::uint32_t* rgb;  // width * height pixels 0xffRRGGBB, row by row
};

TitlePixels TitlePicturePixels();

}  // namespace nuvrel::gui
