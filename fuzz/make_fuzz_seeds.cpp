// Writes the seed corpora: files our writers produce, and the broken files a reader must
// refuse, one small file each. Usage: make_fuzz_seeds <corpus folder>; it fills
// <folder>/trace_file and <folder>/document_file.
#include "DocumentFile.h"
#include "QuorvelwDoc.h"
#include "SyntheticMeasurement.h"
#include "TraceFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

fs::path g_folder;

void Put(const std::string& name, const Bytes& bytes)
{
    std::ofstream out(g_folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", (g_folder / name).string().c_str());
        std::exit(1);
    }
}

Bytes Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutLE(Bytes& b, std::uint64_t v, int n)
{
    for (int k = 0; k < n; ++k)
        b.push_back(std::uint8_t(v >> (8 * k)));
}

void PutFloat(Bytes& b, float f)
{
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    PutLE(b, bits, 4);
}

// A trace of n values as our writer writes it.
Bytes WrittenTrace(int n, double amplitude)
{
    std::vector<double> v(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j)
        v[std::size_t(j)] = amplitude * std::cos(6.283185307179586 * (j + 1) / n + 0.3);
    const fs::path tmp = g_folder / ".written.tmp";
    if (WriteTraceFile(tmp.string(), v.data(), n, 1) != 1) {
        std::fprintf(stderr, "make_fuzz_seeds: WriteTraceFile failed\n");
        std::exit(1);
    }
    Bytes b = Read(tmp);
    fs::remove(tmp);
    return b;
}

void TraceSeeds()
{
    for (const int n : {1, 31, 32, 33, 100, 720})
        Put("written-" + std::to_string(n), WrittenTrace(n, 0.002));
    Put("written-7200", WrittenTrace(7200, 1e-5));

    Put("empty", {});
    Put("lead-only", {LEAD_BYTE});
    Put("no-samples", {LEAD_BYTE, TYPE_END});
    Put("empty-records", {LEAD_BYTE, 0x00, 0x00, 0x03, 0x01, TYPE_END});
    Bytes odd{0x00, 0x07};  // any lead byte; type 7 is one sample, bits 0 and 1 ignored
    PutFloat(odd, 1.5f);
    odd.push_back(0x55);
    odd.push_back(0xFC);  // 63 samples
    for (int k = 0; k < 63; ++k)
        PutFloat(odd, float(k) * 0.25f);
    odd.push_back(0x00);
    odd.push_back(TYPE_BLOCK);
    for (int k = 0; k < 32; ++k)
        PutFloat(odd, -float(k));
    odd.push_back(0x80);
    odd.push_back(TYPE_END);
    Put("count-forms", odd);

    Bytes special{LEAD_BYTE, 0x10};  // four values the reader passes through
    PutFloat(special, std::numeric_limits<float>::quiet_NaN());
    PutFloat(special, std::numeric_limits<float>::infinity());
    PutFloat(special, -std::numeric_limits<float>::denorm_min());
    PutFloat(special, std::numeric_limits<float>::max());
    special.push_back(0x10);
    special.push_back(TYPE_END);
    Put("nan-inf-denormal", special);

    Bytes cut = WrittenTrace(100, 0.002);
    cut.resize(cut.size() - 1);
    Put("no-end-mark", cut);
    cut.resize(200);
    Put("cut-in-a-record", cut);

    // 7200 samples in the count form, then one more record: one sample too many.
    Bytes many{LEAD_BYTE};
    for (int r = 0; r < 225; ++r) {
        many.push_back(0x80);
        for (int k = 0; k < 32; ++k)
            PutFloat(many, 1e-6f * float(k));
        many.push_back(0x80);
    }
    many.push_back(0x04);
    PutFloat(many, 1.0f);
    many.push_back(0x04);
    many.push_back(TYPE_END);
    Put("7201-samples", many);

    Bytes trailing = WrittenTrace(33, 0.002);
    trailing.insert(trailing.end(), {0x81, 0x01, 0x02});
    Put("bytes-after-the-end", trailing);
}

Bytes Narrow(const std::string& s)
{
    Bytes b{std::uint8_t(s.size())};
    b.insert(b.end(), s.begin(), s.end());
    return b;
}

// The four texts, four integers and samples of a document file, spelled out.
Bytes Document(const std::vector<Bytes>& texts, std::int32_t unit, std::int32_t n, std::int32_t t,
               std::int32_t flag, const std::vector<double>& samples)
{
    Bytes b;
    for (const Bytes& s : texts)
        b.insert(b.end(), s.begin(), s.end());
    for (const std::int32_t v : {unit, n, t, flag})
        PutLE(b, std::uint32_t(v), 4);
    for (const double d : samples) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        PutLE(b, bits, 8);
    }
    return b;
}

