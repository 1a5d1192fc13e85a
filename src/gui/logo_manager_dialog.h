// SPDX-License-Identifier: MIT
// The Logo Manager: shows the chosen bitmap and its file's name beside the advised format, loads
// another one or the default logo, and sends the file to the register with a progress bar, saying
// when it has arrived. Start is there only while a file is chosen.
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>

#include "gui/register_link.h"
#include "transfers/logo.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace nuvrel::app {
class SettingsFile;
}

namespace nuvrel::gui {

class GuiUi;

class LogoManagerDialog final : public QDialog {
  Q_OBJECT
 public:
  LogoManagerDialog(transfers::LogoState& logo, app::SettingsFile& settings, GuiUi& ui,
                    RegisterLink& link, QWidget* parent = nullptr);

  // The Load button's file dialog; tests replace it.
  std::function<std::optional<QString>()> chooseFile;

  void OnLoad();
  void OnDefault();
  void OnStart();

  QPushButton* StartButton() const { return m_start; }
  QProgressBar* Progress() const { return m_progress; }
  QString InfoText() const;
  // The name of the chosen file (or that none is), and what the last send came to.
  QString FileText() const;
  QString StatusText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Load(const std::string& path);
  void RefreshPreview();
  // Whether a bitmap file is loaded (not the built-in picture), which Start sends.
  bool FileChosen() const;
  std::string FileName() const;

  transfers::LogoState& m_logo;
  app::SettingsFile& m_settings;
  GuiUi& m_ui;
  RegisterLink& m_link;
  QImage m_preview;
  QLabel* m_file;
  QLabel* m_info;
  QLabel* m_status;
  QPushButton* m_start;
  QProgressBar* m_progress;
};

}  // namespace nuvrel::gui
