// SPDX-License-Identifier: MIT
// The application's style with its standard icons (tool bar extension arrows, dock widget buttons,
// message box icons, ...) read when they are first drawn rather than when they are asked for. The
// menu bar, the tool bar and the dock widget each ask for one as they are made, mostly for a button
// that stays hidden, and the first of those reads would load every image format plug-in there is.
#pragma once

#include <QProxyStyle>

namespace nuvrel::gui {

class DeferredIconStyle final : public QProxyStyle {
 public:
  // Over the style the application would have had (the desktop's, or the one -style names).
  DeferredIconStyle() = default;

  QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace nuvrel::gui
