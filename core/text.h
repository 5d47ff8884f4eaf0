// core/text.h — the text rules every file and dialog shares: lines, tab fields, decimal commas, number text.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

// Opens a file with every backslash of the path taken as a slash; null when it cannot be opened.
FILE* open_text_file(const std::string& path, const char* mode);

// Reads the next line without its LF (and without a CR right before it, or a CR ending the file).
// False when the file has no bytes left. For small files of known origin; the program's readers use
// LineReader (core/line_reader.h), which caps the line length and tells a failed read from the end.
bool read_text_line(FILE* file, std::string& line);

// Writes the text's bytes and one LF.
void write_text_line(FILE* file, const std::string& text);

// Every "," becomes ".".
std::string commas_to_points(const std::string& text);

// Field n (from 1) of a tab-separated line, after commas_to_points; empty when there is no such field.
std::string tab_field(const std::string& line, int n);

// The leading number of a text: "&H", "&O", "&B" integers, "d" read as "e", otherwise strtod's prefix.
double text_to_number(const std::string& text);

// "%.16g" without a final "."; a value that is not finite is written "0". The text always reads back as a
// number with that same text (the few exponent forms that would not are written as what they read as).
std::string number_to_text(double number);

// Rounds half up to d decimals (0 when d is above 3) and writes it without trailing zeros; "" for d < 0.
std::string format_decimals(double x, int d);

// Only the bytes "a" to "z" become capitals.
std::string upper_ascii(const std::string& text);

// The part of a path after its last "/" or backslash (both count as separators).
std::string path_base_name(const std::string& path);

// True when `text` holds any of `words` (a plain search: fold the case first where it matters).
bool mentions(const std::string& text, std::initializer_list<const char*> words);
