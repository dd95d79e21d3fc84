// Texts between the suite's ANSI strings and the forms other parts of the
// system take: the image library opens files by UTF-8 names, and the file
// browser and the command line hold names in UTF-16, which the ANSI code
// page may not be able to write.
#pragma once
#include <string>

// The UTF-16 form of a text in the ANSI code page.
std::wstring AnsiToWide(const std::string &ansi);
// The UTF-8 form of a text in the ANSI code page.
std::string AnsiToUtf8(const std::string &ansi);
// The ANSI form of a UTF-8 text; a character the code page lacks becomes '?'.
// For texts shown to the user (the image library's messages name files).
std::string Utf8ToAnsi(const std::string &utf8);
// The ANSI form of a UTF-16 text. False when a character has no exact form in
// the ANSI code page: a look-alike ("best fit") would name another file.
bool WideToAnsiExactly(const std::wstring &wide, std::string *ansi);
