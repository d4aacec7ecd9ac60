// INPUT into the document, the way the desktop program gets there.
#pragma once

class CQuorvelwDoc;
class CliOperator;
struct ToolArguments;

// The start-up sequence (its clearing call, then the document when INPUT names one), then for
// raw traces the Load Raw Data command; then the gage dialog when --gage or --grating was
// given. False when the operator was told anything: a file that could not be read, a load or
// an analysis that failed. A document file without a measurement loads without a word.
bool LoadInput(CQuorvelwDoc& doc, CliOperator& op, const ToolArguments& args);
