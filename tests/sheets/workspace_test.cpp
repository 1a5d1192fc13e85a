// SPDX-License-Identifier: MIT
// The workspace's steps: what a step holds, undo and redo, and which sheets hold data their files
// do not.
#include "sheets/workspace.h"

#include <gtest/gtest.h>

#include "sheets/layouts.h"

namespace nuvrel::sheets {
namespace {

using articles::kName;
using articles::kPrice;

TEST(WorkspaceSteps, AStepHoldsEachChangedCellOnceWithItsFirstAndLastText) {
  Workspace ws;
  EXPECT_TRUE(ws.TakeChange().Empty()) << "laying the sheets out is no step";

  ws.Grid(SheetId::Articles).SetItemText(1, kName, "A");
  ws.Grid(SheetId::Articles).SetItemText(1, kName, "B");
  ws.Grid(SheetId::Articles).SetItemText(2, kPrice, "1,5");
  ws.Grid(SheetId::Operators).SetItemText(3, 1, "ANA");
  ws.Grid(SheetId::Operators).SetItemText(3, 1, "");  // back as it was
  const WorkspaceChange change = ws.TakeChange();
  ASSERT_EQ(change.sheets.size(), 1u);
  EXPECT_EQ(change.sheets[0].id, SheetId::Articles);
  ASSERT_EQ(change.sheets[0].cells.size(), 2u);
  EXPECT_EQ(change.sheets[0].cells[0].before, "");
  EXPECT_EQ(change.sheets[0].cells[0].after, "B");
  EXPECT_EQ(change.sheets[0].cells[1].after, "1.50");
  EXPECT_TRUE(ws.TakeChange().Empty());
}

TEST(WorkspaceSteps, UndoAndRedoPutBackTheCellsAndTheSheetsFile) {
  Workspace ws;
  ws.Grid(SheetId::Articles).SetItemText(1, kName, "old");
  ws.SavedAs(SheetId::Articles, "/tmp/a.txt");
  ws.TakeChange();

  // An open: the sheet's data replaced and the file it belongs to changed, in one step.
  ClearSheetData(ws.Grid(SheetId::Articles));
  ws.Grid(SheetId::Articles).SetItemText(7, kPrice, "2");
  ws.File(SheetId::Articles).path = "/tmp/b.txt";
  ws.MarkSaved(SheetId::Articles);
  const WorkspaceChange open = ws.TakeChange();

  ws.Undo(open);
  EXPECT_EQ(ws.Grid(SheetId::Articles).GetItemText(1, kName), "old");
  EXPECT_EQ(ws.Grid(SheetId::Articles).GetItemText(7, kPrice), "");
  EXPECT_EQ(ws.File(SheetId::Articles).path, "/tmp/a.txt");
  EXPECT_FALSE(ws.HasUnsavedData(SheetId::Articles));
  EXPECT_TRUE(ws.TakeChange().Empty()) << "an undo is no new step";

  ws.Redo(open);
  EXPECT_EQ(ws.Grid(SheetId::Articles).GetItemText(1, kName), "");
  EXPECT_EQ(ws.Grid(SheetId::Articles).GetItemText(7, kPrice), "2.00");
  EXPECT_EQ(ws.File(SheetId::Articles).path, "/tmp/b.txt");
  EXPECT_FALSE(ws.HasUnsavedData(SheetId::Articles));
}

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
