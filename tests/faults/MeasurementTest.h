// A started document with a measurement of its own trace set loaded, and the operator's script.
#pragma once

#include "DocumentFramework.h"
#include "QuorvelwDoc.h"
#include "ScriptedOperator.h"
#include "TempFolder.h"
#include "TraceSets.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class MeasurementTest : public ::testing::Test {
protected:
    MeasurementTest() : doc(std::make_unique<CQuorvelwDoc>()) { StartUp(*doc, op, ""); }

    // Writes the set (first file ang000.dat in dir) and loads it; the trace files in order.
    std::vector<std::string> Load(int traces, int n)
    {
        const std::vector<std::string> names = WriteTraceSet(dir.File("ang000.dat"), traces, n);
        LoadAgain(traces);
        EXPECT_EQ(doc->m_bDataLoaded, 1) << ::testing::PrintToString(op.Messages());
        op.events.clear();
        return names;
    }

    // "Load Raw Data" on the set already on disk.
    void LoadAgain(int traces)
    {
        op.AcceptRawData(dir.File("ang000.dat"), traces);
        OnFileNew(*doc, op);
    }

    TempFolder dir;
    ScriptedOperator op;
    std::unique_ptr<CQuorvelwDoc> doc;
};
