#include "AtomicFile.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define QUORVEL_HAVE_FSYNC 1
#endif

namespace fs = std::filesystem;

namespace {

// Writes, flushes and closes; false when any of them failed. Closes f in every case.
bool WriteAndClose(std::FILE* f, const void* data, std::size_t size, bool sync)
{
    bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    ok = std::fflush(f) == 0 && ok;
#ifdef QUORVEL_HAVE_FSYNC
    // The rename must not reach the disk before the data, or a crash leaves an empty file.
    if (sync)
        ok = ::fsync(::fileno(f)) == 0 && ok;
#else
    (void)sync;
#endif
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

// Creates a new file next to target, never one that exists ("x": exclusive creation).
std::FILE* CreateTemporary(const fs::path& target, fs::path& tmp)
{
    std::random_device rd;
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(rd()));
        tmp = folder / ("." + target.filename().string() + suffix);
        if (std::FILE* f = std::fopen(tmp.string().c_str(), "wbx"))
            return f;
        std::error_code ec;
        if (!fs::exists(folder.empty() ? fs::path(".") : folder, ec))
            break;  // no folder to write into: no name will do
    }
    return nullptr;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size)
{
    if (path.empty())
        return false;
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        target = fs::weakly_canonical(target, ec);
        if (ec)
            return false;
    }

    const fs::file_status st = fs::status(target, ec);
    const bool exists = fs::exists(st);
    if (exists && fs::is_directory(st))
        return false;
    if (exists && !fs::is_regular_file(st)) {
        std::FILE* f = std::fopen(target.string().c_str(), "wb");
        return f && WriteAndClose(f, data, size, false);
    }
    constexpr fs::perms anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (exists && (st.permissions() & anyWrite) == fs::perms::none)
        return false;

    fs::path tmp;
    std::FILE* f = CreateTemporary(target, tmp);
    if (!f)
        return false;
    bool ok = WriteAndClose(f, data, size, true);
    if (ok && exists)
        fs::permissions(tmp, st.permissions(), ec);  // keep the old file's access rights
    if (ok) {
        fs::rename(tmp, target, ec);
        ok = !ec;
    }
    if (!ok)
        fs::remove(tmp, ec);
    return ok;
}
