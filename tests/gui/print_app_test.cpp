// SPDX-License-Identifier: MIT
// Printing and saving from the window: the print dialog's page range, Print Setup's choices kept
// for this run and the next, a sheet with nothing to print, and the Reports tab, which saves and
// prints its text and greys what cannot act on it.
#include <gtest/gtest.h>

#include <QPageRanges>
#include <QPrinter>

#include "app_fixture.h"
#include "gui/reports_edit.h"
#include "pdf_pages.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;

// The print dialog answered with a PDF file and pages 2 to 3; `offered` gets the pages it offered.
std::function<bool(QPrinter&, int)> PrintPagesTwoToThree(const QString& pdf, int& offered) {
  return [pdf, &offered](QPrinter& printer, int pages) {
    offered = pages;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QPageRanges ranges;
    ranges.addRange(2, 3);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setPageRanges(ranges);
    return true;
  };
}

TEST(Printing, APageRangePrintsJustThosePagesOfASheetOrOfTheReports) {
  if (!test::HavePoppler())
    GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
  for (SheetId sheet : {SheetId::Articles, SheetId::Reports}) {
    SCOPED_TRACE(sheets::Index(sheet));
    test::AppFixture app;
    for (int row = 1; row <= 300; ++row) {
      const std::string number = std::to_string(row);
      app.Sheet(SheetId::Articles).SetItemText(row, 1, std::string("Artikal ").append(number));
      app.View().Reports()->Append(std::string("Line ").append(number).append("\r\n"));
    }
    app.dialogs.saveNames = {QString::fromStdString(app.dir / "a.txt")};
    app.Trigger(Cmd::SaveAs);
    app.View().SetCurrent(sheet);

    const QString pdf = QString::fromStdString(app.dir / "pages.pdf");
    int offered = 0;
    app.dialogs.print = PrintPagesTwoToThree(pdf, offered);
    app.Key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_GE(offered, 4);
    EXPECT_EQ(test::PdfPageCount(pdf), 2);
    const QString text = test::PdfText(pdf, 1, 1);
    if (sheet == SheetId::Articles) {
      EXPECT_TRUE(text.contains(QStringLiteral("Page 2 of %1").arg(offered))) << text.toStdString();
      EXPECT_TRUE(text.contains("Articles (a.txt)"));
    }
  }
}

TEST(Printing, NothingToPrintIsSaidAndPrintSetupsChoicesReachPrintNowAndInTheNextRun) {
  test::AppFixture app;
  std::vector<QPageLayout> seen;
  app.dialogs.print = [&seen](QPrinter& printer, int) {
    seen.push_back(printer.pageLayout());
    return false;
  };
  // A sheet without data does not get as far as the print dialog or the preview.
  app.Trigger(Cmd::Print);
  app.Trigger(Cmd::PrintPreview);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(app.dialogs.previews, 0);
  EXPECT_EQ(app.ShownTexts(),
            QStringList(2, "This sheet holds no data: there is nothing to print."));

  app.Sheet(SheetId::Articles).SetItemText(1, 1, "Hleb");
  app.dialogs.printSetups = {PrintChoice{QString(), QPageSize::A5, QPageLayout::Landscape}};
  app.Trigger(Cmd::PrintSetup);
  app.Trigger(Cmd::Print);
  app.frame = std::make_unique<MainWindow>(app.ui, app.dialogs, app.link);
  app.Sheet(SheetId::Articles).SetItemText(1, 1, "Hleb");
  app.Trigger(Cmd::Print);
  ASSERT_EQ(seen.size(), 2u);
  for (const QPageLayout& layout : seen) {
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
  }
}

TEST(ReportsTab, SaveAsWritesTheTextAsTheExchangeWroteItAndTheGridCommandsAreGrey) {
  test::AppFixture app;
  // Windows-1251 Cyrillic and CR LF line ends, as the daily exchange writes them.
  const std::string report = "Dnevni izve\xF8taj \xC4\xE0\xED\r\n\r\nUkupno:   1290.00\r\n";
  app.View().Reports()->Append(report);
  app.View().SetCurrent(SheetId::Reports);
  app.frame->UpdateCommands();
  for (Cmd grey : {Cmd::Open, Cmd::Cut, Cmd::Copy, Cmd::Paste, Cmd::Find, Cmd::FindNext,
                   Cmd::FindPrevious, Cmd::GoToLine}) {
    EXPECT_FALSE(app.frame->Action(grey)->isEnabled()) << static_cast<int>(grey);
  }
  for (Cmd live : {Cmd::Save, Cmd::SaveAs, Cmd::Print, Cmd::PrintPreview, Cmd::SelectAll}) {
    EXPECT_TRUE(app.frame->Action(live)->isEnabled()) << static_cast<int>(live);
  }
  app.Trigger(Cmd::SelectAll);
  EXPECT_TRUE(app.frame->Action(Cmd::Copy)->isEnabled());

  app.dialogs.saveNames = {QString::fromStdString(app.dir / "daily.txt")};
  app.Trigger(Cmd::SaveAs);
  EXPECT_EQ(test::ReadBytes(app.dir / "daily.txt"), report);
  EXPECT_EQ(app.View().tabText(7), "Reports");
}

}  // namespace
}  // namespace nuvrel::gui
