// SPDX-License-Identifier: MIT
// The list of what the check before sending found: a line per problem with its row, its column's
// header and its message, errors and warnings told apart by icon and word. Choosing a line (a
// click, the arrow keys, Enter) shows its cell in the grid. With an error standing the list only
// closes; with warnings alone the person may send anyway (Cancel is the default).
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/cell_problem.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace nuvrel::gui {

class CheckResultsDialog final : public QDialog {
 public:
  // `columnName` names a column of the sheet; `goTo` makes a cell the grid's focus cell, in view.
  // exec() returns Accepted only for "Send anyway".
  CheckResultsDialog(QWidget* parent, const std::vector<app::CellProblem>& problems,
                     const std::function<QString(int col)>& columnName,
                     std::function<void(int row, int col)> goTo);

 private:
  void GoTo(QTreeWidgetItem* item);

  std::vector<app::CellProblem> m_problems;
  std::function<void(int row, int col)> m_goTo;
  QTreeWidget* m_list = nullptr;
};

}  // namespace nuvrel::gui
