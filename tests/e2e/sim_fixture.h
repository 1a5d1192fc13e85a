// SPDX-License-Identifier: MIT
// ecrsim on its own pseudo-terminal for the length of a test, nuvrel-cli run against it, and the
// records that a trace file shows the client sent.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/frames.h"
#include "sheets/sheet_file.h"
#include "sheets/workspace.h"
#include "sim/register.h"
#include "sim/state_dir.h"
#include "support/child_process.h"
#include "support/ecrsim_process.h"
#include "support/recording_ui.h"
#include "support/scripted_opener.h"
#include "support/sim_files.h"
#include "support/sim_responder.h"
#include "transfers/uploads.h"

namespace nuvrel::test {

class Sim {
 public:
  explicit Sim(const std::vector<std::string>& args) : m_process(args) {
    if (auto path = m_process.SlavePath()) m_device = *path;
  }
  bool Ok() const { return !m_device.empty(); }
  const std::string& Device() const { return m_device; }
  EcrsimProcess& Process() { return m_process; }

  // nuvrel-cli with --port set to this simulator, then the given arguments.
  RunResult Cli(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--port", m_device});
    return RunProgram(NUVREL_CLI_PATH, args);
  }

 private:
  EcrsimProcess m_process;
  std::string m_device;
};

// The blocks the client sent, from a trace file.
inline std::vector<link::Bytes> SentBlocks(const std::string& traceFile) {
  return TraceBlocks(ReadBytes(traceFile).value_or(""), "TX");
}

inline std::vector<link::Bytes> RecordsWithLetter(const std::vector<link::Bytes>& blocks,
                                                  char letter) {
  std::vector<link::Bytes> records;
  for (const auto& b : blocks) {
    if (b.size() > 11 && b[0] == link::kStartByte && b[7] == letter) records.push_back(b);
  }
  return records;
}

inline std::string Example(const std::string& name) {
  std::string path(NUVREL_SOURCE_DIR);
  path.append("/examples/").append(name);
  return path;
}

// The tables of a register that was sent the example articles, operators and departments:
// programmed in-process on the fake clock, not in seconds of uploads at the protocol's pace.
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
    EXPECT_TRUE(sheets::CSheetTextReader(sheet).ReadSheetFile(Example(name), ui)) << name;
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
