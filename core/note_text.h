// core/note_text.h — a text of several lines (a recipe's notes) written on one line of a tab-separated file.
#pragma once

#include <string>

// The text with each backslash, tab, line feed and carriage return written as "\\", "\t", "\n" and "\r".
std::string escaped_notes(const std::string& text);

// The text escaped_notes wrote; a backslash before any other byte, or at the end, stands for itself.
std::string unescaped_notes(const std::string& line);
