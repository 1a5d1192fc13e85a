// SPDX-License-Identifier: MIT
#include "gui/icons.h"

#include <QString>
#include <cstring>

#include "gui/icon_pixels.h"
#include "gui/pixel_icon_engine.h"

// The resources live in a static library: nothing refers to them, so they are registered by hand.
static void RegisterIconResources() {
  Q_INIT_RESOURCE(icons);
}

namespace nuvrel::gui {
namespace {

struct IconFile {
  const char* file;       // icons/NAME.svg in the resources
  const char* themeName;  // the freedesktop name of an icon with this meaning, or nullptr
};

IconFile FileOf(IconId id) {
  switch (id) {
    case IconId::Open: return {"open", "document-open"};
    case IconId::Save: return {"save", "document-save"};
    case IconId::ClearAll: return {"clear-all", "edit-clear"};
    case IconId::Print: return {"print", "document-print"};
    case IconId::PrintPreview: return {"print-preview", "document-print-preview"};
    case IconId::Find: return {"find", "edit-find"};
    case IconId::Cut: return {"cut", "edit-cut"};
    case IconId::Copy: return {"copy", "edit-copy"};
    case IconId::Paste: return {"paste", "edit-paste"};
    case IconId::ReportToArticles: return {"report-to-articles", nullptr};
    case IconId::SendAll: return {"send-all", nullptr};
    case IconId::SendSelected: return {"send-selected", nullptr};
    case IconId::SendChanges: return {"send-changes", nullptr};
    case IconId::ArticlesReport: return {"articles-report", nullptr};
    case IconId::GetReports: return {"get-reports", nullptr};
    case IconId::SendLogo: return {"send-logo", nullptr};
    case IconId::Help: return {"help", "help-contents"};
    case IconId::About: return {"about", "help-about"};
    case IconId::Application: return {"nuvrel", nullptr};
  }
  return {"nuvrel", nullptr};
}

// Ours: the pixels the build compiled in, else the SVG drawn as it is asked for.
QIcon OwnIcon(IconId id) {
  const char* name = FileOf(id).file;
  const std::span<const IconPixels> all = AllIconPixels();
  const IconPixels* first = all.data();
  const IconPixels* end = first + all.size();
  while (first != end && std::strcmp(first->name, name) != 0) ++first;
  const IconPixels* last = first;
  while (last != end && std::strcmp(last->name, name) == 0) ++last;
  if (first != last) return QIcon(new PixelIconEngine({first, last}));
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

}  // namespace

QIcon MakeIcon(IconId id) {
  static const bool registered = (RegisterIconResources(), true);
  (void)registered;
  const IconFile icon = FileOf(id);
  return icon.themeName ? QIcon::fromTheme(QLatin1String(icon.themeName), OwnIcon(id))
                        : OwnIcon(id);
}

}  // namespace nuvrel::gui
