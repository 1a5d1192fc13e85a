// SPDX-License-Identifier: MIT
#include "gui/logo_manager_dialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>

#include "app/format.h"
#include "app/settings.h"
#include "app/strings.h"
#include "app/utf8_path.h"
#include "gui/artwork.h"
#include "gui/gui_ui.h"
#include "gui/icons.h"
#include "gui/text_codec.h"

namespace nuvrel::gui {
namespace {

constexpr int kPreviewWidth = 384;
constexpr int kPreviewHeight = 80;
constexpr int kPreviewMargin = 10;

std::string ProgramFolder() {
  return QFileInfo(QCoreApplication::applicationFilePath()).absolutePath().toStdString();
}

}  // namespace

LogoManagerDialog::LogoManagerDialog(transfers::LogoState& logo, app::SettingsFile& settings,
                                     GuiUi& ui, RegisterLink& link, QWidget* parent)
    : QDialog(parent),
      m_logo(logo),
      m_settings(settings),
      m_ui(ui),
      m_link(link),
      m_file(new QLabel(this)),
      m_info(new QLabel(this)),
      m_status(new QLabel(this)),
      m_start(new QPushButton("&Start", this)),
      m_progress(new QProgressBar(this)) {
  setWindowTitle("Logo Manager");
  setWindowIcon(MakeIcon(IconId::SendLogo));
  chooseFile = [this]() -> std::optional<QString> {
    const QString path = QFileDialog::getOpenFileName(
        this, "Select an image", QString::fromStdString(app::LogoPath(m_settings)),
        "Bitmap files (*.bmp);;All Files (*)");
    if (path.isEmpty()) return std::nullopt;
    return path;
  };

  auto* load = new QPushButton("&Load", this);
  auto* byDefault = new QPushButton("&Default", this);
  auto* exit = new QPushButton("E&xit", this);
  m_start->setDefault(true);
  connect(load, &QPushButton::clicked, this, &LogoManagerDialog::OnLoad);
  connect(byDefault, &QPushButton::clicked, this, &LogoManagerDialog::OnDefault);
  connect(m_start, &QPushButton::clicked, this, &LogoManagerDialog::OnStart);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);

  m_progress->setRange(0, 105);
  m_progress->setTextVisible(false);
  m_file->setAlignment(Qt::AlignCenter);
  m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_info->setAlignment(Qt::AlignCenter);
  m_status->setWordWrap(true);
  auto* advised = new QLabel(FromUtf8(transfers::AdvisedFormatText()), this);
  advised->setAlignment(Qt::AlignCenter);
  auto* separator = new QFrame(this);
  separator->setFrameShape(QFrame::HLine);

  auto* layout = new QGridLayout(this);
  // Room for the preview, drawn by paintEvent at (10, 10).
  layout->setRowMinimumHeight(0, kPreviewHeight + kPreviewMargin);
  layout->setColumnMinimumWidth(1, kPreviewWidth - 140);
  layout->addWidget(m_file, 1, 0, 1, 3);
  layout->addWidget(m_info, 2, 0, 1, 3);
  layout->addWidget(separator, 3, 0, 1, 3);
  layout->addWidget(load, 4, 0);
  auto* advisedRow = new QHBoxLayout;
  advisedRow->addWidget(new QLabel("Advised:", this));
  advisedRow->addWidget(advised, 1);
  layout->addLayout(advisedRow, 4, 1);
  layout->addWidget(byDefault, 4, 2);
  layout->addWidget(m_start, 5, 0);
  layout->addWidget(m_progress, 5, 1);
  layout->addWidget(exit, 5, 2);
  layout->addWidget(m_status, 6, 0, 1, 3);
  setMinimumWidth(kPreviewWidth + 2 * kPreviewMargin + 20);

  transfers::InitialLoad(m_logo, m_settings, ProgramFolder());
  RefreshPreview();
}

QString LogoManagerDialog::InfoText() const {
  return m_info->text();
}

QString LogoManagerDialog::FileText() const {
  return m_file->text();
}

QString LogoManagerDialog::StatusText() const {
  return m_status->text();
}

bool LogoManagerDialog::FileChosen() const {
  return m_logo.loaded && !m_logo.builtIn && !m_logo.path.empty();
}

void LogoManagerDialog::RefreshPreview() {
  m_info->setText(FromUtf8(m_logo.infoLine));
  m_file->setText(FileChosen() ? FromUtf8(app::Format(app::Sid::LogoFile, {FileName()}))
                               : FromUtf8(app::Text(app::Sid::LogoBuiltInShown)));
  m_file->setToolTip(FileChosen() ? QString::fromStdString(m_logo.path) : QString());
  // Only a file can be sent: the built-in picture is not one.
  m_start->setEnabled(FileChosen());
  m_status->clear();
  if (!m_logo.loaded) {
    m_preview = QImage();
  } else if (m_logo.builtIn) {
    m_preview = BuiltInLogo();
  } else {
    m_preview = QImage(QString::fromStdString(m_logo.path));
  }
  update();
}

void LogoManagerDialog::Load(const std::string& path) {
  transfers::LoadLogo(m_logo, m_settings, path);
  RefreshPreview();
}

void LogoManagerDialog::OnLoad() {
  if (const auto path = chooseFile()) Load(path->toStdString());
}

void LogoManagerDialog::OnDefault() {
  if (!m_ui.Ask(app::Text(app::Sid::LogoLoadDefault), app::Icon::Question, true)) return;
  transfers::LoadDefaultLogo(m_logo, m_settings, ProgramFolder());
  RefreshPreview();
}

void LogoManagerDialog::OnStart() {
  m_start->setEnabled(false);
  m_status->clear();
  const bool sent = m_link.Run(m_ui, [&](auto& context) {
    return transfers::SendLogo(context, m_logo, [this](int position) {
      m_progress->setValue(std::min(position, m_progress->maximum()));
      m_progress->repaint();
    });
  });
  // A failure has told its reason in a message box; a send that worked says so here.
  if (sent) {
    // A file under 100 bytes goes in fewer chunks than the bar has steps: a logo taken fills it.
    m_progress->setValue(m_progress->maximum());
    m_status->setText(FromUtf8(app::Format(app::Sid::LogoSent, {FileName()})));
  }
  m_start->setEnabled(FileChosen());
}

std::string LogoManagerDialog::FileName() const {
  return app::PathText(app::Utf8Path(m_logo.path).filename());
}

void LogoManagerDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (m_preview.isNull() || isMinimized()) return;
  QPainter painter(this);
  painter.drawImage(QPoint(kPreviewMargin, kPreviewMargin), m_preview,
                    QRect(0, 0, std::min(m_preview.width(), kPreviewWidth),
                          std::min(m_preview.height(), kPreviewHeight)));
}

}  // namespace nuvrel::gui
