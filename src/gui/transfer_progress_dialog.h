// SPDX-License-Identifier: MIT
// The dialog over the window while a transfer runs: what is being sent or read, "37 of 412", a bar,
// the time taken and the time left, and Cancel. The transfer runs on the window's thread and looks
// at the dialog between records; Cancel asks it to stop there.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include "app/ui.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace nuvrel::gui {

class TransferProgressDialog final : public QDialog {
  Q_OBJECT
 public:
  explicit TransferProgressDialog(QWidget* parent);

  // Shows where the transfer stands (the first call shows the dialog).
  void Show(const app::Progress& progress);
  // Whether Cancel was pressed.
  bool StopRequested() const { return m_stop; }

  // "1:05": minutes and seconds.
  static QString Duration(qint64 seconds);

 protected:
  // Esc and the window's close button cancel, as the button does; the transfer closes the dialog.
  void reject() override;

 private:
  void Cancel();
  void ShowTimes();

  QLabel* m_what;
  QLabel* m_count;
  QProgressBar* m_bar;
  QLabel* m_times;
  QPushButton* m_cancel;
  QElapsedTimer m_elapsed;
  QTimer m_tick;  // keeps the elapsed time moving while the line is quiet
  unsigned m_done = 0;
  unsigned m_total = 0;
  qint64 m_lastItemMs = 0;  // when the last item was done, for the time left
  bool m_stop = false;
};

}  // namespace nuvrel::gui
