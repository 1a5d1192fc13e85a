// SPDX-License-Identifier: MIT
// The history of each register: its recorded states (when, which sheet, what was sent or read, how
// many rows), one register at a time; one of them is chosen to be opened into its sheet.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "transfers/register_memory.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace nuvrel::gui {

// A state's time in the local time zone, to the second.
QString StateTimeText(std::int64_t msSinceEpoch);

class RegisterHistoryDialog final : public QDialog {
  Q_OBJECT
 public:
  // Lists the states of `device` first; the person may pick another register of the list.
  RegisterHistoryDialog(std::vector<transfers::RecordedState> states, std::uint32_t device,
                        QWidget* parent = nullptr);

  // The state to open, once accepted.
  std::optional<transfers::RecordedState> Chosen() const;

 private:
  void ShowDevice();

  std::vector<transfers::RecordedState> m_states;
  QComboBox* m_devices;
  QTreeWidget* m_list;
  QPushButton* m_open;
};

}  // namespace nuvrel::gui
