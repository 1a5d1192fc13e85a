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
#include "transfers/uploads.h"

namespace nuvrel::test {

inline std::string Example(const std::string& name) {
  std::string path(NUVREL_SOURCE_DIR);
  path.append("/examples/").append(name);
  return path;
}

// The tables of a register that was sent the example articles, operators and departments.
inline sim::RegisterTables ExampleTables() {
  FakeClock clock;
  ScriptedOpener opener{clock};
  sim::Register reg(sim::RegisterSettings{}, sim::FaultPlan{});
  opener.onOpen = [&reg](ScriptedPort& port) { AttachRegister(port, reg); };
  RecordingUi ui;
  link::RegisterIdentity identity;
  transfers::TransferContext ctx{ui, clock, opener, identity, 0};
  sheets::Workspace workspace;
  for (auto [id, name] : {std::pair{sheets::SheetId::Articles, "articles.txt"},
                          {sheets::SheetId::Operators, "operators.txt"},
                          {sheets::SheetId::Departments, "departments.txt"}}) {
    grid::CellTable& sheet = workspace.Grid(id);
    EXPECT_TRUE(sheets::SheetTextReader(sheet).ReadSheetFile(Example(name), ui)) << name;
    EXPECT_TRUE(transfers::UploadSheet(ctx, id, sheet, false)) << name;
  }
  return reg.Tables();
}

// A state folder for ecrsim --state that holds the example tables.
inline void WriteExampleState(const std::string& folder) {
  const sim::StateDir state(folder);
  ASSERT_EQ(state.Prepare(), std::nullopt);
  const sim::RegisterTables tables = ExampleTables();
  for (sim::TableKind table :
       {sim::TableKind::Articles, sim::TableKind::Operators, sim::TableKind::Departments}) {
    ASSERT_EQ(state.Save(tables, table), std::nullopt);
  }
}

}  // namespace nuvrel::test
