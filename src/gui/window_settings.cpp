// SPDX-License-Identifier: MIT
#include "gui/window_settings.h"

#include <QFile>

#include "app/settings_file.h"

namespace nuvrel::gui {
namespace {

QString& WindowSettingsPath() {
  static QString path;
  return path;
}

QString Path() {
  if (WindowSettingsPath().isEmpty()) {
    WindowSettingsPath() = QString::fromStdString(app::SettingsFile::DefaultPath("nuvrel"));
  }
  return WindowSettingsPath();
}

}  // namespace

void UseWindowSettingsFile(const QString& path) {
  WindowSettingsPath() = path;
}

WindowSettings::WindowSettings() : QSettings(Path(), QSettings::IniFormat) {}

QString OldWindowSettingsFile() {
  // The names the program gave itself then; they must not follow a later rename.
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Nuvrel", "NuvrelSr").fileName();
}

void MigrateWindowSettings(const QString& oldPath, QSettings& into) {
  if (!QFile::exists(oldPath)) return;
  {
    const QSettings old(oldPath, QSettings::IniFormat);
    for (const QString& key : old.allKeys()) {
      if (!into.contains(key)) into.setValue(key, old.value(key));
    }
  }
  into.sync();
  if (into.status() == QSettings::NoError) QFile::rename(oldPath, oldPath + ".migrated");
}

}  // namespace nuvrel::gui
