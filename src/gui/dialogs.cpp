// SPDX-License-Identifier: MIT
#include "gui/dialogs.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "gui/about_dialog.h"
#include "gui/exec_modal.h"
#include "gui/go_to_line_dialog.h"
#include "gui/register_history_dialog.h"

namespace nuvrel::gui {

std::optional<QString> QtDialogs::OpenFileName(QWidget* parent) {
  QFileDialog dialog(parent, "Open");
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilters({"Text files (*.txt)", "All files (*)"});
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QString> QtDialogs::SaveFileName(QWidget* parent, FileKind kind) {
  QFileDialog dialog(parent, "Save As");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(
      {kind == FileKind::Sheet ? "Tab separated text (.txt) (*.txt)" : "Text files (*.txt)",
       "All files (*)"});
  dialog.setDefaultSuffix("txt");
  if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<FindRequest> QtDialogs::Find(QWidget* parent) {
  FindDialog dialog(parent);
  if (ExecModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Request();
}

std::optional<unsigned> QtDialogs::GoToLine(QWidget* parent, unsigned largestLine, app::Ui& ui) {
  GoToLineDialog dialog(largestLine, ui, parent);
  if (ExecModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Line();
}

std::optional<transfers::RecordedState> QtDialogs::RegisterHistory(
    QWidget* parent, const std::vector<transfers::RecordedState>& states, std::uint32_t device) {
  RegisterHistoryDialog dialog(states, device, parent);
  if (ExecModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

void QtDialogs::About(QWidget* parent) {
  AboutDialog box(parent);
  ExecModal(box);
}

bool QtDialogs::Print(QWidget* parent, QPrinter& printer, int pageCount) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, std::max(1, pageCount));
  return ExecModal(dialog) == QDialog::Accepted;
}

void QtDialogs::Preview(QWidget* parent, QPrinter& printer,
                        const std::function<void(QPrinter*)>& paint) {
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
  dialog.resize(900, 700);
  ExecModal(dialog);
}

std::optional<PrintChoice> QtDialogs::PrintSetup(QWidget* parent, const PrintChoice& choice) {
  PrintSetupDialog dialog(choice, parent);
  if (ExecModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

}  // namespace nuvrel::gui
