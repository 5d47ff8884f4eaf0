// fuzz/fuzz_support.h — what every fuzz target shares: a private working folder and the checks on outputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Makes a fresh temporary folder the working directory, once per process, with an empty "bases/" in it.
void enter_private_folder();

// Writes the bytes to a file of the working folder, replacing it.
void write_input(const std::string& path, const uint8_t* data, size_t size);

// The whole content of a file ("" when it cannot be read).
std::string read_whole_file(const std::string& path);

// True when the text holds the word "nan", "inf" or "infinity" in any case: what a number text must never
// become.
bool holds_non_number(const std::string& text);

// Prints the message and the text that broke a property, then aborts so that the fuzzer keeps the input.
[[noreturn]] void property_failed(const char* what, const std::string& text);
