// SPDX-License-Identifier: MIT
#include "gui/grid_printer.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>
#include <string>
#include <vector>

#include "app/strings.h"
#include "grid/page_layout.h"
#include "grid/text_measurer.h"
#include "gui/text_codec.h"
#include "pdf_pages.h"
#include "sheets/layouts.h"
#include "sheets/sheet_file.h"
#include "support/temp_dir.h"

namespace nuvrel::gui {
namespace {

using grid::Rgb;
using test::HavePoppler;
using test::PdfPageCount;

constexpr int kArticleRows = 240;  // several pages
const QString kTitle = QStringLiteral("Articles (articles.txt)");

// The example price list dealt out over the first rows of the sheet, each line under its own
// label.
std::string ArticlesText() {
  const std::vector<std::string> items = {
      "Hleb beli 500g\t860010100001\t65.00\tA\t1\t0\t40.000",
      "Mleko 2.8% 1l\t860020200002\t129.99\tA\t2\t0\t24.000",
      "Sir gauda\t860030300004\t1290.00\tB\t2\t1\t3.500",
      "Banane\t\t179.00\tA\t5\t1\t15.750",
      "Sok pomorandza\t860090900000\t189.00\tB\t6\t0\t14.000",
  };
  std::string text;
  for (int row = 1; row <= kArticleRows; ++row) {
    text +=
        std::to_string(row) + "\t" + items[static_cast<std::size_t>(row) % items.size()] + "\r\n";
  }
  return text;
}

// The row labels printed on a page, top to bottom: the number each table line starts with.
std::vector<int> LabelsOf(const QString& pageText) {
  std::vector<int> labels;
  static const QRegularExpression line(QStringLiteral("^\\s*(\\d+)(\\s|$)"));
  for (const QString& text : pageText.split(QLatin1Char('\n'))) {
    const QRegularExpressionMatch match = line.match(text);
    if (match.hasMatch()) labels.push_back(match.captured(1).toInt());
  }
  return labels;
}

// Runs OnBeginPrinting on the same A4 PDF printer PrintToPdf uses and returns what it laid out,
// with the printable area the printer reports.
struct PrintSetup {
  grid::PageLayout layout;
  QRect paper;
};
PrintSetup LayoutOnA4(const grid::CellTable& table, const std::string& scratchPdf) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(scratchPdf));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  QPainter painter(&printer);
  GridPrinter gridPrinter(table, kTitle);
  gridPrinter.OnBeginPrinting(painter, printer);
  PrintSetup setup{*gridPrinter.Layout(),
                   printer.pageLayout().paintRectPixels(printer.resolution())};
  EXPECT_EQ(gridPrinter.PageCount(), setup.layout.pageCount);
  gridPrinter.OnEndPrinting();
  EXPECT_EQ(gridPrinter.PageCount(), 0);
  painter.end();
  return setup;
}

class GridPrinterPdf : public ::testing::Test {
 protected:
  grid::FixedPitchMeasurer m_measurer{8, 16};
  test::TempDir m_dir;
};

TEST_F(GridPrinterPdf, ASheetOfManyPagesPrintsEveryRowOnceWithHeadingsAndPageNumbers) {
  if (!HavePoppler()) GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
  grid::CellTable table(&m_measurer);
  sheets::SetupSheet(sheets::SheetId::Articles, table);
  sheets::SheetTextReader(table).ReadSheetText(ArticlesText());
  ASSERT_EQ(table.GetItemText(kArticleRows, 0), std::to_string(kArticleRows));

  const PrintSetup setup = LayoutOnA4(table, m_dir / "scratch.pdf");
  // The printer font is Arial 10 units high; its average letter is about half as wide.
  EXPECT_GE(setup.layout.charHeight, 10);
  EXPECT_LE(setup.layout.charHeight, 13);
  EXPECT_GE(setup.layout.charWidth, 4);
  EXPECT_LE(setup.layout.charWidth, 7);
  const grid::PageLayout expected =
      grid::ComputePageLayout(table, {setup.layout.charWidth, setup.layout.charHeight},
                              {setup.paper.width(), setup.paper.height()}, kArticleRows + 1);
  const int pages = expected.pageCount;
  EXPECT_EQ(setup.layout.pageCount, pages);
  ASSERT_GT(pages, 1);

  const QString pdf = QString::fromStdString(m_dir / "articles.pdf");
  GridPrinter printer(table, kTitle);
  ASSERT_TRUE(printer.PrintToPdf(pdf));
  ASSERT_EQ(PdfPageCount(pdf), pages);
  const QStringList texts = test::PdfPageTexts(pdf);
  ASSERT_EQ(texts.size(), pages);

  const QString& first = texts.front();
  const QString pageOf = QStringLiteral("Page 1 of %1").arg(pages);
  EXPECT_TRUE(first.contains(pageOf)) << first.toStdString();
  EXPECT_TRUE(first.contains(kTitle));
  EXPECT_TRUE(first.contains(FromCp1251(app::Text(app::Sid::AppTitle))));
  EXPECT_TRUE(first.contains(QString::number(QDate::currentDate().year())));
  EXPECT_TRUE(first.contains(QStringLiteral("Name")));
  EXPECT_TRUE(first.contains(QStringLiteral("Mleko 2.8% 1l")));
  EXPECT_TRUE(first.contains(QStringLiteral("860010100001")));
  EXPECT_TRUE(first.contains(QStringLiteral("1290.00")));

  const QString& last = texts.back();
  EXPECT_TRUE(last.contains(QStringLiteral("Page %1 of %1").arg(pages)));
  EXPECT_TRUE(last.contains(QStringLiteral("Name"))) << "every page repeats the column headings";
  const std::vector<int> lastLabels = LabelsOf(last);
  ASSERT_FALSE(lastLabels.empty());
  EXPECT_EQ(lastLabels.back(), kArticleRows);

  // Page by page the labels run 1 to 240 without a gap or a repeat, each page as the layout
  // dealt its rows.
  int next = 1;
  for (int page = 1; page <= pages; ++page) {
    const std::vector<int> labels = LabelsOf(texts[page - 1]);
    ASSERT_FALSE(labels.empty()) << "page " << page;
    EXPECT_EQ(labels.front(), grid::FirstRowOfPage(expected, page)) << "page " << page;
    for (int label : labels) ASSERT_EQ(label, next++) << "page " << page;
  }
  EXPECT_EQ(next, kArticleRows + 1);
}

