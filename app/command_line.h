#pragma once

#include <string>
#include <vector>

// The start-up switch. The program looks at its command line as one tail, the
// way a Windows program sees everything after its own name, so the switch is
// matched on the whole text and not on single arguments.

// The arguments joined with single blanks, in their order.
std::string argumentTail(const std::vector<std::string>& argsAfterProgramName);

// Whether the MODEL SAVE button is offered: only for a tail that is exactly
// "-VARDO" (case-sensitive, nothing before or after it, no quotes).
bool showsModelSave(const std::string& tail);
