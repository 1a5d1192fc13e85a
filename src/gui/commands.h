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
  ClearAll,
  Open,
  Save,
  SaveAs,
  PrintSetup,
  Print,
  PrintDirect,
  PrintPreview,
  Exit,
  Copy,
  Cut,
  Find,
  Paste,
  SelectAll,
  Undo,
  Redo,
  FindNext,
  FindPrevious,
  GoToLine,
  EcrSetup,
  ReportToArticles,
  SendAll,
  SendSelected,
  SendRest,
  SendChanges,
  CompareWithRegister,
  NextDifference,
  PreviousDifference,
  RegisterHistory,
  ArticlesReport,
  GetReports,
  SendLogo,
  ToggleToolbar,
  ToggleStatusBar,
  CommunicationLog,
  NextTab,
  PreviousTab,
  Help,
  About,
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
