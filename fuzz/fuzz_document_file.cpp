// Open on arbitrary bytes: the bytes become a file that OnOpenDocument reads, as the Open
// command does, with the analysis that follows an accepted measurement. A second, plain
// decoding of the format says whether the file must be accepted and what it holds.
// Refused: the document is exactly as before (settings, texts, path, title, modified flag,
// every sample, every result). Accepted: the file's fields and samples, the samples outside
// them kept, settings in range, and finite results whenever results may be shown.
#include "DocumentFramework.h"
#include "FuzzOperator.h"
#include "QuorvelwDoc.h"
#include "SyntheticMeasurement.h"

#include <sanitizer/allocator_interface.h>
#include <sanitizer/asan_interface.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <string>

// Open reads every file into a scratch document of several MB. Under AddressSanitizer each
// would be a fresh mapping that faults in page by page, most of the time of a run; so a block
// of that size, once freed, is kept for the next one, poisoned while it waits (a use after
// free is still caught). Every other allocation goes to malloc, which the sanitizer checks.
namespace {
void* g_spare = nullptr;

void* Allocate(std::size_t size)
{
    if (size == sizeof(CQuorvelwDoc) && g_spare) {
        void* p = g_spare;
        g_spare = nullptr;
        ASAN_UNPOISON_MEMORY_REGION(p, size);
        return p;
    }
    return std::malloc(size ? size : 1);
}

void Release(void* p) noexcept
{
    FUZZ_CHECK(!p || p != g_spare, "the scratch document was deleted twice");
    if (p && !g_spare && __sanitizer_get_allocated_size(p) == sizeof(CQuorvelwDoc)) {
        ASAN_POISON_MEMORY_REGION(p, sizeof(CQuorvelwDoc));
        g_spare = p;
        return;
    }
    std::free(p);
}
}  // namespace

