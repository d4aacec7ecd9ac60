// A measurement as one JSON object: the document's fields under their names without the m_
// prefix, the text report's six areas and the plot report's three captions.
#pragma once

#include <string>

class CQuorvelwDoc;

std::string MeasurementJson(const CQuorvelwDoc& doc);

// The text report's six areas, each followed by an empty line.
std::string TextReportListing(const CQuorvelwDoc& doc);
