// SPDX-License-Identifier: MIT
#include "gui/cell_editor.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QValidator>
#include <algorithm>
#include <limits>

#include "gui/visible_text.h"

namespace nuvrel::gui {

// What may be typed: digits only, and no more characters than the cell's limit. A text already
// longer than the limit (read from a file, say) is shown whole; it may shrink but never grow.
class InputRule final : public QValidator {
 public:
  InputRule(bool digitsOnly, int limit, QObject* parent)
      : QValidator(parent), m_digitsOnly(digitsOnly), m_limit(limit) {}

  void SetAcceptedLength(qsizetype length) { m_acceptedLength = length; }

  State validate(QString& input, int&) const override {
    if (m_digitsOnly &&
        !std::all_of(input.begin(), input.end(), [](QChar c) { return c >= '0' && c <= '9'; })) {
      return Invalid;
    }
    if (m_limit > 0 && input.size() > m_limit && input.size() > m_acceptedLength) return Invalid;
    return Acceptable;
  }

 private:
  bool m_digitsOnly;
  int m_limit;
  qsizetype m_acceptedLength = 0;
};

namespace {

// QLineEdit keeps this much room on each side of its text when it has no frame.
constexpr int kLineEditInnerMargin = 2;

}  // namespace

CellEditor::CellEditor(QWidget* parent, const QRect& rect, const QFont& font,
                       const grid::EditSpec& style, Qt::Alignment alignment, int margin,
                       const QString& text)
    : QLineEdit(parent), m_startText(text) {
  setFrame(false);
  setFont(font);
  setAlignment(alignment | Qt::AlignVCenter);
  const int side = std::max(0, margin - kLineEditInnerMargin);
  setTextMargins(side, 0, side, 0);
  setGeometry(rect);
  // A line edit takes 32767 characters unless told otherwise, and would cut a longer cell text
  // short; editing a cell edits all of it.
  setMaxLength(std::numeric_limits<int>::max());
  if (style.digitsOnly || style.lengthLimit > 0) {
    m_rule = new InputRule(style.digitsOnly, style.lengthLimit, this);
    m_rule->SetAcceptedLength(text.size());
    setValidator(m_rule);
  }
  setText(text);
  connect(this, &QLineEdit::textChanged, this, [this](const QString& now) {
    if (m_rule) m_rule->SetAcceptedLength(now.size());
    Widen();
  });
}

void CellEditor::Begin(Start start, QChar character) {
  m_start = start;
  switch (start) {
    case Start::Mouse: end(false); break;
    case Start::Backspace:
      end(false);
      backspace();
      break;
    case Start::SelectAll: selectAll(); break;
    case Start::Character:
      selectAll();
      // Goes through the input rule like any typed character: a letter in a digits-only cell
      // leaves the text as it was, selected.
      insert(QString(character));
      break;
  }
  Widen();
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter: emit endRequested(key, modifiers); return;
    case Qt::Key_Escape:
      setText(m_startText);
      emit endRequested(key, modifiers);
      return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
      // Opened by a click or F2 the person is editing within the text; opened by typing, the
      // arrows go on to the next cell as they do outside the edit.
      if (m_start != Start::Mouse || (modifiers & Qt::ControlModifier)) {
        emit endRequested(key, modifiers);
        return;
      }
      break;
    default: break;
  }
  QLineEdit::keyPressEvent(event);
  // A key the line edit leaves alone (Up and Down, say) must not reach the grid beneath it.
  event->accept();
}

void CellEditor::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // The edit's own context menu takes the focus for a moment; editing goes on behind it.
  if (event->reason() != Qt::PopupFocusReason) emit endRequested(0, Qt::NoModifier);
}

void CellEditor::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Text));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CellEditor::Widen() {
  if (!parentWidget()) return;
  const QMargins margins = textMargins();
  const int room = parentWidget()->width() - x();
  // The edit never gets wider than the room, so a long text is measured only that far.
  const QString shown = VisibleText(fontMetrics()).Of(text() + QStringLiteral("  "), room);
  const int wanted = fontMetrics().horizontalAdvance(shown) + margins.left() + margins.right() +
                     2 * kLineEditInnerMargin + 2;
  const int widened = std::max(width(), std::min(wanted, room));
  if (widened != width()) resize(widened, height());
}

}  // namespace nuvrel::gui