void* operator new(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

namespace {

struct Expected {
    std::string texts[4];
    std::int32_t unit = 0, n = 0, t = 0, flag = 0;
    const std::uint8_t* samples = nullptr;  // n * t doubles, little-endian
};

class Cursor {
public:
    Cursor(const std::uint8_t* p, std::size_t size) : m_p(p), m_left(size) {}
    std::size_t left() const { return m_left; }
    bool Le(std::uint64_t& v, int bytes)
    {
        if (m_left < std::size_t(bytes))
            return false;
        v = 0;
        for (int k = 0; k < bytes; ++k)
            v |= std::uint64_t(m_p[k]) << (8 * k);
        m_p += bytes;
        m_left -= std::size_t(bytes);
        return true;
    }
    const std::uint8_t* Skip(std::size_t n)
    {
        const std::uint8_t* p = m_p;
        m_p += n;
        m_left -= n;
        return p;
    }

private:
    const std::uint8_t* m_p;
    std::size_t m_left;
};

void PutUtf8(std::string& out, std::uint32_t c)
{
    if (c < 0x80) {
        out += char(c);
        return;
    }
    if (c < 0x800) {
        out += char(0xC0 | c >> 6);
    } else if (c < 0x10000) {
        out += char(0xE0 | c >> 12);
        out += char(0x80 | (c >> 6 & 0x3F));
    } else {
        out += char(0xF0 | c >> 18);
        out += char(0x80 | (c >> 12 & 0x3F));
        out += char(0x80 | (c >> 6 & 0x3F));
    }
    out += char(0x80 | (c & 0x3F));
}

// Length prefix: b < 0xFF; 0xFF w16 (w < 0xFFFE); 0xFF 0xFFFF w32; 0xFF 0xFFFE marks a wide
// text whose own prefix follows and must not be wide again.
bool Text(Cursor& in, std::string& text)
{
    std::uint64_t length = 0, w = 0;
    bool wide = false;
    for (int round = 0;; ++round) {
        if (!in.Le(length, 1))
            return false;
        if (length < 0xFF)
            break;
        if (!in.Le(w, 2))
            return false;
        if (w == 0xFFFF) {
            if (!in.Le(length, 4))
                return false;
            break;
        }
        if (w != 0xFFFE) {
            length = w;
            break;
        }
        if (round > 0)
            return false;
        wide = true;
    }
    const std::uint64_t bytes = wide ? 2 * length : length;
    if (bytes > in.left())
        return false;
    const std::uint8_t* p = in.Skip(std::size_t(bytes));
    text.clear();
    if (!wide) {
        text.assign(reinterpret_cast<const char*>(p), std::size_t(bytes));
        return true;
    }
    for (std::size_t k = 0; k < length; ++k) {
        const std::uint32_t u = p[2 * k] | std::uint32_t(p[2 * k + 1]) << 8;
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        if (high && k + 1 < length) {
            const std::uint32_t v = p[2 * k + 2] | std::uint32_t(p[2 * k + 3]) << 8;
            if (v >= 0xDC00 && v <= 0xDFFF) {
                PutUtf8(text, 0x10000 + (u - 0xD800) * 0x400 + (v - 0xDC00));
                ++k;
                continue;
            }
        }
        PutUtf8(text, u >= 0xD800 && u <= 0xDFFF ? 0xFFFD : u);
    }
    return true;
}

std::optional<Expected> Decode(const std::uint8_t* data, std::size_t size)
{
    Expected e;
    Cursor in(data, size);
    for (std::string& s : e.texts) {
        if (!Text(in, s))
            return std::nullopt;
    }
    std::uint64_t v[4];
    for (std::uint64_t& x : v) {
        if (!in.Le(x, 4))
            return std::nullopt;
    }
    e.unit = std::int32_t(std::uint32_t(v[0]));
    e.n = std::int32_t(std::uint32_t(v[1]));
    e.t = std::int32_t(std::uint32_t(v[2]));
    e.flag = std::int32_t(std::uint32_t(v[3]));
    if ((e.unit != 0 && e.unit != 1) || (e.flag != 0 && e.flag != 1))
        return std::nullopt;
    const bool inTables = e.n >= 0 && e.n <= MAX_POINTS && e.t >= 0 && e.t <= MAX_TRACES;
    const bool measurement = inTables && e.n >= 1 && e.t >= 1;
    const bool empty = inTables && e.flag == 0 && (e.n == 0 || e.t == 0);
    if (!measurement && !empty)
        return std::nullopt;
    if (in.left() != std::size_t(e.n) * std::size_t(e.t) * 8)
        return std::nullopt;
    e.samples = in.Skip(in.left());
    return e;
}

std::uint64_t Bits(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// The results shown, printed and written to a compensation file, with their lengths.
struct Results {
    double* table;
    int count;
};

std::array<Results, 19> ResultTables(CQuorvelwDoc& d)
{
    const int n = d.m_nPoints, t = d.m_nTraces;
    return {{
        {d.m_spindleErr, n}, {d.m_partErr, n}, {d.m_angleErr, n}, {d.m_angleErrRaw, n},
        {d.m_eccCos, t}, {d.m_eccSin, t}, {d.m_traceMean, t},
        {d.m_angleCos, NUM_COEFS}, {d.m_angleSin, NUM_COEFS}, {d.m_spindleCos, NUM_COEFS},
        {d.m_spindleSin, NUM_COEFS}, {d.m_partCos, NUM_COEFS}, {d.m_partSin, NUM_COEFS},
        {&d.m_angleMax, 1}, {&d.m_angleMin, 1}, {&d.m_spindleMax, 1}, {&d.m_spindleMin, 1},
        {&d.m_partMax, 1}, {&d.m_partMin, 1},
    }};
}

bool SameResults(CQuorvelwDoc& a, CQuorvelwDoc& b)
{
    const auto ra = ResultTables(a), rb = ResultTables(b);
    for (std::size_t k = 0; k < ra.size(); ++k) {
        if (ra[k].count != rb[k].count ||
            std::memcmp(ra[k].table, rb[k].table, sizeof(double) * std::size_t(ra[k].count)) != 0)
            return false;
    }
    return true;
}

// The document every input is opened into: a measurement with results on screen, the text
// report, a path, unsaved changes, and samples outside its N x T that a smaller file must keep.
struct Baseline {
    std::unique_ptr<CQuorvelwDoc> doc = std::make_unique<CQuorvelwDoc>();
    std::unique_ptr<CQuorvelwDoc> work = std::make_unique<CQuorvelwDoc>();
    std::string path;  // the input's file

    Baseline()
    {
        for (int i = 0; i < MAX_POINTS; ++i)
            for (int j = 0; j < MAX_TRACES; ++j)
                doc->m_raw[i][j] = 1e-3 * (i % 97) - 1e-4 * j;
        Set(*doc);
        Restore();
        const char* tmp = std::getenv("TMPDIR");
        const std::filesystem::path folder =
            std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : tmp && *tmp ? tmp : "/tmp";
        path = (folder / ("quorvel-fuzz-" + std::to_string(::getpid()) + ".qvl")).string();
    }
    ~Baseline()
    {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }

    static void Set(CQuorvelwDoc& d)
    {
        FUZZ_CHECK(SynthesizeTraces(RealisticModel(360, 4), d), "baseline measurement");
        FUZZ_CHECK(d.SeparateErrors().ok(), "baseline analysis");
        d.m_bDataLoaded = 1;
        d.m_nReportMode = 1;
        d.m_nNewCount = 2;
        d.m_strDataFile = "/lab/ang000.dat";
        d.m_strDate = "Monday, December 13, 2004 09:05:07";
        d.m_strGageInfo = "gage";
        d.m_strGratingInfo = "grating";
        d.SetPathName("/lab/before.qvl");
        d.SetModifiedFlag(true);
    }

    // The working document back to the baseline, results recomputed.
    void Restore()
    {
        std::memcpy(work->m_raw, doc->m_raw, sizeof doc->m_raw);
        Set(*work);
        FUZZ_CHECK(SameResults(*work, *doc), "the same measurement analysed twice gave different results");
    }

    bool Unchanged() const
    {
        const CQuorvelwDoc& w = *work;
        const CQuorvelwDoc& b = *doc;
        const bool same = w.m_strDataFile == b.m_strDataFile && w.m_strDate == b.m_strDate &&
                    w.m_strGageInfo == b.m_strGageInfo && w.m_strGratingInfo == b.m_strGratingInfo &&
                    w.m_nUnit == b.m_nUnit && w.m_nPoints == b.m_nPoints && w.m_nTraces == b.m_nTraces &&
                    w.m_bDataLoaded == b.m_bDataLoaded && w.m_nReportMode == b.m_nReportMode &&
                    w.m_nNewCount == b.m_nNewCount && w.GetPathName() == b.GetPathName() &&
                    w.GetTitle() == b.GetTitle() && w.IsModified() == b.IsModified() &&
                    std::memcmp(w.m_raw, b.m_raw, sizeof b.m_raw) == 0;
        return same && SameResults(*work, *doc);
    }
};

void CheckAccepted(const Baseline& base, const Expected& e, const FuzzOperator& op)
{
    CQuorvelwDoc& d = *base.work;
    for (int k = 0; k < 4; ++k) {
        const std::string* field[] = {&d.m_strDataFile, &d.m_strDate, &d.m_strGageInfo, &d.m_strGratingInfo};
        FUZZ_CHECK(*field[k] == e.texts[k], "a text differs from the file's");
    }
    FUZZ_CHECK(d.m_nUnit == e.unit && d.m_nPoints == e.n && d.m_nTraces == e.t, "settings differ from the file's");
    FUZZ_CHECK(d.m_nUnit == 0 || d.m_nUnit == 1, "unit out of range");
    FUZZ_CHECK(d.m_nPoints >= 0 && d.m_nPoints <= MAX_POINTS && d.m_nTraces >= 0 && d.m_nTraces <= MAX_TRACES,
               "counts outside the tables");
    for (int i = 0; i < MAX_POINTS; ++i) {
        for (int j = 0; j < MAX_TRACES; ++j) {
            std::uint64_t want;
            if (i < e.n && j < e.t) {
                want = 0;
                const std::uint8_t* p = e.samples + 8 * (std::size_t(i) * std::size_t(e.t) + std::size_t(j));
                for (int k = 0; k < 8; ++k)
                    want |= std::uint64_t(p[k]) << (8 * k);
            } else {
                want = Bits(base.doc->m_raw[i][j]);
            }
            FUZZ_CHECK(Bits(d.m_raw[i][j]) == want, "a sample differs from the file's or was not kept");
        }
    }
    FUZZ_CHECK(d.m_nReportMode == 0, "an opened document does not show the plot report");
    FUZZ_CHECK(d.GetPathName() == base.path && d.GetTitle() == std::filesystem::path(base.path).filename().string() &&
                   !d.IsModified(),
               "path, title or modified flag after a good open");
    FUZZ_CHECK(d.m_nNewCount == base.doc->m_nNewCount, "Open counted as a new document");

    if (e.flag == 0) {
        FUZZ_CHECK(d.m_bDataLoaded == 0 && op.messages.empty(), "a file without a measurement");
        return;
    }
    if (d.m_bDataLoaded == 0) {  // the analysis refused, and said so
        FUZZ_CHECK(op.messages.size() == 1 && op.messages[0].rfind("Can't evaluate the measurement", 0) == 0,
                   "a measurement not shown without its message");
        return;
    }
    FUZZ_CHECK(d.m_bDataLoaded == 1 && op.messages.empty(), "a message for a measurement that is shown");
    FUZZ_CHECK(d.SettingsInRange(), "results shown for settings out of range");
    for (const Results& r : ResultTables(d)) {
        for (int k = 0; k < r.count; ++k)
            FUZZ_CHECK(std::isfinite(r.table[k]), "a result that is shown is not finite");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Baseline base;
    static bool dirty = false;
    if (dirty)
        base.Restore();

    std::FILE* f = std::fopen(base.path.c_str(), "wb");
    FUZZ_CHECK(f && std::fwrite(data, 1, size, f) == size && std::fclose(f) == 0, "cannot write the input file");

    FuzzOperator op;
    const bool opened = OnOpenDocument(*base.work, op, base.path);
    const std::optional<Expected> expected = Decode(data, size);
    dirty = opened;
    if (!expected) {
        FUZZ_CHECK(!opened, "a file that is not a document of ours was opened");
        FUZZ_CHECK(op.messages.size() == 1 && op.messages[0] == "Unexpected file format.",
                   "a refused file without its message");
        FUZZ_CHECK(base.Unchanged(), "a refused file changed the document");
        return 0;
    }
    FUZZ_CHECK(opened, "a well-formed document file was refused");
    CheckAccepted(base, *expected, op);
    return 0;
}
