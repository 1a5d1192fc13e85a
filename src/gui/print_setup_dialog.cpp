// SPDX-License-Identifier: MIT
#include "gui/print_setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <algorithm>
#include <iterator>
#include <optional>

#include "app/strings.h"
#include "gui/commands.h"
#include "gui/text_codec.h"
#include "gui/window_settings.h"

namespace nuvrel::gui {
namespace {

constexpr const char* kPrinterKey = "Print/Printer";
constexpr const char* kPaperKey = "Print/Paper";
constexpr const char* kLandscapeKey = "Print/Landscape";

// The papers offered when the printer does not say which it takes (no printer, or a PDF file).
constexpr QPageSize::PageSizeId kCommonPapers[] = {QPageSize::A3,     QPageSize::A4,
                                                   QPageSize::A5,     QPageSize::B5,
                                                   QPageSize::Letter, QPageSize::Legal};

std::optional<QPageSize::PageSizeId> PaperByKey(const QString& key) {
  for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
    const auto paper = static_cast<QPageSize::PageSizeId>(id);
    if (QPageSize::key(paper) == key) return paper;
  }
  return std::nullopt;
}

bool Installed(const QString& printer) {
  return !printer.isEmpty() && QPrinterInfo::availablePrinterNames().contains(printer);
}

}  // namespace

PrintChoice LoadPrintChoice(const QPrinter& defaults) {
  PrintChoice choice = ChoiceOf(defaults);
  const WindowSettings settings;
  if (settings.contains(kPrinterKey)) choice.printer = settings.value(kPrinterKey).toString();
  if (const auto paper = PaperByKey(settings.value(kPaperKey).toString())) choice.paper = *paper;
  if (settings.contains(kLandscapeKey)) {
    choice.orientation =
        settings.value(kLandscapeKey).toBool() ? QPageLayout::Landscape : QPageLayout::Portrait;
  }
  return choice;
}

void StorePrintChoice(const PrintChoice& choice) {
  WindowSettings settings;
  settings.setValue(kPrinterKey, choice.printer);
  settings.setValue(kPaperKey, QPageSize::key(choice.paper));
  settings.setValue(kLandscapeKey, choice.orientation == QPageLayout::Landscape);
}

void ApplyPrintChoice(const PrintChoice& choice, QPrinter& printer) {
  if (Installed(choice.printer)) printer.setPrinterName(choice.printer);
  printer.setPageSize(QPageSize(choice.paper));
  printer.setPageOrientation(choice.orientation);
}

PrintChoice ChoiceOf(const QPrinter& printer) {
  PrintChoice choice;
  choice.printer = printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : "";
  const QPageSize::PageSizeId paper = printer.pageLayout().pageSize().id();
  if (paper != QPageSize::Custom) choice.paper = paper;
  choice.orientation = printer.pageLayout().orientation();
  return choice;
}

PrintSetupDialog::PrintSetupDialog(const PrintChoice& choice, QWidget* parent)
    : QDialog(parent),
      m_printer(new QComboBox(this)),
      m_paper(new QComboBox(this)),
      m_portrait(new QRadioButton(FromUtf8(app::Text(app::Sid::Portrait)), this)),
      m_landscape(new QRadioButton(FromUtf8(app::Text(app::Sid::Landscape)), this)) {
  setWindowTitle(SpecOf(Cmd::PrintSetup).tip);
  const QStringList printers = QPrinterInfo::availablePrinterNames();
  if (printers.isEmpty()) {
    m_printer->addItem(FromUtf8(app::Text(app::Sid::NoPrinter)));
    m_printer->setEnabled(false);
  } else {
    m_printer->addItems(printers);
    const QString current =
        Installed(choice.printer) ? choice.printer : QPrinterInfo::defaultPrinterName();
    m_printer->setCurrentIndex(std::max(0, static_cast<int>(printers.indexOf(current))));
  }
  FillPapers(choice.paper);
  connect(m_printer, &QComboBox::currentIndexChanged, this, [this] { FillPapers(Choice().paper); });
  (choice.orientation == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);

  auto* orientation = new QHBoxLayout;
  orientation->addWidget(m_portrait);
  orientation->addWidget(m_landscape);
  orientation->addStretch();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* form = new QFormLayout(this);
  form->addRow(FromUtf8(app::Text(app::Sid::PrinterLabel)), m_printer);
  form->addRow(FromUtf8(app::Text(app::Sid::PaperLabel)), m_paper);
  form->addRow(FromUtf8(app::Text(app::Sid::OrientationLabel)), orientation);
  form->addRow(buttons);
  setMinimumWidth(360);
}

void PrintSetupDialog::FillPapers(QPageSize::PageSizeId selected) {
  QList<QPageSize::PageSizeId> papers;
  const QString printer = Choice().printer;
  if (Installed(printer)) {
    for (const QPageSize& size : QPrinterInfo::printerInfo(printer).supportedPageSizes()) {
      if (size.id() != QPageSize::Custom && !papers.contains(size.id())) papers.append(size.id());
    }
  }
  if (papers.isEmpty())
    papers = QList<QPageSize::PageSizeId>(std::begin(kCommonPapers), std::end(kCommonPapers));
  if (!papers.contains(selected)) papers.prepend(selected);

  const QSignalBlocker quiet(m_paper);
  m_paper->clear();
  for (QPageSize::PageSizeId paper : papers) {
    m_paper->addItem(QPageSize::name(paper), static_cast<int>(paper));
  }
  m_paper->setCurrentIndex(static_cast<int>(papers.indexOf(selected)));
}

PrintChoice PrintSetupDialog::Choice() const {
  PrintChoice choice;
  choice.printer = m_printer->isEnabled() ? m_printer->currentText() : QString();
  if (m_paper->currentIndex() >= 0) {
    choice.paper = static_cast<QPageSize::PageSizeId>(m_paper->currentData().toInt());
  }
  choice.orientation = m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
  return choice;
}

}  // namespace nuvrel::gui
