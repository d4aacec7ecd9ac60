#include "DocumentFile.h"

#include "QuorvelwDoc.h"

#include <cstring>
#include <limits>

static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559,
              "samples are IEEE 754 double precision");

namespace {

void PutLE(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_p(data), m_left(size) {}

    std::size_t left() const { return m_left; }

    bool Get(std::uint64_t& value, int bytes)
    {
        if (m_left < std::size_t(bytes))
            return false;
        value = 0;
        for (int k = 0; k < bytes; ++k)
            value |= std::uint64_t(m_p[k]) << (8 * k);
        m_p += bytes;
        m_left -= std::size_t(bytes);
        return true;
    }

    bool GetInt32(std::int32_t& value)
    {
        std::uint64_t v;
        if (!Get(v, 4))
            return false;
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
        return true;
    }

    bool GetDouble(double& value)
    {
        std::uint64_t bits;
        if (!Get(bits, 8))
            return false;
        std::memcpy(&value, &bits, sizeof value);  // bits assembled in the file's order above
        return true;
    }

    const std::uint8_t* Take(std::size_t n)
    {
        if (m_left < n)
            return nullptr;
        const std::uint8_t* p = m_p;
        m_p += n;
        m_left -= n;
        return p;
    }

private:
    const std::uint8_t* m_p;
    std::size_t m_left;
};

enum class Prefix { Bad, Narrow, Wide };

// One length prefix; a wide mark is allowed only where wideAllowed.
Prefix ReadPrefix(Reader& in, std::uint64_t& length, bool wideAllowed)
{
    std::uint64_t b, w;
    if (!in.Get(b, 1))
        return Prefix::Bad;
    if (b < 0xFF) {
        length = b;
        return Prefix::Narrow;
    }
    if (!in.Get(w, 2))
        return Prefix::Bad;
    if (w == 0xFFFE) {
        if (!wideAllowed || ReadPrefix(in, length, false) != Prefix::Narrow)
            return Prefix::Bad;
        return Prefix::Wide;
    }
    if (w == 0xFFFF)
        return in.Get(length, 4) ? Prefix::Narrow : Prefix::Bad;
    length = w;
    return Prefix::Narrow;
}

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// UTF-16LE to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16LE(const std::uint8_t* p, std::size_t units)
{
    std::string out;
    out.reserve(units);
    for (std::size_t k = 0; k < units; ++k) {
        const std::uint32_t u = p[2 * k] | std::uint32_t(p[2 * k + 1]) << 8;
        if (u >= 0xD800 && u < 0xDC00 && k + 1 < units) {
            const std::uint32_t v = p[2 * k + 2] | std::uint32_t(p[2 * k + 3]) << 8;
            if (v >= 0xDC00 && v < 0xE000) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
                ++k;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? 0xFFFD : u);
    }
    return out;
}

bool ReadString(Reader& in, std::string& text)
{
    std::uint64_t length = 0;
    const Prefix kind = ReadPrefix(in, length, true);
    if (kind == Prefix::Bad)
        return false;
    const std::uint64_t bytes = kind == Prefix::Wide ? 2 * length : length;
    if (bytes > in.left())  // checked before anything is allocated
        return false;
    const std::uint8_t* p = in.Take(std::size_t(bytes));
    text = kind == Prefix::Wide ? Utf8FromUtf16LE(p, std::size_t(length))
                                : std::string(reinterpret_cast<const char*>(p), std::size_t(bytes));
    return true;
}

}  // namespace

void AppendDocumentString(const std::string& text, std::vector<std::uint8_t>& out)
{
    const std::uint64_t length = text.size();
    if (length < 0xFF) {
        PutLE(out, length, 1);
    } else if (length < 0xFFFE) {
        PutLE(out, 0xFF, 1);
        PutLE(out, length, 2);
    } else {
        PutLE(out, 0xFF, 1);
        PutLE(out, 0xFFFF, 2);
        PutLE(out, length, 4);
    }
    out.insert(out.end(), text.begin(), text.end());
}

bool SerializeStore(const CQuorvelwDoc& doc, std::vector<std::uint8_t>& out)
{
    out.clear();
    const std::int32_t n = doc.m_nPoints, t = doc.m_nTraces;
    if (n > MAX_POINTS || t > MAX_TRACES)
        return false;
    for (const std::string* s : {&doc.m_strDataFile, &doc.m_strDate, &doc.m_strGageInfo, &doc.m_strGratingInfo}) {
        if (s->size() > 0xFFFFFFFFu)
            return false;
    }
    for (const std::string* s : {&doc.m_strDataFile, &doc.m_strDate, &doc.m_strGageInfo, &doc.m_strGratingInfo})
        AppendDocumentString(*s, out);
    for (const std::int32_t v : {doc.m_nUnit, n, t, doc.m_bDataLoaded})
        PutLE(out, static_cast<std::uint32_t>(v), 4);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < t; ++j) {
            std::uint64_t bits;
            std::memcpy(&bits, &doc.m_raw[i][j], sizeof bits);
            PutLE(out, bits, 8);
        }
    }
    return true;
}

bool SerializeLoad(CQuorvelwDoc& doc, const std::uint8_t* data, std::size_t size)
{
    Reader in(data, size);
    for (std::string* s : {&doc.m_strDataFile, &doc.m_strDate, &doc.m_strGageInfo, &doc.m_strGratingInfo}) {
        if (!ReadString(in, *s))
            return false;
    }
    std::int32_t unit, n, t, flag;
    if (!in.GetInt32(unit) || !in.GetInt32(n) || !in.GetInt32(t) || !in.GetInt32(flag))
        return false;
    if ((unit != 0 && unit != 1) || (flag != 0 && flag != 1))
        return false;
    const bool measurement = n >= 1 && n <= MAX_POINTS && t >= 1 && t <= MAX_TRACES;
    const bool empty = flag == 0 && n >= 0 && n <= MAX_POINTS && t >= 0 && t <= MAX_TRACES && (n == 0 || t == 0);
    if (!measurement && !empty)
        return false;
    if (in.left() != std::size_t(n) * std::size_t(t) * 8)
        return false;
    doc.m_nUnit = unit;
    doc.m_nPoints = n;
    doc.m_nTraces = t;
    doc.m_bDataLoaded = flag;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < t; ++j)
            in.GetDouble(doc.m_raw[i][j]);
    }
    return true;
}
