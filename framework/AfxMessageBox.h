#pragma once

#include <windows.h>

#include <string>

// A message box over the program's window, with the program's name as caption.
int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT helpId = 0);
