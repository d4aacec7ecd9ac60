// "Load Raw Data": from the dialog's first file, trace count and unit to a measurement in the
// document, one trace file per angular position.
#pragma once

#include <ctime>
#include <string>

class CQuorvelwDoc;
class Operator;

// The trace file at angle degrees (0..359) of the set whose first file is firstFile: the three
// characters before the last four are replaced by the angle in three digits ("045"), whatever
// they were. Characters are counted as UTF-8 code points. Empty when firstFile has fewer than 7.
std::string TraceFileName(const std::string& firstFile, int angle);

// "Monday, December 13, 2004 09:05:07" for t in local time, with English names whatever the
// locale. Empty when t cannot be converted.
std::string CollectionDateText(std::time_t t);

// CollectionDateText of the last modification of path; empty when its status cannot be read.
std::string FileDateText(const std::string& path);

// The load sequence: runs the Load Raw Data dialog, stores its values and the default gage and
// grating texts, reads trace i from the file at angle (360 / T) * i into column i of m_raw and
// sets m_nPoints to the count of the last file read. False when the dialog was cancelled, the
// trace count is outside 1..36, the first file's name is too short to carry an angle, or a
// trace file could not be read (the operator has been told why, except for Cancel). Does not
// run the analysis; OnNewDocument does.
bool LoadRawData(CQuorvelwDoc& doc, Operator& op);

// The document's new-document handler, reached at start-up and by every "Load Raw Data": resets
// path, title and modified flag, counts the call in m_nNewCount; the first call only clears
// m_raw, every later one runs LoadRawData and the analysis. A load that fails or cannot be
// evaluated leaves m_raw cleared and m_bDataLoaded 0 and ends with "Can't load data". Returns
// true in every case: the document, loaded or emptied, stays.
bool OnNewDocument(CQuorvelwDoc& doc, Operator& op);
