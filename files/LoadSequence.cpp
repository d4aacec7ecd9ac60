#include "LoadSequence.h"

#include "Operator.h"
#include "QuorvelwDoc.h"
#include "TraceFile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

// Byte offset of the start of the count-th code point from the end; npos when s has fewer.
std::size_t OffsetFromEnd(const std::string& s, std::size_t count)
{
    std::size_t pos = s.size();
    for (std::size_t seen = 0; seen < count; ++seen) {
        if (pos == 0)
            return std::string::npos;
        --pos;
        while (pos > 0 && (static_cast<unsigned char>(s[pos]) & 0xC0) == 0x80)
            --pos;  // continuation byte of a multi-byte character
    }
    return pos;
}

// The file system's clock and the system clock may count from different epochs; both epochs
// lie a whole number of seconds apart, so the measured difference rounded to seconds is exact.
std::time_t ToTimeT(std::filesystem::file_time_type ft)
{
    using namespace std::chrono;
    const auto fileNow = std::filesystem::file_time_type::clock::now();
    const auto sysNow = system_clock::now();
    const seconds epochDiff = round<seconds>(duration_cast<microseconds>(fileNow.time_since_epoch()) -
                                             duration_cast<microseconds>(sysNow.time_since_epoch()));
    const seconds sinceFileEpoch = floor<seconds>(ft.time_since_epoch());
    return static_cast<std::time_t>((sinceFileEpoch - epochDiff).count());
}

bool ReadTrace(CQuorvelwDoc& doc, Operator& op, int trace, int angle, double* staging)
{
    const std::string name = TraceFileName(doc.m_strDataFile, angle);
    doc.m_nPoints = ReadTraceFile(name, staging, op);
    if (doc.m_nPoints <= 0)
        return false;
    for (int k = 0; k < doc.m_nPoints; ++k)
        doc.m_raw[k][trace] = staging[k];
    return true;
}

}  // namespace

std::string TraceFileName(const std::string& firstFile, int angle)
{
    const std::size_t head = OffsetFromEnd(firstFile, 7);
    if (head == std::string::npos || angle < 0 || angle > 999)
        return {};
    const std::size_t tail = OffsetFromEnd(firstFile, 4);
    char digits[4];
    std::snprintf(digits, sizeof digits, "%3.3u", static_cast<unsigned>(angle));
    return firstFile.substr(0, head) + digits + firstFile.substr(tail);
}

std::string CollectionDateText(std::time_t t)
{
    static const char* const weekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                           "Thursday", "Friday", "Saturday"};
    static const char* const months[] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
    const std::tm* tm = std::localtime(&t);
    if (!tm || tm->tm_wday < 0 || tm->tm_wday > 6 || tm->tm_mon < 0 || tm->tm_mon > 11)
        return {};
    char text[96];
    std::snprintf(text, sizeof text, "%s, %s %02d, %04d %02d:%02d:%02d", weekdays[tm->tm_wday],
                  months[tm->tm_mon], tm->tm_mday, tm->tm_year + 1900, tm->tm_hour, tm->tm_min, tm->tm_sec);
    return text;
}

std::string FileDateText(const std::string& path)
{
    std::error_code ec;
    const auto ft = std::filesystem::last_write_time(path, ec);
    return ec ? std::string() : CollectionDateText(ToTimeT(ft));
}

bool LoadRawData(CQuorvelwDoc& doc, Operator& op)
{
    RawDataValues dlg;
    if (op.RunRawDataDialog(dlg) != DialogResult::Ok)
        return false;
    // Refused before anything is stored: the document never holds a trace count that would not
    // fit its tables, nor a name set that cannot be built.
    if (dlg.m_nTraces < 1 || dlg.m_nTraces > MAX_TRACES) {
        op.ShowMessage("The number of traces must be between 1 and 36");
        return false;
    }
    if (TraceFileName(dlg.m_strDataFile, 0).empty()) {
        op.ShowMessage("The first data file name is too short to carry an angle: " + dlg.m_strDataFile);
        return false;
    }

    // These stand even when a trace file fails below.
    doc.m_strDataFile = dlg.m_strDataFile;
    doc.m_nTraces = dlg.m_nTraces;
    doc.m_nUnit = dlg.m_nUnit == 0 ? 0 : 1;
    doc.m_nReportMode = 0;
    doc.m_strGageInfo = DEFAULT_GAGE_INFO;
    doc.m_strGratingInfo = DEFAULT_GRATING_INFO;

    doc.m_strDate = FileDateText(TraceFileName(doc.m_strDataFile, 0));

    const auto staging = std::make_unique<double[]>(MAX_POINTS);
    const int step = 360 / doc.m_nTraces;  // whole degrees: 51 for 7 traces
    for (int i = 0; i < doc.m_nTraces; ++i) {
        if (!ReadTrace(doc, op, i, step * i, staging.get()))
            return false;
    }
    return true;
}

bool OnNewDocument(CQuorvelwDoc& doc, Operator& op)
{
    doc.ResetPathName();
    doc.SetModifiedFlag(false);

    ++doc.m_nNewCount;
    if (doc.m_nNewCount == 1) {  // start-up: no dialog, nothing to say
        doc.ClearRaw();
        doc.m_bDataLoaded = 0;
        return true;
    }
    if (LoadRawData(doc, op)) {
        const SeparationStatus status = doc.SeparateErrors();
        if (status.ok()) {
            doc.m_bDataLoaded = 1;
            return true;
        }
        op.ShowMessage(SeparationMessage(status));
    }
    doc.ClearRaw();
    doc.m_bDataLoaded = 0;
    op.ShowMessage("Can't load data");
    return true;
}
