// SPDX-License-Identifier: MIT
// The modal dialogs the view opens, behind one interface so that the application tests can answer
// them without a window waiting for a person.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "gui/find_dialog.h"

class QPrinter;
class QWidget;

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::gui {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The Open dialog: a path, or nothing when cancelled.
  virtual std::optional<QString> OpenFileName(QWidget* parent) = 0;
  // The Save As dialog (it confirms an overwrite itself).
  virtual std::optional<QString> SaveFileName(QWidget* parent) = 0;
  virtual std::optional<FindRequest> Find(QWidget* parent) = 0;
  virtual std::optional<unsigned> GoToLine(QWidget* parent, unsigned largestLine, app::Ui& ui) = 0;
  virtual void About(QWidget* parent) = 0;
  // The print dialog; false when cancelled.
  virtual bool Print(QWidget* parent, QPrinter& printer) = 0;
  // The preview window, which calls paint to draw the pages.
  virtual void Preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint) = 0;
  virtual void PageSetup(QWidget* parent, QPrinter& printer) = 0;
};

// The real dialogs.
class QtDialogs final : public Dialogs {
 public:
  std::optional<QString> OpenFileName(QWidget* parent) override;
  std::optional<QString> SaveFileName(QWidget* parent) override;
  std::optional<FindRequest> Find(QWidget* parent) override;
  std::optional<unsigned> GoToLine(QWidget* parent, unsigned largestLine, app::Ui& ui) override;
  void About(QWidget* parent) override;
  bool Print(QWidget* parent, QPrinter& printer) override;
  void Preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter*)>& paint) override;
  void PageSetup(QWidget* parent, QPrinter& printer) override;
};

}  // namespace nuvrel::gui
