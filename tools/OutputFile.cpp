#include "OutputFile.h"

#include "AtomicFile.h"

#include <cstdio>

bool WriteStandardOutput(const std::string& text)
{
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        return false;
    return std::fflush(stdout) == 0;
}

bool WriteOutput(const std::string& path, const std::string& text)
{
    if (path == "-")
        return WriteStandardOutput(text);
    return WriteFileAtomically(path, text.data(), text.size());
}
