// SPDX-License-Identifier: MIT
#include "gui/gui_ui.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QWindow>

#include "app/strings.h"
#include "grid/cell_table.h"
#include "gui/check_results_dialog.h"
#include "gui/exec_modal.h"
#include "gui/grid_widget.h"
#include "gui/text_codec.h"
#include "gui/transfer_progress_dialog.h"

namespace nuvrel::gui {
namespace {

QMessageBox::Icon BoxIcon(app::Icon icon) {
  switch (icon) {
    case app::Icon::Error: return QMessageBox::Critical;
    case app::Icon::Information: return QMessageBox::Information;
    case app::Icon::Question: return QMessageBox::Question;
    case app::Icon::Warning: return QMessageBox::Warning;
  }
  return QMessageBox::NoIcon;
}

// Message texts break lines with CR LF; a message box wants LF alone.
QString BoxText(std::string_view text) {
  return FromUtf8(text).replace("\r\n", "\n");
}

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod: return true;
    default: return false;
  }
}

}  // namespace

GuiUi::GuiUi(QWidget* window) : m_window(window) {}

GuiUi::~GuiUi() = default;

void GuiUi::ShowMessage(std::string_view text, app::Icon icon) {
  // Behind the box the window shows where the transfer stands.
  ShowPending();
  const QString message = BoxText(text);
  if (messageHook) {
    messageHook(message, icon);
    return;
  }
  QMessageBox box(BoxIcon(icon), FromUtf8(app::Text(app::Sid::AppTitle)), message, QMessageBox::Ok,
                  m_window);
  ExecModal(box);
}

bool GuiUi::Ask(std::string_view text, app::Icon icon, bool noIsDefault) {
  ShowPending();
  const QString question = BoxText(text);
  if (questionHook) return questionHook(question, icon, noIsDefault);
  QMessageBox box(BoxIcon(icon), FromUtf8(app::Text(app::Sid::AppTitle)), question,
                  QMessageBox::Yes | QMessageBox::No, m_window);
  box.setDefaultButton(noIsDefault ? QMessageBox::No : QMessageBox::Yes);
  return ExecModal(box) == QMessageBox::Yes;
}

bool GuiUi::ShowProblems(grid::CellTable& table, const std::vector<app::CellProblem>& problems) {
  const bool errors = app::AnyError(problems);
  if (problemsHook) return problemsHook(problems) && !errors;
  // The check runs under the transfer's wait cursor; the list is for reading and clicking.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  CheckResultsDialog dialog(
      m_window, problems, [&table](int col) { return FromCp1251(table.GetItemText(0, col)); },
      [this, &table](int row, int col) {
        table.SetFocusCell(row, col);
        ScrollTo(table, row, col);
      });
  const bool goOn = ExecModal(dialog) == QDialog::Accepted;
  QApplication::restoreOverrideCursor();
  FocusGrid(table);
  return goOn && !errors;
}

SaveChoice GuiUi::AskToSave(std::string_view text) {
  QMessageBox box(QMessageBox::Question, FromUtf8(app::Text(app::Sid::AppTitle)), BoxText(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_window);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (ExecModal(box)) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
  }
}

UnknownChoice GuiUi::AskWhenUnknown(std::string_view text, bool offerReport) {
  const QString message = BoxText(text);
  if (unknownHook) return unknownHook(message, offerReport);
  QMessageBox box(QMessageBox::Information, FromUtf8(app::Text(app::Sid::AppTitle)), message,
                  QMessageBox::Cancel, m_window);
  QPushButton* whole =
      box.addButton(FromUtf8(app::Text(app::Sid::SendWholeSheetButton)), QMessageBox::AcceptRole);
  QPushButton* report = offerReport ? box.addButton(FromUtf8(app::Text(app::Sid::ReadReportButton)),
                                                    QMessageBox::ActionRole)
                                    : nullptr;
  box.setDefaultButton(whole);
  box.setEscapeButton(QMessageBox::Cancel);
  ExecModal(box);
  if (box.clickedButton() == whole) return UnknownChoice::SendWholeSheet;
  if (report && box.clickedButton() == report) return UnknownChoice::ReadReport;
  return UnknownChoice::Cancel;
}

void GuiUi::SetStatus(std::string_view text) {
  m_statusPending = false;
  m_lastStatus = text;
  if (!m_statusBar) return;
  m_statusBar->showMessage(FromUtf8(text));
  // A transfer shows its progress between records: paint it now.
  m_statusBar->repaint();
}

