// SPDX-License-Identifier: MIT
// The window's own state (toolbar layout, status bar, recent files) kept in the program's settings
// file, beside the program's keys. QSettings rewrites the whole file on each change but keeps every
// key it read; the core's writer keeps every line it does not change; and values are written in a
// form both read alike (see app/ini_document.cpp). So the two share one file.
#pragma once

#include <QSettings>
#include <QString>

namespace nuvrel::gui {

// Makes the window state go to the settings file at path (from now on).
void UseWindowSettingsFile(const QString& path);

// QSettings over the settings file: the one given to UseWindowSettingsFile, else the program's
// default settings file.
class WindowSettings final : public QSettings {
 public:
  WindowSettings();
};

// Where versions before the shared settings file kept the window state: QSettings' own default
// file for the organisation "Nuvrel" and the application "NuvrelSr", that is
// $XDG_CONFIG_HOME/Nuvrel/NuvrelSr.conf (~/.config/Nuvrel/NuvrelSr.conf).
QString OldWindowSettingsFile();

// Copies each key of the old window-state file at oldPath that `into` lacks, then renames the old
// file to oldPath + ".migrated", so that it is done once. Nothing happens when there is no old
// file; when the copy cannot be stored, the old file stays for the next run.
void MigrateWindowSettings(const QString& oldPath, QSettings& into);

}  // namespace nuvrel::gui
