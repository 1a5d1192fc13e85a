// SPDX-License-Identifier: MIT
#include "gui/check_results_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/format.h"
#include "app/strings.h"
#include "gui/text_codec.h"

namespace nuvrel::gui {
namespace {

enum Column { kRow, kColumn, kProblem };

QString TextOf(app::Sid id) {
  return FromUtf8(app::Text(id));
}

// So many lines show without scrolling.
constexpr int kLinesShown = 12;

}  // namespace

CheckResultsDialog::CheckResultsDialog(QWidget* parent,
                                       const std::vector<app::CellProblem>& problems,
                                       const std::function<QString(int col)>& columnName,
                                       std::function<void(int row, int col)> goTo)
    : QDialog(parent), m_problems(problems), m_goTo(std::move(goTo)) {
  setWindowTitle(TextOf(app::Sid::AppTitle));
  const bool errors = app::AnyError(problems);

  auto* heading = new QLabel(
      TextOf(errors ? app::Sid::ProblemsStopSending : app::Sid::ProblemsWarningsOnly), this);
  heading->setWordWrap(true);

  m_list = new QTreeWidget(this);
  m_list->setColumnCount(3);
  m_list->setHeaderLabels({TextOf(app::Sid::ProblemRowHeader),
                           TextOf(app::Sid::ProblemColumnHeader), TextOf(app::Sid::ProblemHeader)});
  m_list->setRootIsDecorated(false);
  m_list->setUniformRowHeights(true);
  m_list->setAllColumnsShowFocus(true);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
  const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  for (const app::CellProblem& problem : m_problems) {
    const bool error = problem.severity == app::Severity::Error;
    const std::string kind(app::Text(error ? app::Sid::ProblemError : app::Sid::ProblemWarning));
    auto* item = new QTreeWidgetItem(m_list);
    item->setText(kRow, QString::number(problem.row));
    item->setTextAlignment(kRow, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(kColumn, columnName(problem.col));
    // The word says it as well as the icon, for whoever cannot tell the icons apart.
    item->setText(kProblem, FromUtf8(app::Format(app::Sid::ProblemLine, {kind, problem.message})));
    item->setIcon(kProblem, error ? errorIcon : warningIcon);
  }
  for (int column : {kRow, kColumn, kProblem}) m_list->resizeColumnToContents(column);
  const int lines = std::min<int>(static_cast<int>(m_problems.size()), kLinesShown);
  const int lineHeight = m_list->sizeHintForRow(0);
  m_list->setMinimumHeight(m_list->header()->sizeHint().height() + lineHeight * lines +
                           2 * m_list->frameWidth() + 4);
  m_list->setMinimumWidth(std::max(480, m_list->columnWidth(kRow) + m_list->columnWidth(kColumn) +
                                            m_list->columnWidth(kProblem) +
                                            2 * m_list->frameWidth() + 8));
  m_list->header()->setStretchLastSection(true);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* stay = nullptr;
  if (errors) {
    stay = buttons->addButton(QDialogButtonBox::Close);
  } else {
    QPushButton* send =
        buttons->addButton(TextOf(app::Sid::SendAnyway), QDialogButtonBox::AcceptRole);
    send->setAutoDefault(false);
    stay = buttons->addButton(QDialogButtonBox::Cancel);
  }
  stay->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(m_list);
  layout->addWidget(buttons);

  // A click on the line already chosen shows its cell again (the person may have scrolled).
  connect(m_list, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { GoTo(item); });
  connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { GoTo(item); });
  connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { GoTo(item); });
  // The first problem is shown at once, and Enter closes the list there.
  m_list->setCurrentItem(m_list->topLevelItem(0));
  m_list->setFocus();
}

void CheckResultsDialog::GoTo(QTreeWidgetItem* item) {
  if (!item || !m_goTo) return;
  const int index = m_list->indexOfTopLevelItem(item);
  if (index < 0 || index >= static_cast<int>(m_problems.size())) return;
  m_goTo(m_problems[static_cast<std::size_t>(index)].row,
         m_problems[static_cast<std::size_t>(index)].col);
}

}  // namespace nuvrel::gui
