// SPDX-License-Identifier: MIT
// The one place where a protocol fault becomes the text that the person sees.
#pragma once

#include <optional>

#include "app/strings.h"
#include "link/frames.h"
#include "link/transport.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::link {

// The message of a fault; none for Fault::None and Fault::Silent.
std::optional<app::Sid> MessageFor(Fault fault);

// Shows the fault's message with the error icon (nothing for None and Silent).
void Report(app::Ui& ui, Fault fault);

// The same; a line that was lost (hung up, or a write that failed) adds the port's word on why,
// naming where it led, when it has one.
void Report(app::Ui& ui, Fault fault, const Transport& port);

}  // namespace nuvrel::link
