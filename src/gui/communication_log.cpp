// SPDX-License-Identifier: MIT
#include "gui/communication_log.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/file_replace.h"
#include "gui/dialogs.h"
#include "gui/gui_ui.h"
#include "gui/text_codec.h"

namespace nuvrel::gui {
namespace {

// The log keeps the newest entries; the screen shows fewer, the file gets all that are kept.
constexpr std::size_t kKeptEntries = 100000;
constexpr int kShownLines = 5000;

}  // namespace

CommunicationLog::CommunicationLog(Dialogs& dialogs, GuiUi& ui, QWidget* parent)
    : QDockWidget("Communication log", parent),
      m_dialogs(dialogs),
      m_ui(ui),
      m_text(new QPlainTextEdit) {
  setObjectName("communicationLog");
  m_text->setReadOnly(true);
  m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_text->setMaximumBlockCount(kShownLines);
  m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  auto* save = new QPushButton("&Save...");
  auto* clear = new QPushButton("C&lear");
  connect(save, &QPushButton::clicked, this, [this] { Save(); });
  connect(clear, &QPushButton::clicked, this, [this] { Clear(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(save);
  buttons->addWidget(clear);
  buttons->addStretch();

  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(m_text);
  layout->addLayout(buttons);
  setWidget(body);
}

QString CommunicationLog::DisplayLine(const link::TraceEntry& entry) {
  QString line = QString::fromStdString(link::TraceLine(entry));
  if (entry.direction == "--") return line;
  // The bytes once more as text: what is printable, a dot for the rest.
  QString text;
  for (const std::uint8_t b : entry.bytes) text += b >= 0x20 && b < 0x7F ? QChar(b) : QChar('.');
  return line + "   " + text;
}

void CommunicationLog::Add(const link::TraceEntry& entry) {
  if (entry.direction != "RX") {
    if (m_lineOpen) {
      // A frame cut short is shown as far as it came.
      m_lineOpen = false;
      Show(m_entries.back());
    }
    Keep(entry);
    Show(entry);
    return;
  }
  // A read may bring the rest of one frame and whole frames after it: each LF ends a line.
  auto first = entry.bytes.begin();
  while (first != entry.bytes.end()) {
    const auto lineFeed = std::find(first, entry.bytes.end(), '\n');
    const auto last = lineFeed == entry.bytes.end() ? lineFeed : lineFeed + 1;
    if (m_lineOpen) {
      std::vector<std::uint8_t>& open = m_entries.back().bytes;
      open.insert(open.end(), first, last);
    } else {
      Keep({entry.seconds, entry.direction, {first, last}, {}});
    }
    m_lineOpen = lineFeed == entry.bytes.end();
    if (!m_lineOpen) Show(m_entries.back());
    first = last;
  }
}

void CommunicationLog::Keep(const link::TraceEntry& entry) {
  m_entries.push_back(entry);
  if (m_entries.size() > kKeptEntries) m_entries.pop_front();
}

void CommunicationLog::Show(const link::TraceEntry& entry) {
  if (isVisible()) m_text->appendPlainText(DisplayLine(entry));
}

void CommunicationLog::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  // What came while the dock was hidden.
  QStringList lines;
  const std::size_t first = m_entries.size() > kShownLines ? m_entries.size() - kShownLines : 0;
  for (std::size_t i = first; i < m_entries.size(); ++i) lines << DisplayLine(m_entries[i]);
  m_text->setPlainText(lines.join('\n'));
  m_text->moveCursor(QTextCursor::End);
}

std::string CommunicationLog::TraceText() const {
  std::string text;
  for (const link::TraceEntry& entry : m_entries) text += link::TraceLine(entry) + '\n';
  return text;
}

void CommunicationLog::Save() {
  const std::optional<QString> path = m_dialogs.SaveFileName(this, FileKind::Text);
  if (!path) return;
  app::SaveFile(m_ui, ToPath(*path), TraceText());
}

void CommunicationLog::Clear() {
  m_entries.clear();
  m_lineOpen = false;
  m_text->clear();
}

}  // namespace nuvrel::gui
