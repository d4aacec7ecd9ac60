// An operator that answers from a script and records everything it is told or asked, in
// order. A question the script did not foresee fails the test and is answered with Cancel.
#pragma once

#include "Operator.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

class ScriptedOperator : public Operator {
public:
    // Answers, taken front first; std::nullopt is Cancel.
    std::deque<std::optional<RawDataValues>> rawData;
    std::deque<std::optional<GageInfoValues>> gageInfo;
    std::deque<std::optional<std::string>> saveNames;
    std::deque<std::optional<std::string>> openNames;
    std::deque<SaveChangesAnswer> saveChanges;

    // "message: <text>", "dialog: Load Raw Data", "dialog: Gage Info",
    // "ask save name: document|compensation", "ask open name", "ask save changes: <title>".
    std::vector<std::string> events;
    std::vector<std::string> Messages() const;  // the texts of the messages only

    RawDataValues rawDataOffered;    // what the last Load Raw Data dialog opened with
    GageInfoValues gageInfoOffered;  // what the last gage dialog opened with
    std::string proposedName;        // what the last save-name question proposed

    // The script: accept the Load Raw Data dialog with these values.
    void AcceptRawData(const std::string& file, int traces, int unit = 0);

    void ShowMessage(const std::string& text) override;
    DialogResult RunRawDataDialog(RawDataValues& values) override;
    DialogResult RunGageInfoDialog(GageInfoValues& values) override;
    bool AskSaveFileName(FileKind kind, const std::string& proposed, std::string& path) override;
    bool AskOpenFileName(FileKind kind, std::string& path) override;
    SaveChangesAnswer AskSaveChanges(const std::string& title) override;
};