Bytes Saved(int n, int t, int unit)
{
    auto doc = std::make_unique<CQuorvelwDoc>();
    SyntheticModel model = RealisticModel(n, t);
    model.unit = unit;
    SynthesizeTraces(model, *doc);
    doc->m_bDataLoaded = 1;
    doc->m_strDataFile = "/lab/run7/ang000.dat";
    doc->m_strDate = "Monday, December 13, 2004 09:05:07";
    doc->m_strGageInfo = "7310QK SN0123456789XYZ";
    doc->m_strGratingInfo = "SN0123456789XYZ";
    Bytes b;
    if (!SerializeStore(*doc, b)) {
        std::fprintf(stderr, "make_fuzz_seeds: SerializeStore failed\n");
        std::exit(1);
    }
    return b;
}

void DocumentSeeds()
{
    Put("saved-360x4", Saved(360, 4, 0));
    Put("saved-128x8-mm", Saved(128, 8, 1));
    Put("saved-36x36", Saved(36, 36, 0));
    Put("saved-100x3", Saved(100, 3, 0));

    const std::vector<Bytes> texts{Narrow("f"), Narrow("d"), Narrow("g"), Narrow("r")};
    Put("blank", Document({Narrow(""), Narrow(""), Narrow(""), Narrow("")}, 0, 0, 0, 0, {}));
    Put("failed-load", Document(texts, 0, 0, 8, 0, {}));
    Put("one-sample", Document(texts, 0, 1, 1, 1, {1e-3}));
    Put("flat", Document(texts, 0, 4, 8, 1, std::vector<double>(32, 1e-4)));
    std::vector<double> bad(8 * 16, 1e-3);
    bad[5] = std::numeric_limits<double>::quiet_NaN();
    bad[9] = std::numeric_limits<double>::infinity();
    Put("nan-inf", Document(texts, 0, 16, 8, 1, bad));
    Put("huge-values", Document(texts, 1, 16, 8, 1, std::vector<double>(128, 1e300)));
    // Eccentric traces near the end of the double range: sums overflow in the analysis.
    for (const auto& [name, amplitude, offset] :
         {std::tuple{"near-the-double-range", 1e307, 1e308}, std::tuple{"at-the-double-range", 1.7e308, 0.0}}) {
        std::vector<double> v;
        for (int i = 0; i < 64; ++i)
            for (int j = 0; j < 8; ++j)
                v.push_back(std::clamp(amplitude * std::cos(6.283185307179586 * ((i + 1) / 64.0 - j / 8.0) - 0.3) + offset,
                                       -std::numeric_limits<double>::max(), std::numeric_limits<double>::max()));
        Put(name, Document(texts, 0, 64, 8, 1, v));
    }

    // The longer prefixes: 255 characters (0xFF w16), a wide text, a 32-bit length.
    Bytes t255{0xFF, 0xFF, 0x00};
    t255.insert(t255.end(), 255, 'x');
    Bytes wide{0xFF, 0xFE, 0xFF, 0x03};
    for (const std::uint16_t u : {0x00E9, 0xD83D, 0xDE00})
        PutLE(wide, u, 2);
    Bytes loneSurrogate{0xFF, 0xFE, 0xFF, 0x02};
    PutLE(loneSurrogate, 0xDC00, 2);
    PutLE(loneSurrogate, 0x0041, 2);
    Bytes long32{0xFF, 0xFF, 0xFF};
    PutLE(long32, 3, 4);
    long32.insert(long32.end(), {'a', 'b', 'c'});
    Put("text-prefixes", Document({t255, wide, loneSurrogate, long32}, 0, 2, 2, 1, {1e-3, 2e-3, 3e-3, 4e-3}));

    Bytes gigabytes{0xFF, 0xFF, 0xFF};
    PutLE(gigabytes, 0xFFFFFFF0u, 4);
    Put("text-of-4-gigabytes", Document({gigabytes, Narrow("d"), Narrow("g"), Narrow("r")}, 0, 0, 0, 0, {}));
    Bytes wideGigabytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF};
    PutLE(wideGigabytes, 0xFFFFFFFFu, 4);
    Put("wide-text-of-8-gigabytes", Document({Narrow("f"), wideGigabytes, Narrow("g"), Narrow("r")}, 0, 0, 0, 0, {}));

    Bytes cut = Saved(360, 4, 0);
    cut.resize(cut.size() - 4);
    Put("cut-in-the-samples", cut);
    Bytes extra = Saved(100, 3, 0);
    extra.push_back(0);
    Put("one-byte-too-many", extra);
    Put("too-many-traces", Document(texts, 0, 1, 37, 1, std::vector<double>(37, 1e-3)));
    Put("negative-count", Document(texts, 0, -1, 8, 0, {}));
    Put("unit-two", Document(texts, 2, 2, 2, 1, std::vector<double>(4, 1e-3)));
    Put("counts-claim-2MB", Document(texts, 0, 7200, 36, 1, std::vector<double>(8, 1e-3)));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds <corpus folder>\n");
        return 2;
    }
    const fs::path root = argv[1];
    g_folder = root / "trace_file";
    fs::create_directories(g_folder);
    TraceSeeds();
    g_folder = root / "document_file";
    fs::create_directories(g_folder);
    DocumentSeeds();
    return 0;
}
