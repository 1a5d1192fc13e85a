// SPDX-License-Identifier: MIT
// The Go to line dialog: a number between 1 and the sheet's last line, refused with a message
// otherwise (the dialog then stays open).
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::gui {

class GoToLineDialog final : public QDialog {
  Q_OBJECT
 public:
  GoToLineDialog(unsigned largestLine, app::Ui& ui, QWidget* parent = nullptr);
  unsigned Line() const { return m_line; }
  // The field, for tests that type into it.
  QLineEdit* Field() const { return m_field; }

  void accept() override;

 private:
  unsigned m_largest;
  app::Ui& m_ui;
  QLineEdit* m_field;
  unsigned m_line = 0;
};

}  // namespace nuvrel::gui
