// SPDX-License-Identifier: MIT
#include "sheets/layouts.h"

#include <array>
#include <string>
#include <string_view>

#include "app/strings.h"
#include "sheets/cell_types.h"

namespace nuvrel::sheets {
namespace {

using app::Sid;

constexpr grid::CellFormat kCenter = grid::CellFormat::SheetBase | grid::CellFormat::Center;
constexpr grid::CellFormat kRight = grid::CellFormat::SheetBase | grid::CellFormat::Right;

// A column with a cell class of its own: its alignment goes on every row, the header included.
struct TypedColumn {
  int col;
  grid::CellFormat format;
  grid::CellFactory factory;
};

// Steps common to every grid sheet: size, labels, row resizing off, the first column's width and
// the zebra rows.
void Begin(grid::CellTable& grid, const SheetInfo& info, int nameWidth) {
  grid.SetColumnCount(info.columns);
  grid.SetRowCount(info.rows);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  grid.SetColumnFormat(0, kRight);
  grid.SetRowLabels(info.zeroBasedLabels ? 0 : 1);
  grid.SetRowResize(false);
  grid.SetColumnWidth(1, nameWidth);
  grid.SetRowBanding(info.zebra);
  if (!info.editable) grid.SetEditable(false);
}

void ApplyTypedColumns(grid::CellTable& grid, std::initializer_list<TypedColumn> columns) {
  for (const TypedColumn& column : columns) {
    grid.SetColumnFormat(column.col, column.format);
    grid.SetColumnType(column.col, column.factory);
  }
}

void SetHeaders(grid::CellTable& grid, std::initializer_list<std::pair<int, Sid>> headers) {
  for (auto [col, id] : headers) grid.SetItemText(0, col, app::Text(id));
}

// The barcode column is made just wide enough for a twelve-digit barcode or its header.
void FitBarcodeColumn(grid::CellTable& grid) {
  grid.SetItemText(1, articles::kBarcode, "1");
  grid.AutoSizeColumnRows(articles::kBarcode, {0, 1});
  grid.SetItemText(1, articles::kBarcode, "");
}

// The row whose label is the widest. A label is as wide as its digits together (digits neither
// kern nor join), so each digit is measured once rather than each of thousands of labels.
int WidestLabelRow(const grid::CellTable& grid) {
  const int first = grid.GetFixedRowCount();
  const grid::TextMeasurer* measurer = grid.Measurer();
  if (!measurer) return first;
  std::array<int, 256> widths;
  widths.fill(-1);
  int widestRow = first;
  int widest = -1;
  for (int r = first; r < grid.GetRowCount(); ++r) {
    int width = 0;
    for (const char c : grid.GetItemText(r, 0)) {
      int& w = widths[static_cast<unsigned char>(c)];
      if (w < 0) w = measurer->TextExtent(std::string_view(&c, 1)).width;
      width += w;
    }
    if (width > widest) {
      widest = width;
      widestRow = r;
    }
  }
  return widestRow;
}

// The label column is made as wide as its widest label (the corner above it is empty).
void FitLabelColumn(grid::CellTable& grid) {
  grid.AutoSizeColumnRows(0, {0, WidestLabelRow(grid)});
}

void SetupArticleColumns(grid::CellTable& grid, SheetId id) {
  const SheetInfo& info = InfoFor(id);
  Begin(grid, info, 150);
  std::initializer_list<TypedColumn> typed = {
      {articles::kBarcode, kCenter, &grid::MakeCell<BarcodeCell>},
      {articles::kPrice, kRight, &grid::MakeCell<PriceCell>},
      {articles::kTaxGroup, kCenter, &grid::MakeCell<OneCharCell>},
      {articles::kDepartment, kCenter, &grid::MakeCell<OneDigitCell>},
      {articles::kUnit, kCenter, &grid::MakeCell<OneDigitCell>},
      {articles::kInStock, kRight, &grid::MakeCell<QuantityCell>},
  };
  ApplyTypedColumns(grid, typed);
  if (id == SheetId::ArticlesReport) {
    ApplyTypedColumns(grid, {{articles::kTurnover, kRight, &grid::MakeCell<PriceCell>},
                             {articles::kSales, kRight, &grid::MakeCell<QuantityCell>}});
  }
  SetHeaders(grid, {{articles::kName, Sid::HeaderName},
                    {articles::kBarcode, Sid::HeaderBarcode},
                    {articles::kPrice, Sid::HeaderPrice},
                    {articles::kTaxGroup, Sid::HeaderTaxGroup},
                    {articles::kDepartment, Sid::HeaderDepartment},
                    {articles::kUnit, Sid::HeaderUnit},
                    {articles::kInStock, Sid::HeaderInStock}});
  if (id == SheetId::ArticlesReport) {
    SetHeaders(grid,
               {{articles::kTurnover, Sid::HeaderTurnover}, {articles::kSales, Sid::HeaderSales}});
  }
  // The data cells are empty yet: the labels and the headers alone set the widths.
  FitLabelColumn(grid);
  for (int col : {articles::kTaxGroup, articles::kDepartment, articles::kUnit}) {
    grid.AutoSizeColumn(col, grid::CellTable::kAutoSizeHeader);
  }
  FitBarcodeColumn(grid);
}

void SetupTextSheet(grid::CellTable& grid, SheetId id, Sid header, int width) {
  Begin(grid, InfoFor(id), width);
  SetHeaders(grid, {{kTextColumn, header}});
  FitLabelColumn(grid);
}

}  // namespace

void SetupArticlesSheet(grid::CellTable& grid) {
  SetupArticleColumns(grid, SheetId::Articles);
}

void SetupArticlesReportSheet(grid::CellTable& grid) {
  SetupArticleColumns(grid, SheetId::ArticlesReport);
}

void SetupOperatorsSheet(grid::CellTable& grid) {
  SetupTextSheet(grid, SheetId::Operators, Sid::HeaderName, 250);
}

void SetupDepartmentsSheet(grid::CellTable& grid) {
  SetupTextSheet(grid, SheetId::Departments, Sid::HeaderName, 150);
}

void SetupFirmDataSheet(grid::CellTable& grid) {
  SetupTextSheet(grid, SheetId::FirmData, Sid::HeaderText, 250);
}

void SetupAdvertisementSheet(grid::CellTable& grid) {
  SetupTextSheet(grid, SheetId::Advertisement, Sid::HeaderText, 250);
}

void SetupDepartmentReportSheet(grid::CellTable& grid) {
  Begin(grid, InfoFor(SheetId::DepartmentReport), 150);
  ApplyTypedColumns(grid, {{departments::kTurnover, kRight, &grid::MakeCell<PriceCell>}});
  SetHeaders(
      grid, {{departments::kName, Sid::HeaderName}, {departments::kTurnover, Sid::HeaderTurnover}});
  FitLabelColumn(grid);
}

void SetupSheet(SheetId id, grid::CellTable& grid) {
  switch (id) {
    case SheetId::Articles: SetupArticlesSheet(grid); break;
    case SheetId::Operators: SetupOperatorsSheet(grid); break;
    case SheetId::Departments: SetupDepartmentsSheet(grid); break;
    case SheetId::FirmData: SetupFirmDataSheet(grid); break;
    case SheetId::Advertisement: SetupAdvertisementSheet(grid); break;
    case SheetId::ArticlesReport: SetupArticlesReportSheet(grid); break;
    case SheetId::DepartmentReport: SetupDepartmentReportSheet(grid); break;
    case SheetId::Reports: break;
  }
}

}  // namespace nuvrel::sheets
