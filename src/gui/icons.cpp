// SPDX-License-Identifier: MIT
#include "gui/icons.h"

#include <QFile>
#include <QString>

#include "gui/png_icon_engine.h"

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
    case IconId::ArticlesReport: return {"articles-report", nullptr};
    case IconId::GetReports: return {"get-reports", nullptr};
    case IconId::SendLogo: return {"send-logo", nullptr};
    case IconId::Help: return {"help", "help-contents"};
    case IconId::About: return {"about", "help-about"};
    case IconId::Application: return {"nuvrel", nullptr};
  }
  return {"nuvrel", nullptr};
}

// The sides the build renders each icon at (cmake/icons.cmake): the toolbar's and the menus' at
// one and two device pixels a point; the application icon also for window lists and the title
// picture.
QList<int> SidesOf(IconId id) {
  if (id == IconId::Application) return {16, 32, 64, 128, 256};
  return {16, 32};
}

// Ours: the PNGs when the build rendered them, else the SVG drawn as it is asked for.
QIcon OwnIcon(IconId id) {
  const QString name = QLatin1String(FileOf(id).file);
  const QList<int> sides = SidesOf(id);
  if (QFile::exists(PngIconEngine::FilePath(name, sides.front()))) {
    return QIcon(new PngIconEngine(name, sides));
  }
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
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
