// SPDX-License-Identifier: MIT
// The Ui port in the desktop program: message boxes, the first status-bar pane, the wait cursor,
// and repainting during a transfer while the person's input is thrown away.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStatusBar>
#include <functional>
#include <map>

#include "app/ui.h"

class QStatusBar;
class QWidget;

namespace nuvrel::gui {

class CGridCtrl;

class GuiUi final : public QObject, public app::Ui {
 public:
  explicit GuiUi(QWidget* window);

  void ShowMessage(std::string_view text, app::Icon icon) override;
  bool Ask(std::string_view text, app::Icon icon, bool noIsDefault) override;
  void SetStatus(std::string_view text) override;
  void PumpPaintMessages() override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void EnsureVisible(grid::CellTable& table, int row, int col) override;
  void FocusGrid(grid::CellTable& table) override;

  void SetWindow(QWidget* window) { m_window = window; }
  void SetStatusBar(QStatusBar* bar) { m_statusBar = bar; }
  // The widget that shows a table, for scrolling and focus.
  void RegisterGrid(grid::CellTable& table, CGridCtrl* widget) { m_grids[&table] = widget; }

  // Tests answer here instead of a modal box: the message or question text (Unicode), its icon and,
  // for questions, whether No is the default; a question's hook returns the answer.
  std::function<void(const QString&, app::Icon)> messageHook;
  std::function<bool(const QString&, app::Icon, bool)> questionHook;

  // Throws away keyboard and mouse input for as long as it lives (transfers run on this thread and
  // pump only to repaint; input that arrives meanwhile must not act afterwards).
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
  QWidget* m_window;
  QPointer<QStatusBar> m_statusBar;
  std::map<const grid::CellTable*, CGridCtrl*> m_grids;
  int m_blocking = 0;
};

}  // namespace nuvrel::gui
