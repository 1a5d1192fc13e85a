// SPDX-License-Identifier: MIT
#include "gui/find_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace nuvrel::gui {

FindDialog::FindDialog(QWidget* parent)
    : QDialog(parent),
      m_text(new QLineEdit(this)),
      m_matchCase(new QCheckBox("&Match case", this)),
      m_selectionOnly(new QCheckBox("Search &selection only", this)) {
  setWindowTitle("Find");
  m_text->setMaxLength(50);
  auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
  QPushButton* find = buttons->addButton("&Find", QDialogButtonBox::AcceptRole);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  find->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* label = new QLabel("Find:", this);
  label->setBuddy(m_text);
  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(m_text, 0, 1);
  layout->addWidget(m_matchCase, 1, 1);
  layout->addWidget(m_selectionOnly, 2, 1);
  layout->addWidget(buttons, 0, 2, 3, 1);
  layout->setColumnMinimumWidth(1, 220);
}

FindRequest FindDialog::Request() const {
  return {m_text->text(), m_matchCase->isChecked(), m_selectionOnly->isChecked()};
}

}  // namespace nuvrel::gui
