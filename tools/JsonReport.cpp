#include "JsonReport.h"

#include "JsonText.h"
#include "PlotReport.h"
#include "QuorvelwDoc.h"
#include "TextReport.h"

#include <array>
#include <algorithm>
#include <cstdint>

namespace {

class ObjectWriter {
public:
    explicit ObjectWriter(std::string& out, int indent) : m_out(out), m_indent(indent) { m_out += '{'; }

    void Key(const char* name)
    {
        m_out += m_first ? "\n" : ",\n";
        m_first = false;
        m_out.append(m_indent + 2, ' ');
        AppendJsonString(m_out, name);
        m_out += ": ";
    }
    void String(const char* name, const std::string& value)
    {
        Key(name);
        AppendJsonString(m_out, value);
    }
    void Integer(const char* name, std::int32_t value)
    {
        Key(name);
        m_out += std::to_string(value);
    }
    void Number(const char* name, double value)
    {
        Key(name);
        AppendJsonNumber(m_out, value);
    }
    void Numbers(const char* name, const double* values, int count)
    {
        Key(name);
        m_out += '[';
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                m_out += ", ";
            AppendJsonNumber(m_out, values[i]);
        }
        m_out += ']';
    }
    void Close()
    {
        m_out += '\n';
        m_out.append(m_indent, ' ');
        m_out += '}';
    }

private:
    std::string& m_out;
    int m_indent;
    bool m_first = true;
};

}  // namespace

std::string MeasurementJson(const CQuorvelwDoc& doc)
{
    // Counts outside the tables never reach here with a measurement; the bounds keep a bad one
    // from reading past them.
    const int n = std::clamp(doc.m_nPoints, 0, MAX_POINTS);
    const int t = std::clamp(doc.m_nTraces, 0, MAX_TRACES);

    std::string out;
    out.reserve(static_cast<std::size_t>(n) * 4 * 26 + 64 * 1024);
    ObjectWriter o(out, 0);
    o.String("strDataFile", doc.m_strDataFile);
    o.String("strDate", doc.m_strDate);
    o.String("strGageInfo", doc.m_strGageInfo);
    o.String("strGratingInfo", doc.m_strGratingInfo);
    o.Integer("nUnit", doc.m_nUnit);
    o.Integer("nPoints", doc.m_nPoints);
    o.Integer("nTraces", doc.m_nTraces);
    o.Integer("bDataLoaded", doc.m_bDataLoaded);
    o.Numbers("eccCos", doc.m_eccCos, t);
    o.Numbers("eccSin", doc.m_eccSin, t);
    o.Numbers("traceMean", doc.m_traceMean, t);
    o.Numbers("partErr", doc.m_partErr, n);
    o.Numbers("spindleErr", doc.m_spindleErr, n);
    o.Numbers("angleErr", doc.m_angleErr, n);
    o.Numbers("angleErrRaw", doc.m_angleErrRaw, n);
    o.Numbers("angleCos", doc.m_angleCos, NUM_COEFS);
    o.Numbers("angleSin", doc.m_angleSin, NUM_COEFS);
    o.Numbers("spindleCos", doc.m_spindleCos, NUM_COEFS);
    o.Numbers("spindleSin", doc.m_spindleSin, NUM_COEFS);
    o.Numbers("partCos", doc.m_partCos, NUM_COEFS);
    o.Numbers("partSin", doc.m_partSin, NUM_COEFS);
    o.Number("angleMax", doc.m_angleMax);
    o.Number("angleMin", doc.m_angleMin);
    o.Number("spindleMax", doc.m_spindleMax);
    o.Number("spindleMin", doc.m_spindleMin);
    o.Number("partMax", doc.m_partMax);
    o.Number("partMin", doc.m_partMin);

    const TextReportAreas areas = ComposeTextReport(doc);
    o.Key("textReport");
    {
        ObjectWriter r(out, 2);
        r.String("title", areas.title);
        r.String("subtitle", areas.subtitle);
        r.String("upperLeft", areas.upperLeft);
        r.String("upperRight", areas.upperRight);
        r.String("lowerLeft", areas.lowerLeft);
        r.String("lowerRight", areas.lowerRight);
        r.Close();
    }
    o.Key("plotCaptions");
    out += '[';
    const std::array<std::string, 3> captions = ComposePlotCaptions(doc);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (i > 0)
            out += ", ";
        AppendJsonString(out, captions[i]);
    }
    out += ']';
    o.Close();
    out += '\n';
    return out;
}

std::string TextReportListing(const CQuorvelwDoc& doc)
{
    const TextReportAreas areas = ComposeTextReport(doc);
    std::string out;
    for (const std::string* area : {&areas.title, &areas.subtitle, &areas.upperLeft, &areas.upperRight,
                                    &areas.lowerLeft, &areas.lowerRight}) {
        out += *area;
        if (out.empty() || out.back() != '\n')
            out += '\n';
        out += '\n';
    }
    return out;
}
