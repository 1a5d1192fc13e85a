// SPDX-License-Identifier: MIT
// The modal dialogs the view opens, behind one interface so that the application tests can answer
// them without a window waiting for a person.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "gui/find_dialog.h"
#include "gui/print_setup_dialog.h"
#include "transfers/register_memory.h"

class QPrinter;
class QWidget;

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::gui {

// What a Save As dialog saves: a sheet file (tab-separated) or plain text (the Reports pane, the
// communication log).
enum class FileKind { Sheet, Text };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The Open dialog: a path, or nothing when cancelled.
  virtual std::optional<QString> OpenFileName(QWidget* parent) = 0;
  // The Save As dialog (it confirms an overwrite itself).
  virtual std::optional<QString> SaveFileName(QWidget* parent, FileKind kind) = 0;
  virtual std::optional<FindRequest> Find(QWidget* parent) = 0;
  virtual std::optional<unsigned> GoToLine(QWidget* parent, unsigned largestLine, app::Ui& ui) = 0;
  virtual void About(QWidget* parent) = 0;
  // The print dialog, offering pages 1 to pageCount; false when cancelled.
  virtual bool Print(QWidget* parent, QPrinter& printer, int pageCount) = 0;
  // The preview window, which calls paint to draw the pages.
  virtual void Preview(QWidget* parent, QPrinter& printer,
                       const std::function<void(QPrinter*)>& paint) = 0;
  // Print Setup: the new choice, or nothing when cancelled.
  virtual std::optional<PrintChoice> PrintSetup(QWidget* parent, const PrintChoice& choice) = 0;
  // The register history, showing `device` first: the state to open, or nothing when closed.
  virtual std::optional<transfers::RecordedState> RegisterHistory(
      QWidget* parent, const std::vector<transfers::RecordedState>& states,
      std::uint32_t device) = 0;
};

// The real dialogs.
class QtDialogs final : public Dialogs {
 public:
  std::optional<QString> OpenFileName(QWidget* parent) override;
  std::optional<QString> SaveFileName(QWidget* parent, FileKind kind) override;
  std::optional<FindRequest> Find(QWidget* parent) override;
  std::optional<unsigned> GoToLine(QWidget* parent, unsigned largestLine, app::Ui& ui) override;
  void About(QWidget* parent) override;
  bool Print(QWidget* parent, QPrinter& printer, int pageCount) override;
  void Preview(QWidget* parent, QPrinter& printer,
               const std::function<void(QPrinter*)>& paint) override;
  std::optional<PrintChoice> PrintSetup(QWidget* parent, const PrintChoice& choice) override;
  std::optional<transfers::RecordedState> RegisterHistory(
      QWidget* parent, const std::vector<transfers::RecordedState>& states,
      std::uint32_t device) override;
};

}  // namespace nuvrel::gui
