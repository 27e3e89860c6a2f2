#pragma once

#include <windows.h>

#include <vector>

// Dialog template 102 (app/main_dialog_template.h) as the system's dialog
// functions take it: a DLGTEMPLATEEX and its items, in the template's font and
// with the styles of a classic Windows dialog. The storage starts on a DWORD
// boundary, as the system requires.
std::vector<WORD> mainDialogTemplate();
