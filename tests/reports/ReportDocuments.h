// Documents with hand-filled result tables, for the report tests.
#pragma once

#include "QuorvelwDoc.h"

#include <memory>

// Three traces and a few non-zero coefficients of every kind; the golden text of the text
// report is written for it.
std::unique_ptr<CQuorvelwDoc> SmallDocument();

// n samples of one sine per curve: angle amplitude 5e-6 rad with its maximum 5e-6 and minimum
// -3e-6 (the negative half squashed); part of order 2 with maximum 4e-6 and minimum -1e-5
// inch; spindle of order 3, 2e-6 inch.
std::unique_ptr<CQuorvelwDoc> CurveDocument(int n);