TEST(GridPrinterPdfFile, UnwritablePathFails) {
  grid::FixedPitchMeasurer measurer(8, 16);
  grid::CellTable table(&measurer);
  sheets::SetupSheet(sheets::SheetId::Operators, table);
  GridPrinter printer(table, kTitle);
  EXPECT_FALSE(printer.PrintToPdf(QStringLiteral("/nonexistent-folder/out.pdf")));
}

class CellPrintColoursTest : public ::testing::Test {
 protected:
  CellPrintColoursTest() { sheets::SetupSheet(sheets::SheetId::Articles, m_table); }
  grid::FixedPitchMeasurer m_measurer{8, 16};
  grid::CellTable m_table{&m_measurer};
};

TEST_F(CellPrintColoursTest, ZebraRowsAreShadedFixedCellsAlwaysAndTheDefaultsLookBlank) {
  const PrintColours odd = CellPrintColours(m_table, 1, sheets::articles::kName, false);
  EXPECT_FALSE(odd.back);
  EXPECT_EQ(odd.text, Rgb(0, 0, 0));
  EXPECT_EQ(CellPrintColours(m_table, 2, sheets::articles::kPrice, false).back, Rgb(255, 255, 224));
  EXPECT_EQ(CellPrintColours(m_table, 0, 1, false).back, Rgb(212, 208, 200));
  m_table.GetDefaultCell(false, true).SetBackColour(Rgb(10, 20, 30));
  EXPECT_EQ(CellPrintColours(m_table, 5, 0, false).back, Rgb(10, 20, 30));
  m_table.SetItemBackColour(5, 0, Rgb(1, 2, 3));
  EXPECT_EQ(CellPrintColours(m_table, 5, 0, false).back, Rgb(1, 2, 3));
  // A background like the default cell's prints blank.
  m_table.GetDefaultCell(false, false).SetBackColour(Rgb(255, 255, 224));
  EXPECT_FALSE(CellPrintColours(m_table, 2, 1, false).back);
}

TEST_F(CellPrintColoursTest, TextColourFollowsWhoseBackgroundItIsAndTwoColoursScaleUnshadedText) {
  m_table.GetDefaultCell(false, false).SetTextColour(Rgb(100, 100, 100));
  m_table.SetItemTextColour(1, 1, Rgb(200, 0, 0));
  m_table.SetItemTextColour(2, 1, Rgb(0, 200, 0));
  // Without a background of its own a cell prints in its default cell's colour; with one, in its
  // own, which a two-colour printer leaves as it is.
  EXPECT_EQ(CellPrintColours(m_table, 1, 1, false).text, Rgb(100, 100, 100));
  EXPECT_EQ(CellPrintColours(m_table, 2, 1, false).text, Rgb(0, 200, 0));
  EXPECT_EQ(CellPrintColours(m_table, 1, 1, true).text, Rgb(30, 59, 11));
  EXPECT_EQ(CellPrintColours(m_table, 2, 1, true).text, Rgb(0, 200, 0));
  EXPECT_EQ(CellPrintColours(m_table, 0, 1, true).text, Rgb(0, 0, 0));
}

}  // namespace
}  // namespace nuvrel::gui
