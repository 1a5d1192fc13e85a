// SPDX-License-Identifier: MIT
// Sheet cells hold Windows-1251. Before a typed or pasted text is stored, the characters the code
// page lacks are named to the person, who may have them replaced by their nearest letters or keep
// the text out of the sheet; nothing is turned into '?' unasked.
#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace nuvrel::gui {

enum class TextOrigin {
  Typed,   // an edit: not replacing goes back to editing
  Pasted,  // a paste: not replacing pastes nothing
};

// The Windows-1251 bytes to store for the text, asking first when the text holds characters the
// code page lacks; empty when the person does not have them replaced.
std::optional<std::string> StorableText(QWidget* parent, const QString& text, TextOrigin origin);

}  // namespace nuvrel::gui
