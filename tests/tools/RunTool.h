// Running the quorvel program in a folder of its own, and what the tests compare it with.
#pragma once

#include "Operator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CQuorvelwDoc;

struct ToolRun {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out;  // standard output
    std::string err;  // standard error
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);
std::filesystem::path ExamplesDir();

// Answers the Load Raw Data dialog once with fixed values, keeps the messages.
class TestOperator : public Operator {
public:
    RawDataValues answer;
    std::vector<std::string> messages;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    DialogResult RunRawDataDialog(RawDataValues& values) override;
    DialogResult RunGageInfoDialog(GageInfoValues&) override { return DialogResult::Cancel; }
    bool AskSaveFileName(FileKind, const std::string&, std::string&) override { return false; }
    bool AskOpenFileName(FileKind, std::string&) override { return false; }
    SaveChangesAnswer AskSaveChanges(const std::string&) override { return SaveChangesAnswer::No; }
};

// The desktop program's way in, done here: the start-up call, then the document or the load.
std::unique_ptr<CQuorvelwDoc> OpenReference(const std::string& document);
std::unique_ptr<CQuorvelwDoc> LoadReference(const std::string& firstFile, int traces, int unit);

// Each test works in a fresh temporary folder, which is the program's working folder.
class ToolTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the program with args; prefix goes before it on the shell line (environment changes).
    ToolRun Run(const std::vector<std::string>& args, const std::string& prefix = {}) const;
    // The example's raw traces copied into the folder set/, for tests that change them.
    void CopyExampleTraces(const std::string& folder = "set") const;
    // Every file below the work folder, relative, sorted.
    std::vector<std::string> Listing() const;

    std::filesystem::path work;
    std::string exampleQvl;     // absolute
    std::string exampleTraces;  // absolute path of ang000.dat
};
