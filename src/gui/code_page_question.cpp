// SPDX-License-Identifier: MIT
#include "gui/code_page_question.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/format.h"
#include "app/strings.h"
#include "gui/exec_modal.h"
#include "gui/text_codec.h"

namespace nuvrel::gui {

std::optional<std::string> StorableText(QWidget* parent, const QString& text, TextOrigin origin) {
  const QStringList missing = MissingFromCp1251(text);
  if (missing.isEmpty()) return ToCp1251(text);

  QStringList replacements;
  for (const QString& character : missing) {
    replacements << character + QStringLiteral(" \u2192 ") + NearestInCp1251(character);
  }
  const std::string question =
      app::Format(app::Sid::CharactersNotInSheet, {replacements.join(", ").toStdString()});
  QMessageBox box(QMessageBox::Question, FromUtf8(app::Text(app::Sid::AppTitle)),
                  FromUtf8(question).replace("\r\n", "\n"), QMessageBox::NoButton, parent);
  QPushButton* replace =
      box.addButton(FromUtf8(app::Text(app::Sid::ReplaceCharacters)), QMessageBox::AcceptRole);
  QAbstractButton* keep =
      origin == TextOrigin::Typed
          ? box.addButton(FromUtf8(app::Text(app::Sid::BackToEditing)), QMessageBox::RejectRole)
          : box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(replace);
  box.setEscapeButton(keep);
  ExecModal(box);
  if (box.clickedButton() != replace) return std::nullopt;
  return ToCp1251Nearest(text);
}

}  // namespace nuvrel::gui
