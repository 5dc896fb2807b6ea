// Aperture macros: their statements kept as written, and the aperture they
// make once an aperture definition gives the values of $1, $2, ...
#pragma once

#include <string>
#include <vector>

#include "render/aperture.h"

namespace render {

struct Macro {
  std::vector<std::string> statements;  // primitives, assignments, comments
};

// Arithmetic of macro statements: numbers, $n, unary signs, + - x / and
// brackets. `vars[n]` is $n (an unset one is 0). False on a malformed text.
bool evaluateExpression(const std::string& text, const std::vector<double>& vars, double& value);

// Makes the aperture of `macro` with `params` as $1... (lengths in file
// units, `toInches` converts them). Primitives it does not know are named in
// `unknown` ("AM primitive 9") and left out.
void instantiateMacro(const Macro& macro, const std::vector<double>& params, double toInches,
                      Aperture& out, std::vector<std::string>& unknown);

}  // namespace render
