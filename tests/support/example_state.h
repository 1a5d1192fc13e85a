// SPDX-License-Identifier: MIT
// The example sheets of the source tree, and a register that holds them: its tables programmed
// in-process on the fake clock (not in seconds of uploads at the protocol's pace), and a state
// folder for ecrsim --state with them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "sheets/sheet_file.h"
#include "sheets/workspace.h"
#include "sim/register.h"
#include "sim/state_dir.h"
#include "support/recording_ui.h"
#include "support/scripted_opener.h"
#include "support/sim_responder.h"
#include "support/temp_dir.h"
#include "transfers/uploads.h"

namespace nuvrel::test {

inline std::string Example(const std::string& name) {
  std::string path(NUVREL_SOURCE_DIR);
  path.append("/examples/").append(name);
  return path;
}

// The first `rows` lines of an example sheet: a transfer that needs a few records, not seconds of
// them at the line's pace.
inline std::string ExampleRows(const std::string& name, int rows) {
  const std::string text = ReadBytes(Example(name)).value_or("");
  std::size_t end = 0;
  for (int row = 0; row < rows && end < text.size(); ++row) end = text.find("\r\n", end) + 2;
  return text.substr(0, end);
}

// A two-colour bitmap of side x side pixels (side 8 to 32, a multiple of 8): 62 + 4 * side bytes,
// 126 for the default 16. A logo that takes a moment, not seconds, at 9600 baud.
inline std::string TinyLogo(int side = 16) {
  const auto byte = [](int value) { return std::string(1, static_cast<char>(value)); };
  std::string bmp = "BM";
  bmp.append(byte(62 + 4 * side)).append(std::string("\0\0\0\0\0\0\0\x3e\0\0\0", 11));
  bmp.append(std::string("\x28\0\0\0", 4)).append(byte(side)).append(std::string(3, '\0'));
  bmp.append(byte(side)).append(std::string("\0\0\0\x01\0\x01\0", 7)).append(24, '\0');
  bmp.append(std::string("\0\0\0\0\xff\xff\xff\0", 8))
      .append(static_cast<std::size_t>(4 * side), '\x55');
  return bmp;
}

// The tables of a register that was sent the first `articles` example articles and the example
// operators and departments.
inline sim::RegisterTables ExampleTables(int articles = 3) {
  FakeClock clock;
  ScriptedOpener opener{clock};
  sim::Register reg(sim::RegisterSettings{}, sim::FaultPlan{});
  opener.onOpen = [&reg](ScriptedPort& port) { AttachRegister(port, reg); };
  RecordingUi ui;
  link::RegisterIdentity identity;
  transfers::TransferContext ctx{ui, clock, opener, identity, 0};
  sheets::Workspace workspace;
  for (auto [id, text] :
       {std::pair{sheets::SheetId::Articles, ExampleRows("articles.txt", articles)},
        {sheets::SheetId::Operators, ExampleRows("operators.txt", 3)},
        {sheets::SheetId::Departments, ExampleRows("departments.txt", 6)}}) {
    grid::CellTable& sheet = workspace.Grid(id);
    sheets::SheetTextReader(sheet).ReadSheetText(text);
    EXPECT_TRUE(transfers::UploadSheet(ctx, id, sheet, false)) << static_cast<int>(id);
  }
  return reg.Tables();
}

// A state folder for ecrsim --state that holds the example tables.
inline void WriteExampleState(const std::string& folder, int articles = 3) {
  const sim::StateDir state(folder);
  ASSERT_EQ(state.Prepare(), std::nullopt);
  const sim::RegisterTables tables = ExampleTables(articles);
  for (sim::TableKind table :
       {sim::TableKind::Articles, sim::TableKind::Operators, sim::TableKind::Departments}) {
    ASSERT_EQ(state.Save(tables, table), std::nullopt);
  }
}

}  // namespace nuvrel::test
