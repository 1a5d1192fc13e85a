// SPDX-License-Identifier: MIT
// The workspace's steps: which sheets hold data their files do not, over edits, saves, opens, undo
// and redo.
#include "sheets/workspace.h"

#include <gtest/gtest.h>

#include "sheets/layouts.h"

namespace nuvrel::sheets {
namespace {

using articles::kName;

// Whether the Articles sheet holds unsaved data after each action of a session.
TEST(WorkspaceSteps, UnsavedDataFollowsEditsSavesOpensUndoAndRedo) {
  Workspace ws;
  std::vector<WorkspaceChange> done;
  auto edit = [&](const char* text) {
    ws.Grid(SheetId::Articles).SetItemText(1, kName, text);
    done.push_back(ws.TakeChange());
  };
  auto open = [&](const char* path, const char* text) {
    ClearSheetData(ws.Grid(SheetId::Articles));
    ws.Grid(SheetId::Articles).SetItemText(2, kName, text);
    ws.File(SheetId::Articles).path = path;
    ws.MarkSaved(SheetId::Articles);
    done.push_back(ws.TakeChange());
  };
  std::vector<WorkspaceChange> undone;
  auto undo = [&] {
    ws.Undo(done.back());
    undone.push_back(std::move(done.back()));
    done.pop_back();
  };
  auto redo = [&] {
    ws.Redo(undone.back());
    done.push_back(std::move(undone.back()));
    undone.pop_back();
  };
  auto unsaved = [&] { return ws.HasUnsavedData(SheetId::Articles); };

  EXPECT_FALSE(unsaved()) << "empty, no file";
  edit("Hleb");
  EXPECT_TRUE(unsaved()) << "data and no file";
  ws.SavedAs(SheetId::Articles, "/tmp/a.txt");
  EXPECT_FALSE(unsaved()) << "saved as a.txt";
  undo();
  EXPECT_TRUE(unsaved()) << "a.txt holds Hleb, the sheet does not";
  redo();
  EXPECT_FALSE(unsaved()) << "the sheet is what a.txt holds again";
  open("/tmp/b.txt", "Sir");
  EXPECT_FALSE(unsaved()) << "just opened";
  edit("Mleko");
  ws.MarkSaved(SheetId::Articles);
  EXPECT_FALSE(unsaved()) << "saved to b.txt";
  undo();
  EXPECT_TRUE(unsaved()) << "b.txt holds Mleko";
  undo();
  EXPECT_FALSE(unsaved()) << "back on a.txt, as it was saved";
  redo();
  EXPECT_TRUE(unsaved()) << "b.txt holds Mleko, not what it held when opened";
  ws.Grid(SheetId::Articles).SetItemText(2, kName, "Sir");  // the same text: no change
  EXPECT_TRUE(ws.TakeChange().Empty());
}

TEST(WorkspaceSteps, ReadingAFileThatHoldsWhatTheSheetHoldsChangesOnlyTheFile) {
  Workspace ws;
  ws.Grid(SheetId::Operators).SetItemText(1, 1, "ANA");
  ws.TakeChange();
  ClearSheetData(ws.Grid(SheetId::Operators));
  ws.Grid(SheetId::Operators).SetItemText(1, 1, "ANA");
  ws.File(SheetId::Operators).path = "/tmp/ops.txt";
  ws.MarkSaved(SheetId::Operators);
  const WorkspaceChange change = ws.TakeChange();
  ASSERT_EQ(change.sheets.size(), 1u);
  EXPECT_TRUE(change.sheets[0].cells.empty());
  EXPECT_TRUE(change.sheets[0].fileAfter.has_value());
  EXPECT_FALSE(ws.HasUnsavedData(SheetId::Operators));
}

}  // namespace
}  // namespace nuvrel::sheets
