// SPDX-License-Identifier: MIT
// The desktop program in a test: a main window over real sheets, with dialogs and message boxes
// answered by the test instead of a person.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <deque>
#include <optional>

#include "gui/dialogs.h"
#include "gui/gui_ui.h"
#include "gui/main_window.h"
#include "gui/window_settings.h"
#include "gui/workspace_view.h"
#include "link/port_map.h"
#include "support/temp_dir.h"

namespace nuvrel::test {

class FakeDialogs final : public gui::Dialogs {
 public:
  std::deque<std::optional<QString>> openNames;
  std::deque<std::optional<QString>> saveNames;
  std::deque<std::optional<gui::FindRequest>> finds;
  std::deque<std::optional<unsigned>> lines;
  std::deque<std::optional<gui::PrintChoice>> printSetups;
  // Answers the print dialog (with the pages it offers): the printer as the person leaves it, and
  // whether to print. Without it the dialog is cancelled.
  std::function<bool(QPrinter&, int)> print;
  int abouts = 0;
  int previews = 0;

  std::optional<QString> OpenFileName(QWidget*) override { return Take(openNames); }
  std::optional<QString> SaveFileName(QWidget*, gui::FileKind) override { return Take(saveNames); }
  std::optional<gui::FindRequest> Find(QWidget*) override { return Take(finds); }
  std::optional<unsigned> GoToLine(QWidget*, unsigned, app::Ui&) override { return Take(lines); }
  void About(QWidget*) override { ++abouts; }
  bool Print(QWidget*, QPrinter& printer, int pages) override {
    return print && print(printer, pages);
  }
  void Preview(QWidget*, QPrinter&, const std::function<void(QPrinter*)>&) override { ++previews; }
  std::optional<gui::PrintChoice> PrintSetup(QWidget*, const gui::PrintChoice&) override {
    return Take(printSetups);
  }
  // Answers the register history (with the states it lists); without it the dialog is closed.
  std::function<std::optional<transfers::RecordedState>(
      const std::vector<transfers::RecordedState>&)>
      history;
  std::optional<transfers::RecordedState> RegisterHistory(
      QWidget*, const std::vector<transfers::RecordedState>& states, std::uint32_t) override {
    return history ? history(states) : std::nullopt;
  }

 private:
  template <class T>
  static std::optional<T> Take(std::deque<std::optional<T>>& queue) {
    std::optional<T> value;
    if (!queue.empty()) {
      value.swap(queue.front());
      queue.pop_front();
    }
    return value;
  }
};

// Messages and questions the window would have shown, in order.
struct Shown {
  QString text;
  app::Icon icon;
  bool question = false;
};

class AppFixture {
 public:
  explicit AppFixture(const std::string& device = "/dev/nonexistent-nuvrel") : ui(nullptr) {
    // Recent files and bar state go to a settings file of the test's own.
    gui::UseWindowSettingsFile(QString::fromStdString(dir / "nuvrel.ini"));
    link.ports =
        std::make_unique<link::SerialPortOpener>(link::PortMap::AllTo(device), &link.trace);
    ui.messageHook = [this](const QString& text, app::Icon icon) { shown.push_back({text, icon}); };
    ui.questionHook = [this](const QString& text, app::Icon icon, bool) {
      shown.push_back({text, icon, true});
      if (answers.empty()) return false;
      const bool answer = answers.front();
      answers.pop_front();
      return answer;
    };
    ui.problemsHook = [this](const std::vector<app::CellProblem>& list) {
      problems.push_back(list);
      return false;
    };
    frame = std::make_unique<gui::MainWindow>(ui, dialogs, link);
    ui.SetWindow(frame.get());
    frame->resize(1000, 700);
    frame->show();
    if (!QTest::qWaitForWindowExposed(frame.get()))
      ADD_FAILURE() << "the main window was not shown";
  }

  // Message boxes and questions are shown for real from now on (answer them with ModalAnswers).
  void RealBoxes() {
    ui.messageHook = nullptr;
    ui.questionHook = nullptr;
    ui.problemsHook = nullptr;
  }
  gui::WorkspaceView& View() { return frame->View(); }
  grid::CellTable& Sheet(sheets::SheetId id) { return View().Sheets().Grid(id); }
  void Trigger(gui::Cmd command) { frame->Action(command)->trigger(); }
  // Presses a key in the window, as a person would.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : frame.get();
    QTest::keyClick(target, key, modifiers);
  }
  QStringList ShownTexts() const {
    QStringList texts;
    for (const Shown& s : shown) texts << s.text;
    return texts;
  }

  TempDir dir;
  gui::GuiUi ui;
  FakeDialogs dialogs;
  gui::RegisterLink link;
  std::unique_ptr<gui::MainWindow> frame;
  std::vector<Shown> shown;
  std::deque<bool> answers;
  std::vector<std::vector<app::CellProblem>> problems;  // the lists of problems, in order
};

}  // namespace nuvrel::test
