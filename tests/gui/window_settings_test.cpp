// SPDX-License-Identifier: MIT
// The window state and the program's keys in one settings file: QSettings and the core's INI
// writer each keep what the other wrote, and the old window-state file moves in once.
#include "gui/window_settings.h"

#include <gtest/gtest.h>

#include <QFile>

#include "app/settings_file.h"
#include "support/temp_dir.h"

namespace nuvrel::gui {
namespace {

const QByteArray kBarState("\0\x01\xff state=1;\n", 14);
const QStringList kRecent{"/home/shop/a, b.txt", "/x.txt"};

TEST(WindowSettings, QSettingsAndTheCoreWriterShareOneFile) {
  // Values the core writes that QSettings would read or write otherwise if written plainly.
  for (const char* value : {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0",
                            "/home/\xC5\xA1op/logo, final.bmp", "a;b", "C:\\Logos\\x.bmp",
                            "say \"hi\"", " padded ", "@at", "x=y"}) {
    SCOPED_TRACE(value);
    test::TempDir dir;
    const std::string path = dir / "nuvrel.ini";
    app::SettingsFile core(path);
    ASSERT_TRUE(core.WriteString("ECR", "EcrCom", "2"));
    ASSERT_TRUE(core.WriteString("logoman", "image", value));

    QSettings qt(QString::fromStdString(path), QSettings::IniFormat);
    EXPECT_EQ(qt.value("logoman/image").toString().toStdString(), value);
    qt.setValue("BarState", kBarState);
    qt.setValue("RecentFileList", kRecent);
    qt.setValue("Ports/COM2", QString::fromUtf8(value));
    qt.sync();
    ASSERT_EQ(qt.status(), QSettings::NoError);
    EXPECT_EQ(core.GetString("logoman", "image", ""), value);
    EXPECT_EQ(core.GetString("Ports", "COM2", ""), value);
    EXPECT_EQ(core.GetInt("ECR", "EcrCom", 0), 2u);

    ASSERT_TRUE(core.WriteString("ECR", "EcrCom", "3"));
    const QSettings again(QString::fromStdString(path), QSettings::IniFormat);
    EXPECT_EQ(again.value("BarState").toByteArray(), kBarState);
    EXPECT_EQ(again.value("RecentFileList").toStringList(), kRecent);
    EXPECT_EQ(again.value("ECR/EcrCom").toString(), "3");
  }
}

TEST(WindowSettings, TheOldFileMovesInOnceWithoutOverwritingNewerKeys) {
  test::TempDir dir;
  const QString oldPath = QString::fromStdString(dir / "NuvrelSr.conf");
  {
    QSettings old(oldPath, QSettings::IniFormat);
    old.setValue("LedraHistory", kBarState);
    old.setValue("RecentFileList", kRecent);
    old.setValue("StatusBarShown", true);
  }
  app::SettingsFile core(dir / "nuvrel.ini");
  ASSERT_TRUE(core.WriteString("ECR", "EcrCom", "1"));
  UseWindowSettingsFile(QString::fromStdString(dir / "nuvrel.ini"));
  WindowSettings().setValue("StatusBarShown", false);

  {
    WindowSettings settings;
    MigrateWindowSettings(oldPath, settings);
  }
  const WindowSettings settings;
  EXPECT_EQ(settings.value("LedraHistory").toByteArray(), kBarState);
  EXPECT_EQ(settings.value("RecentFileList").toStringList(), kRecent);
  EXPECT_FALSE(settings.value("StatusBarShown").toBool());
  EXPECT_EQ(core.GetInt("ECR", "EcrCom", 0), 1u);
  EXPECT_FALSE(QFile::exists(oldPath));
  EXPECT_TRUE(QFile::exists(oldPath + ".migrated"));

  // A second run finds nothing to move.
  WindowSettings().setValue("RecentFileList", QStringList{"/new.txt"});
  {
    WindowSettings again;
    MigrateWindowSettings(oldPath, again);
  }
  EXPECT_EQ(WindowSettings().value("RecentFileList").toStringList(), QStringList{"/new.txt"});
}

}  // namespace
}  // namespace nuvrel::gui
