// What the fuzz targets share: an operator that records what it is told and aborts on any
// question (reading a file never asks one), and a check that aborts so libFuzzer keeps the
// input that broke it.
#pragma once

#include "Operator.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition, what)                                                        \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "invariant violated at %s:%d: %s\n", __FILE__, __LINE__, \
                         what);                                                            \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

class FuzzOperator : public Operator {
public:
    std::vector<std::string> messages;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    DialogResult RunRawDataDialog(RawDataValues&) override { Unexpected("Load Raw Data dialog"); }
    DialogResult RunGageInfoDialog(GageInfoValues&) override { Unexpected("gage dialog"); }
    bool AskSaveFileName(FileKind, const std::string&, std::string&) override { Unexpected("save name"); }
    bool AskOpenFileName(FileKind, std::string&) override { Unexpected("open name"); }
    SaveChangesAnswer AskSaveChanges(const std::string&) override { Unexpected("save changes"); }

private:
    [[noreturn]] static void Unexpected(const char* question)
    {
        std::fprintf(stderr, "invariant violated: a file read asked the operator: %s\n", question);
        std::abort();
    }
};
