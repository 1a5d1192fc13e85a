// SPDX-License-Identifier: MIT
// The Ui port in the desktop program: message boxes, the first status-bar pane, the wait cursor,
// and repainting during a transfer while the person's input is thrown away. A report brings its
// records far faster than a screen shows them: during a transfer the status of each record, the
// progress, the repaint and the scrolling to each stored row happen at most every
// kRecordPaintIntervalMs each, and what stands when the transfer ends is always shown.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStatusBar>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/strings.h"
#include "app/ui.h"

class QStatusBar;
class QWidget;

namespace nuvrel::gui {

class GridWidget;
class TransferProgressDialog;

// About 20 times a second.
inline constexpr qint64 kRecordPaintIntervalMs = 50;

// The answer to "save first?" before something would lose unsaved data.
enum class SaveChoice { Save, Discard, Cancel };

// What to do when nothing is known of what the register holds.
enum class UnknownChoice { SendWholeSheet, ReadReport, Cancel };

class GuiUi final : public QObject, public app::Ui {
 public:
  explicit GuiUi(QWidget* window);
  ~GuiUi() override;

  void ShowMessage(std::string_view text, app::Icon icon) override;
  bool Ask(std::string_view text, app::Icon icon, bool noIsDefault) override;
  // The list of problems in its own window; choosing a line shows the cell.
  bool ShowProblems(grid::CellTable& table, const std::vector<app::CellProblem>& problems) override;
  void SetStatus(std::string_view text) override;
  void SetRecordStatus(std::string_view text) override;
  // The text last put into the first status pane (UTF-8).
  const std::string& LastStatus() const { return m_lastStatus; }
  // Save (the default, Enter), Discard or Cancel (Esc), with the question icon.
  SaveChoice AskToSave(std::string_view text);
  // Send the whole sheet (the default), read the articles report (offered when offerReport), or
  // Cancel (Esc), with the information icon.
  UnknownChoice AskWhenUnknown(std::string_view text, bool offerReport);
  void PumpPaintMessages() override;
  // The progress dialog, shown from a transfer's first progress to its end.
  void ShowProgress(const app::Progress& progress) override;
  // Cancel in the progress dialog.
  bool StopRequested() override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void EnsureVisible(grid::CellTable& table, int row, int col) override;
  void FocusGrid(grid::CellTable& table) override;

  void SetWindow(QWidget* window) { m_window = window; }
  // Whether a transfer is running (input to the main window is being thrown away).
  bool TransferRunning() const { return m_blocking > 0; }
  void SetStatusBar(QStatusBar* bar) { m_statusBar = bar; }
  // The widget that shows a table, for scrolling and focus.
  void RegisterGrid(grid::CellTable& table, GridWidget* widget) { m_grids[&table] = widget; }

  // Tests answer here instead of a modal box: the message or question text (Unicode), its icon and,
  // for questions, whether No is the default; a question's hook returns the answer.
  std::function<void(const QString&, app::Icon)> messageHook;
  std::function<bool(const QString&, app::Icon, bool)> questionHook;
  // And here instead of the list of problems; returns whether to go on past warnings.
  std::function<bool(const std::vector<app::CellProblem>&)> problemsHook;
  // And here instead of the choice when nothing is known of the register.
  std::function<UnknownChoice(const QString&, bool)> unknownHook;

  // Runs a transfer (or any exchange with the register) with the input to the open windows thrown
  // away, including what arrived during its last wait; returns what the transfer returned.
  template <class Transfer>
  auto RunTransfer(Transfer&& transfer) {
    InputBlock block(*this);
    BeginTransfer();
    struct End {
      GuiUi& ui;
      ~End() {
        ui.EndTransfer();
        FlushInput();
      }
    } end{*this};
    return transfer();
  }

  // Throws away keyboard and mouse input to the windows that were open when it began, for as long
  // as it lives (transfers run on this thread and pump only to repaint; input that arrives
  // meanwhile must not act afterwards). A message box or question raised meanwhile takes input as
  // usual.
  class InputBlock {
   public:
    explicit InputBlock(GuiUi& ui);
    ~InputBlock();
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

   private:
    GuiUi& m_ui;
  };

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Handles what is queued now; input among it is thrown away by the running block.
  static void FlushInput();
  // Sets the status to idle (the status of the transfer before must not stand for this one, should
  // it end early) and lets the first record's status and progress through at once.
  void BeginTransfer();
  // Shows what the transfer left waiting and closes its progress dialog.
  void EndTransfer();
  // Whether the throttle lets the next one through now; restarts it when it does.
  static bool Due(QElapsedTimer& since);
  // Shows the record status, the progress and the scrolling that wait for their turn.
  void ShowPending();
  void ScrollTo(grid::CellTable& table, int row, int col);
  // Whether the object belongs to a modal window opened after the input block began.
  bool InRaisedModal(QObject* watched) const;

  QWidget* m_window;
  QPointer<QStatusBar> m_statusBar;
  std::map<const grid::CellTable*, GridWidget*> m_grids;
  int m_blocking = 0;
  // The modal window that was active when the block began (a dialog that started the transfer).
  QPointer<QWidget> m_modalAtBlock;
  std::unique_ptr<TransferProgressDialog> m_progress;
  QPointer<QWidget> m_activeBeforeProgress;
  std::string m_lastStatus;

  // The throttle of a transfer's records.
  QElapsedTimer m_statusShown;
  QElapsedTimer m_progressShown;
  QElapsedTimer m_pumped;
  QElapsedTimer m_scrolled;
  bool m_statusPending = false;
  std::optional<app::Progress> m_pendingProgress;
  std::string m_pendingWhat;  // the text of m_pendingProgress
  struct Scroll {
    grid::CellTable* table;
    int row;
    int col;
  };
  std::optional<Scroll> m_pendingScroll;
};

}  // namespace nuvrel::gui
