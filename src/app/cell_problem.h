// SPDX-License-Identifier: MIT
// What a check before sending found wrong with one cell of a sheet: an error stops the sending, a
// warning leaves it to the person.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace nuvrel::app {

enum class Severity { Error, Warning };

struct CellProblem {
  int row = 0;
  int col = 0;
  std::string message;  // UTF-8, as the person reads it
  Severity severity = Severity::Error;

  friend bool operator==(const CellProblem&, const CellProblem&) = default;
};

inline bool AnyError(const std::vector<CellProblem>& problems) {
  return std::any_of(problems.begin(), problems.end(),
                     [](const CellProblem& p) { return p.severity == Severity::Error; });
}

}  // namespace nuvrel::app
