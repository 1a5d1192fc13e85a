// SPDX-License-Identifier: MIT
#include "gui/go_to_line_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "app/ui.h"
#include "gui/text_codec.h"
#include "sheets/find.h"

namespace nuvrel::gui {

GoToLineDialog::GoToLineDialog(unsigned largestLine, app::Ui& ui, QWidget* parent)
    : QDialog(parent), m_largest(largestLine), m_ui(ui), m_field(new QLineEdit(this)) {
  setWindowTitle("Go to line ...");
  auto* prompt = new QLabel(FromUtf8(sheets::GoToLinePrompt(largestLine)), this);
  m_field->setMaxLength(4);
  m_field->setAlignment(Qt::AlignRight);
  m_field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_field));
  prompt->setBuddy(m_field);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &GoToLineDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QGridLayout(this);
  layout->addWidget(prompt, 0, 0);
  layout->addWidget(m_field, 0, 1);
  layout->addWidget(buttons, 1, 0, 1, 2);
}

void GoToLineDialog::accept() {
  const auto line = sheets::CheckGoToLine(ToCp1251(m_field->text()), m_largest);
  if (!line) {
    m_ui.ShowMessage(sheets::GoToLinePrompt(m_largest), app::Icon::Error);
    m_field->setFocus();
    m_field->selectAll();
    return;
  }
  m_line = *line;
  QDialog::accept();
}

}  // namespace nuvrel::gui
