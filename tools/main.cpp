// quorvel: the command-line program.
#include "Subcommands.h"
#include "ToolArguments.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    const ParsedCommandLine parsed = ParseToolArguments(argc, argv);
    if (parsed.exitCode >= 0) {
        std::fputs(parsed.text.c_str(), parsed.exitCode == 0 ? stdout : stderr);
        return parsed.exitCode;
    }
    return RunSubcommand(parsed.args);
}
