#pragma once

#include <string>
#include <vector>

// The start-up switches. The program looks at its command line as one tail,
// the way a Windows program sees everything after its own name, so the
// switches are matched on the whole text and not on single arguments: a tail
// is taken only when it is nothing but known switches, each once, separated
// by single blanks, case-sensitive and without quotes.

// The arguments joined with single blanks, in their order.
std::string argumentTail(const std::vector<std::string>& argsAfterProgramName);

// Whether the MODEL SAVE button is offered ("-VARDO").
bool showsModelSave(const std::string& tail);

// Whether the window speaks English whatever the system's language
// ("-ENGLISH"); for a user of a Japanese Windows who prefers it.
bool asksForEnglish(const std::string& tail);

// Follows the tail's language switch, before any text is shown.
void applyLanguageSwitch(const std::string& tail);
