// Everything the operator is told goes through this interface: the desktop program shows a
// message box, the command-line tool prints to standard error, tests record.
#pragma once

#include <string>

class Operator {
public:
    virtual ~Operator() = default;
    // A warning to the operator: OK button, warning icon, the application title as caption.
    virtual void ShowMessage(const std::string& text) = 0;
};
