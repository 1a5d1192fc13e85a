// SPDX-License-Identifier: MIT
// The program's pictures: the title picture of the splash screen and the About box (drawn at build
// time by cmake/title_picture.cpp), and the built-in logo.
#pragma once

#include <QImage>
#include <QPixmap>

namespace nuvrel::gui {

// The 450 x 300 title picture.
QPixmap TitlePicture();

// The built-in logo of the Logo Manager: 384 x 80, 8 bits per pixel.
QImage BuiltInLogo();

}  // namespace nuvrel::gui
