// SPDX-License-Identifier: MIT
// A full repaint of the grid widget: the Articles sheet with every row filled, maximised on a
// 1920x1080 screen, rendered into an image on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <string>

#include "grid/cell_table.h"
#include "gui/grid_ctrl.h"
#include "gui/qt_text_measurer.h"
#include "sheets/layouts.h"

namespace {

using namespace nuvrel;

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "bench_grid_paint";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  (void)app;
}

QFont SheetFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(14);
  return font;
}

void FillArticles(grid::CellTable& table) {
  for (int row = 1; row < table.GetRowCount(); ++row) {
    const std::string n = std::to_string(row);
    table.SetItemText(row, sheets::articles::kName, "Artikal broj " + n + " pakovanje 500g");
    table.SetItemText(row, sheets::articles::kBarcode, "8600101" + n);
    table.SetItemText(row, sheets::articles::kPrice, std::to_string(row % 997) + ".99");
    table.SetItemText(row, sheets::articles::kTaxGroup, row % 3 ? "A" : "B");
    table.SetItemText(row, sheets::articles::kDepartment, std::to_string(row % 9 + 1));
    table.SetItemText(row, sheets::articles::kUnit, std::to_string(row % 2));
    table.SetItemText(row, sheets::articles::kInStock, std::to_string(row % 500) + ".5");
  }
}

void BM_GridFullRepaint(benchmark::State& state) {
  EnsureApplication();
  const QFont font = SheetFont();
  const gui::QtTextMeasurer measurer(font);
  grid::CellTable table(&measurer);
  sheets::SetupSheet(sheets::SheetId::Articles, table);
  FillArticles(table);
  table.SelectRange({5, 1, 9, 3});
  table.SetFocusCell(9, 3);

  gui::CGridCtrl grid(table);
  grid.SetGridFont(font);
  grid.resize(1920, 1080);
  grid.show();
  QApplication::processEvents();
  QImage image(grid.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    grid.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_GridFullRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
