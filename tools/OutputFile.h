// Where a subcommand's text goes: a file that appears only when complete, or standard output.
#pragma once

#include <string>

// "-" is standard output. False when not every byte got there; the file is then not created
// and an existing one keeps its content.
bool WriteOutput(const std::string& path, const std::string& text);

// Every byte to standard output, flushed.
bool WriteStandardOutput(const std::string& text);
