// The ".qvl" document file: four texts, four 32-bit integers and the N x T raw samples, all
// little-endian, no header:
//   m_strDataFile, m_strDate, m_strGageInfo, m_strGratingInfo   (length-prefixed texts)
//   m_nUnit, m_nPoints, m_nTraces, m_bDataLoaded                 (int32, in this order)
//   m_raw[i][j] for i < N (outer), j < T (inner)                 (float64)
// A text's prefix is its length L: one byte for L < 255; 0xFF and 16 bits for L < 65534;
// 0xFF, 0xFFFF and 32 bits above. On reading, 0xFF 0xFFFE marks a UTF-16LE text: a second
// prefix follows, then 2 * L bytes, which we keep as UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CQuorvelwDoc;

// Appends the length prefix and bytes of text.
void AppendDocumentString(const std::string& text, std::vector<std::uint8_t>& out);

// Serialize, storing: the file's bytes for doc. False (out empty) when the counts do not fit
// the tables, so nothing outside them is ever read.
bool SerializeStore(const CQuorvelwDoc& doc, std::vector<std::uint8_t>& out);

// Serialize, loading fields 1 to 9 into doc (texts, settings, flag, m_raw[0..N)[0..T)) and no
// other field. False when the bytes are not a whole document file of ours: a field cut short,
// bytes left over, a text longer than what remains, a unit other than 0 or 1, a flag other
// than 0 or 1, or counts outside 1 <= T <= 36, 1 <= N <= 7200. A flag 0 file with no samples
// (N or T 0, as saved before any load or after a failed one) is well formed. doc may be
// partly written when this fails: load into a scratch document.
bool SerializeLoad(CQuorvelwDoc& doc, const std::uint8_t* data, std::size_t size);
