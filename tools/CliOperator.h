// The operator of the command line: the dialogs are answered from the arguments, every message
// is kept, in order, for the tool to print once it knows whether the command succeeded.
#pragma once

#include "Operator.h"
#include "ToolArguments.h"

#include <string>
#include <vector>

class CliOperator : public Operator {
public:
    explicit CliOperator(const ToolArguments& args) : m_args(args) {}

    const std::vector<std::string>& Messages() const { return m_messages; }

    void ShowMessage(const std::string& text) override;
    // INPUT, --traces and --unit, once: a second load in one run would be a fault of ours,
    // and is cancelled rather than repeated.
    DialogResult RunRawDataDialog(RawDataValues& values) override;
    // --gage and --grating; a text not given keeps the one the document holds.
    DialogResult RunGageInfoDialog(GageInfoValues& values) override;
    void SetCurrentTexts(const std::string& gage, const std::string& grating);
    // The output file named on the command line; cancelled when none was.
    bool AskSaveFileName(FileKind kind, const std::string& proposed, std::string& path) override;
    bool AskOpenFileName(FileKind kind, std::string& path) override;
    // Nothing of the document is ever kept beyond the run: No.
    SaveChangesAnswer AskSaveChanges(const std::string& title) override;

private:
    const ToolArguments& m_args;
    std::vector<std::string> m_messages;
    bool m_rawDataAnswered = false;
    std::string m_currentGage;
    std::string m_currentGrating;
};
