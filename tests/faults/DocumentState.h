// Everything of a document that a failure must leave as it was, compared bit for bit (NaN
// samples included), and what its view draws.
#pragma once

#include "Report.h"

#include <cstdint>
#include <string>
#include <vector>

class CQuorvelwDoc;

struct DocumentState {
    explicit DocumentState(const CQuorvelwDoc& doc);

    std::vector<std::string> fields;  // texts, settings, flags, path, title, modified
    std::vector<std::uint64_t> raw;   // every entry of m_raw
    std::vector<std::uint64_t> results;

    bool operator==(const DocumentState& o) const
    {
        return fields == o.fields && raw == o.raw && results == o.results;
    }
};

// The text drawn and the lines drawn by the report of the given kind, in order, one entry per
// call, on a fixed 1920 x 1080 display. Empty when nothing is drawn.
std::vector<std::string> Drawing(const CQuorvelwDoc& doc, ReportKind kind);
