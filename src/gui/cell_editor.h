// SPDX-License-Identifier: MIT
// The in-place edit: a line edit laid over the cell being edited. It takes the cell's edit rules
// (alignment, digits only, length), starts the way the key or click that opened it asks, widens
// while typing, and asks the grid to end editing on Tab, Enter, Esc, focus loss and, depending on
// how it started, the page and arrow keys. Storing the text is the grid's business.
#pragma once

#include <QLineEdit>

#include "grid/cell.h"

namespace nuvrel::gui {

class InputRule;

class CellEditor final : public QLineEdit {
  Q_OBJECT

 public:
  // How editing began; it decides where the caret starts and what the arrow keys do.
  enum class Start {
    Mouse,      // a click on the focus cell, a double-click or F2: caret after the text, arrows
                // move the caret
    Backspace,  // caret after the text, then the last character deleted
    SelectAll,  // Space, or going on after Tab, Enter or a moving key: the whole text selected,
                // so typing replaces it
    Character,  // a typed character: it replaces the text
  };

  // An edit over `rect` (parent coordinates) showing `text`, in `font`, aligned as `alignment`;
  // `margin` is the cell's text margin, so the text stays where the cell drew it.
  CellEditor(QWidget* parent, const QRect& rect, const QFont& font, const grid::EditSpec& style,
             Qt::Alignment alignment, int margin, const QString& text);

  // Places the caret (or the first character) for the way editing began.
  void Begin(Start start, QChar character = {});

 signals:
  // Editing should end. `key` is the key that ended it (Qt::Key_Escape after the text was put
  // back), 0 when the edit lost the focus.
  void endRequested(int key, Qt::KeyboardModifiers modifiers);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Widen();

  QString m_startText;
  Start m_start = Start::Mouse;
  InputRule* m_rule = nullptr;
};

}  // namespace nuvrel::gui