void GuiUi::SetRecordStatus(std::string_view text) {
  if (Due(m_statusShown)) {
    SetStatus(text);
    return;
  }
  m_lastStatus = text;
  m_statusPending = true;
}

void GuiUi::PumpPaintMessages() {
  if (!Due(m_pumped)) return;
  // Every pending event is taken off the queue; the filter throws input away, the rest (paint,
  // timers, resizes) is handled, so the window stays painted while nothing the person does acts.
  InputBlock block(*this);
  FlushInput();
}

void GuiUi::ShowProgress(const app::Progress& progress) {
  if (!m_progress) {
    m_activeBeforeProgress = QApplication::activeWindow();
    m_progress = std::make_unique<TransferProgressDialog>(m_window);
  }
  m_pendingWhat.assign(progress.what);
  m_pendingProgress = progress;
  m_pendingProgress->what = m_pendingWhat;
  if (Due(m_progressShown)) ShowPending();
}

bool GuiUi::StopRequested() {
  return m_progress && m_progress->StopRequested();
}

void GuiUi::BeginTransfer() {
  SetStatus(app::Text(app::Sid::IdleStatus));
  m_statusShown.invalidate();
  m_progressShown.invalidate();
  m_pumped.invalidate();
  m_scrolled.invalidate();
}

void GuiUi::EndTransfer() {
  // The progress dialog goes now; the status and the scrolling stay.
  m_pendingProgress.reset();
  ShowPending();
  if (!m_progress) return;
  m_progress.reset();
  // The window the person worked in gets the keyboard back, also without a window manager.
  if (m_activeBeforeProgress && m_activeBeforeProgress->isVisible()) {
    m_activeBeforeProgress->activateWindow();
  }
}

void GuiUi::FlushInput() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void GuiUi::BeginWaitCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void GuiUi::EndWaitCursor() {
  QApplication::restoreOverrideCursor();
}

bool GuiUi::Due(QElapsedTimer& since) {
  if (since.isValid() && since.elapsed() < kRecordPaintIntervalMs) return false;
  since.start();
  return true;
}

void GuiUi::ShowPending() {
  if (m_statusPending) {
    const std::string text = m_lastStatus;
    SetStatus(text);
  }
  if (m_pendingProgress && m_progress) m_progress->Show(*m_pendingProgress);
  m_pendingProgress.reset();
  if (m_pendingScroll)
    ScrollTo(*m_pendingScroll->table, m_pendingScroll->row, m_pendingScroll->col);
  m_pendingScroll.reset();
}

void GuiUi::EnsureVisible(grid::CellTable& table, int row, int col) {
  // Only the row a transfer stored last needs to be in view in the end.
  if (TransferRunning() && !Due(m_scrolled)) {
    m_pendingScroll = Scroll{&table, row, col};
    return;
  }
  m_pendingScroll.reset();
  ScrollTo(table, row, col);
}

void GuiUi::ScrollTo(grid::CellTable& table, int row, int col) {
  if (auto it = m_grids.find(&table); it != m_grids.end()) it->second->EnsureVisible(row, col);
}

void GuiUi::FocusGrid(grid::CellTable& table) {
  if (auto it = m_grids.find(&table); it != m_grids.end()) it->second->setFocus();
}

bool GuiUi::eventFilter(QObject* watched, QEvent* event) {
  if (m_blocking > 0 && IsInput(event->type()) && !InRaisedModal(watched)) return true;
  return QObject::eventFilter(watched, event);
}

bool GuiUi::InRaisedModal(QObject* watched) const {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || modal == m_modalAtBlock) return false;
  // Input reaches a window first and then its widgets; both must pass.
  if (const auto* widget = qobject_cast<QWidget*>(watched)) return widget->window() == modal;
  if (const auto* window = qobject_cast<QWindow*>(watched)) return window == modal->windowHandle();
  return false;
}

GuiUi::InputBlock::InputBlock(GuiUi& ui) : m_ui(ui) {
  if (m_ui.m_blocking++ == 0) {
    m_ui.m_modalAtBlock = QApplication::activeModalWidget();
    qApp->installEventFilter(&m_ui);
  }
}

GuiUi::InputBlock::~InputBlock() {
  if (--m_ui.m_blocking == 0) qApp->removeEventFilter(&m_ui);
}

}  // namespace nuvrel::gui
