// SPDX-License-Identifier: MIT
// The toolbar and application icons: SVG files in the program's resources (icons/*.svg), drawn from
// the pixels the build renders from them (cmake/icons.cmake) where it did. Where the desktop's icon
// theme has an icon of the same meaning (document-open, edit-copy, ...) the theme's icon is used,
// so the toolbar matches the other programs; ours stands in when it has none.
#pragma once

#include <QIcon>

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
  SendChanges,
  ArticlesReport,
  GetReports,
  SendLogo,
  Help,
  About,
  Application,
};

QIcon MakeIcon(IconId id);

}  // namespace nuvrel::gui
