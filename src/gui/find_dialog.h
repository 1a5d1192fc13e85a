// SPDX-License-Identifier: MIT
// The Find dialog: the text, "Match case" and "Search selection only". It always opens empty.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace nuvrel::gui {

struct FindRequest {
  QString text;
  bool matchCase = false;
  bool selectionOnly = false;
};

class FindDialog final : public QDialog {
  Q_OBJECT
 public:
  explicit FindDialog(QWidget* parent = nullptr);
  FindRequest Request() const;

 private:
  QLineEdit* m_text;
  QCheckBox* m_matchCase;
  QCheckBox* m_selectionOnly;
};

}  // namespace nuvrel::gui
