// Running one parsed command line: the exit status, after the output and the messages.
#pragma once

struct ToolArguments;

constexpr int EXIT_DONE = 0;
constexpr int EXIT_FAILED = 1;  // the messages are on standard error; nothing was written
constexpr int EXIT_USAGE = 2;

int RunSubcommand(const ToolArguments& args);
