// SPDX-License-Identifier: MIT
// The program's own pictures, drawn in code: the toolbar icons and the title picture of the splash
// screen and the About box.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace nuvrel::gui {

enum class IconId {
  Open,
  Save,
  ClearAll,
  Print,
  PrintPreview,
  Find,
  Cut,
  Copy,
  Paste,
  ReportToArticles,
  SendAll,
  SendSelected,
  ArticlesReport,
  GetReports,
  SendLogo,
  Help,
  About,
  Application,
};

// A toolbar icon, drawn for 16 and 32 pixels.
QIcon MakeIcon(IconId id);

// The 450 x 300 title picture.
QPixmap TitlePicture();

// The built-in logo of the Logo Manager: 384 x 80, 8 bits per pixel.
QImage BuiltInLogo();

}  // namespace nuvrel::gui
