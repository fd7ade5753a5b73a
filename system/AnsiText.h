#pragma once

#include <string>

// The program's texts are ANSI, in the system code page; the system keeps
// UTF-16. These convert between the two.

// The text in UTF-16; false when it does not convert (wide is then empty).
bool ToWide(const std::string& text, std::wstring& wide);
// The text in ANSI; false when it has characters the code page lacks, which
// then come out changed: ansi holds the text as far as it converts.
bool ToAnsi(const wchar_t* text, size_t length, std::string& ansi);
