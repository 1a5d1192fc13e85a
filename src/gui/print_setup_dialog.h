// SPDX-License-Identifier: MIT
// Print Setup: the printer, paper and orientation that Print and Print Preview use, kept in the
// settings across runs, and the small dialog that chooses them.
#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace nuvrel::gui {

struct PrintChoice {
  QString printer;  // empty: the system's default printer
  QPageSize::PageSizeId paper = QPageSize::A4;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  friend bool operator==(const PrintChoice&, const PrintChoice&) = default;
};

// The choice kept in the settings; what `defaults` is set to where nothing was kept.
PrintChoice LoadPrintChoice(const QPrinter& defaults);
void StorePrintChoice(const PrintChoice& choice);

// Sets the printer, paper and orientation on a printer. A printer that is no longer installed
// leaves the default one.
void ApplyPrintChoice(const PrintChoice& choice, QPrinter& printer);
// What a printer is set to (after the print dialog, where the person may have changed it).
PrintChoice ChoiceOf(const QPrinter& printer);

class PrintSetupDialog final : public QDialog {
  Q_OBJECT
 public:
  explicit PrintSetupDialog(const PrintChoice& choice, QWidget* parent = nullptr);
  PrintChoice Choice() const;

 private:
  void FillPapers(QPageSize::PageSizeId selected);

  QComboBox* m_printer;
  QComboBox* m_paper;
  QRadioButton* m_portrait;
  QRadioButton* m_landscape;
};

}  // namespace nuvrel::gui
