// SPDX-License-Identifier: MIT
// The one place where a protocol fault becomes the text that the person sees.
#pragma once

#include <optional>

#include "app/strings.h"
#include "link/frames.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::link {

// The message of a fault; none for Fault::None and Fault::Silent.
std::optional<app::Sid> MessageFor(Fault fault);

// Shows the fault's message with the error icon (nothing for None and Silent).
void Report(app::Ui& ui, Fault fault);

}  // namespace nuvrel::link
