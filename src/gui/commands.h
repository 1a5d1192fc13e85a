// SPDX-License-Identifier: MIT
// The command table: every command of the menus, the toolbar, the keys and the context menus, with
// its menu text, keys, status-bar prompt and tooltip.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <optional>

#include "gui/icons.h"

namespace nuvrel::gui {

enum class Cmd {
  ClearAll = 57600,
  Open = 57601,
  Save = 57603,
  SaveAs = 57604,
  PrintSetup = 57606,
  Print = 57607,
  PrintDirect = 57608,
  PrintPreview = 57609,
  Exit = 57665,
  Copy = 57634,
  Cut = 57635,
  Find = 57636,
  Paste = 57637,
  SelectAll = 57642,
  Undo = 57643,
  Redo = 57644,
  FindNext = 32785,
  FindPrevious = 32786,
  GoToLine = 32780,
  EcrSetup = 32772,
  ReportToArticles = 32774,
  SendAll = 32778,
  SendSelected = 32781,
  SendRest = 32793,
  SendChanges = 32795,
  CompareWithRegister = 32796,
  NextDifference = 32797,
  PreviousDifference = 32798,
  RegisterHistory = 32799,
  ArticlesReport = 32776,
  GetReports = 32792,
  SendLogo = 32783,
  ToggleToolbar = 59392,
  ToggleStatusBar = 59393,
  CommunicationLog = 32794,
  NextTab = 57680,
  PreviousTab = 57681,
  Help = 32789,
  About = 57664,
};

struct CommandSpec {
  Cmd id;
  const char* menuText;  // with & for the mnemonic, without the key
  QList<QKeySequence> keys;
  const char* prompt;  // the status-bar text while the item is highlighted
  const char* tip;     // the tooltip, and the context menu's item text
  std::optional<IconId> icon;
};

const QList<CommandSpec>& Commands();
const CommandSpec& SpecOf(Cmd id);
// The command's menu text with its first key after a tab ("&Copy\tCtrl+C"), as menus show it.
QString MenuText(const CommandSpec& entry);

}  // namespace nuvrel::gui
