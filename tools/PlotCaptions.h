// The three captions of the plot report, top to bottom, as it draws them.
#pragma once

#include <string>
#include <vector>

class CQuorvelwDoc;

// Drawn on a recording surface and read back: the captions depend on the document only, not
// on the device. Empty when the report drew other than its title, header and three captions.
std::vector<std::string> PlotCaptions(const CQuorvelwDoc& doc);
