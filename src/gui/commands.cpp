// SPDX-License-Identifier: MIT
#include "gui/commands.h"

namespace nuvrel::gui {

const QList<CommandSpec>& Commands() {
  using K = QKeySequence;
  // clang-format off
  static const QList<CommandSpec> commands = {
      {Cmd::Open, "&Open...", {K(Qt::CTRL | Qt::Key_O)}, "Open an existing document", "Open", IconId::Open},
      {Cmd::Save, "&Save", {K(Qt::CTRL | Qt::Key_S)}, "Save the active document", "Save", IconId::Save},
      {Cmd::SaveAs, "Save &As...", {}, "Save the active document with a new name", "Save As", {}},
      {Cmd::ClearAll, "&Clear all", {K(Qt::CTRL | Qt::Key_N)}, "Clear everything", "Clear all",
       IconId::ClearAll},
      {Cmd::Print, "&Print...", {K(Qt::CTRL | Qt::Key_P)}, "Print the active document", "Print",
       IconId::Print},
      {Cmd::PrintPreview, "Print Pre&view", {}, "Display full pages", "Print Preview",
       IconId::PrintPreview},
      {Cmd::PrintSetup, "P&rint Setup...", {}, "Change the printer and printing options",
       "Print Setup", {}},
      {Cmd::Exit, "E&xit", {K(Qt::CTRL | Qt::Key_Q)}, "Quit the application; prompts to save documents", "Exit", {}},
      {Cmd::Undo, "&Undo", {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)},
       "Undo the last change of the sheets", "Undo", {}},
      {Cmd::Redo, "&Redo", {K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
       "Redo the change last undone", "Redo", {}},
      {Cmd::Cut, "Cu&t", {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)},
       "Cut the selection and put it on the Clipboard", "Cut", IconId::Cut},
      {Cmd::Copy, "&Copy", {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)},
       "Copy the selection and put it on the Clipboard", "Copy", IconId::Copy},
      {Cmd::Paste, "&Paste", {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)},
       "Insert Clipboard contents", "Paste", IconId::Paste},
      {Cmd::SelectAll, "Select &All", {K(Qt::CTRL | Qt::Key_A)}, "Select the entire document",
       "Select All", {}},
      {Cmd::Find, "&Find", {K(Qt::CTRL | Qt::Key_F)}, "Find the specified text", "Find (Ctrl+F)",
       IconId::Find},
      {Cmd::FindNext, "Find &next", {K(Qt::Key_F3)}, "Find next text occurrence",
       "Find next occurrence (F3)", {}},
      {Cmd::FindPrevious, "Find &previous", {K(Qt::ALT | Qt::Key_F3)},
       "Find previous text occurrance", "Find previous (Alt+F3)", {}},
      {Cmd::GoToLine, "Go to line", {K(Qt::CTRL | Qt::Key_G)}, "Go to choosen grid line",
       "Go to line", {}},
      {Cmd::EcrSetup, "&ECR setup", {}, "Setup ECR type and COM port", "ECR setup", {}},
      {Cmd::ReportToArticles, "Report to &articles", {}, "Send report items to articles",
       "Report to articles", IconId::ReportToArticles},
      {Cmd::SendAll, "&Send to ECR", {K(Qt::CTRL | Qt::Key_D)}, "Send all items to the ECR",
       "Send all items to ECR", IconId::SendAll},
      {Cmd::SendSelected, "Se&nd selected", {K(Qt::CTRL | Qt::Key_E)},
       "Send only selected items to the ECR", "Send selection to ECR", IconId::SendSelected},
      {Cmd::SendRest, "Send the &rest", {K(Qt::CTRL | Qt::SHIFT | Qt::Key_D)},
       "Send the rows that a stopped or failed upload did not send", "Send the rest to ECR", {}},
      {Cmd::SendChanges, "Send c&hanges", {K(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
       "Send only the cells that differ from what the ECR holds", "Send changes to ECR",
       IconId::SendChanges},
      {Cmd::RegisterHistory, "Register &history...", {},
       "List what each ECR held after each transfer, and open one into its sheet",
       "Register history", {}},
      {Cmd::CompareWithRegister, "Co&mpare with register", {},
       "Mark the cells that differ from what the ECR holds", "Compare with register", {}},
      {Cmd::NextDifference, "Next &difference", {K(Qt::Key_F8)},
       "Go to the next cell that differs from the ECR", "Next difference (F8)", {}},
      {Cmd::PreviousDifference, "Previous d&ifference", {K(Qt::SHIFT | Qt::Key_F8)},
       "Go to the previous cell that differs from the ECR", "Previous difference (Shift+F8)", {}},
      {Cmd::ArticlesReport, "Articles &report", {K(Qt::CTRL | Qt::Key_R)},
       "Gets a report from the ECR", "Get report", IconId::ArticlesReport},
      {Cmd::GetReports, "Get reports", {K(Qt::CTRL | Qt::Key_W)}, "Gets a daily report from the ECR",
       "Get daily report", IconId::GetReports},
      {Cmd::SendLogo, "Send &logo", {K(Qt::CTRL | Qt::Key_L)}, "Send a logo to ECR", "Send logo",
       IconId::SendLogo},
      {Cmd::ToggleToolbar, "&Toolbar", {}, "Show or hide the toolbar", "Toggle ToolBar", {}},
      {Cmd::ToggleStatusBar, "&Status Bar", {}, "Show or hide the status bar", "Toggle StatusBar", {}},
      {Cmd::CommunicationLog, "&Communication log", {}, "Show or hide every byte sent to and received from the ECR",
       "Communication log", {}},
      {Cmd::NextTab, "&Next tab", {K(Qt::Key_F6)}, "Switch to the next window pane", "Next Pane", {}},
      {Cmd::PreviousTab, "&Previous tab", {K(Qt::SHIFT | Qt::Key_F6)},
       "Switch back to the previous window pane", "Previous Pane", {}},
      {Cmd::Help, "&Index", {K(Qt::Key_F1)}, "Show help information", "Help (F1)", IconId::Help},
      {Cmd::About, "&About ...", {}, "Display program information, version number and copyright",
       "About", IconId::About},
  };
  // clang-format on
  return commands;
}

QString MenuText(const CommandSpec& entry) {
  QString text = entry.menuText;
  if (!entry.keys.isEmpty()) text += '\t' + entry.keys.front().toString(QKeySequence::NativeText);
  return text;
}

const CommandSpec& SpecOf(Cmd id) {
  for (const CommandSpec& entry : Commands()) {
    if (entry.id == id) return entry;
  }
  return Commands().front();
}

}  // namespace nuvrel::gui
