// The error separation written out literally (fresh sines and cosines for every term, rotation
// through a scratch copy): the reference the fast implementation is checked against.
#pragma once

#include "QuorvelwDoc.h"

void LiteralFourierCoef(const double* data, int n, int order, double* cosCoef, double* sinCoef);
void LiteralRotateArray(double* data, int n, int shift);
// Fills the result tables of doc from its m_raw, T, N and unit; no checks.
void LiteralSeparateErrors(CQuorvelwDoc& doc);
