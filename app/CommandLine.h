// The desktop program's command line: an optional document to open, or a document to print.
#pragma once

#include "CQuorvelwApp.h"

#include <QStringList>

struct CommandLineResult {
    StartCommand start;
    bool exitNow = false;  // --help, --version or a usage error
    int exitCode = 0;
    QString output;        // what to print before exiting (stdout on 0, stderr otherwise)
};

// The print switches are also accepted in their short slash forms: /p FILE, /pt FILE PRINTER.
CommandLineResult ParseCommandLine(const QStringList& arguments);
