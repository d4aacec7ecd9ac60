// The packed record format of raw trace files and compensation files.
//
// A file is: one lead byte, then records, then TYPE_END. A record is a type byte, n samples
// (IEEE 754 single precision, least significant byte first) and a separator byte. TYPE_BLOCK
// carries BLOCK_SAMPLES samples; any other type byte but TYPE_END carries (type >> 2) samples,
// bits 0 and 1 being ignored. The reader never examines the lead and separator bytes.
#pragma once

#include <cstdio>
#include <string>

class Operator;

constexpr unsigned char LEAD_BYTE = 0x4B;   // 'K', written first by our writer
constexpr unsigned char TYPE_BLOCK = 0x81;  // a record of BLOCK_SAMPLES samples
constexpr unsigned char TYPE_END = 0x82;    // no record: the samples end here
constexpr int BLOCK_SAMPLES = 32;

// Reads one trace into dest, which has room for MAX_POINTS (7200) doubles. Returns the number
// of samples n and stores them in dest[0, n); returns 0 when the file holds no samples, and 0
// after telling the operator when it cannot be opened, ends before its TYPE_END byte or holds
// more than 7200 samples. dest is written only on success; entries from n on are never touched.
int ReadTraceFile(const std::string& path, double* dest, Operator& op);

// ReadTraceFile on a stream already open for reading at its first byte (a file or bytes in
// memory); name stands for the file in the messages. f stays open.
int ReadTraceStream(std::FILE* f, const std::string& name, double* dest, Operator& op);

// Writes values[0, n), each multiplied by scale and rounded to single precision, as a packed
// record file: full TYPE_BLOCK records, the last record in the count form, then TYPE_END.
// Returns 1 when every byte reached the file, 0 otherwise (n < 1, the file cannot be created,
// a write, flush or close failed); on 0 an existing file at path is left as it was and no
// partial file remains. Tells the operator nothing.
int WriteTraceFile(const std::string& path, const double* values, int n, int scale);
