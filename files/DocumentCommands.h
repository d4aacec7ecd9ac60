// The document's own commands: Create Quorvel, Setup Gage Info and the report toggle with its
// menu state.
#pragma once

#include <string>

class CQuorvelwDoc;
class Operator;

// "Create Quorvel": asks for a file name and writes the negated angle error of the N samples
// as a compensation file. Refuses while no measurement is loaded ("No measurement is loaded.
// Quorvel file not created!", no question asked). The document does not change. True only
// when the file was written whole.
bool OnCreateCompensation(CQuorvelwDoc& doc, Operator& op);

// "Setup Gage Info": runs the gage and grating dialog (default texts); on OK stores both texts,
// marks the document modified and redraws the views.
void OnSetupGageInfo(CQuorvelwDoc& doc, Operator& op);

// "Report": switches between the plot report (0) and the text report (1), marks the document
// modified and redraws. Does nothing while the command is disabled (no measurement loaded).
void OnReport(CQuorvelwDoc& doc);

struct CommandState {
    bool enabled = false;
    std::string text;  // the menu text to show; empty: leave the text as it is
};

// The state of "Report": disabled while m_bDataLoaded is 0; otherwise enabled and named after
// the report it switches to: "Plot &Report" while the text report shows, else "Text &Report".
CommandState OnUpdateReport(const CQuorvelwDoc& doc);
