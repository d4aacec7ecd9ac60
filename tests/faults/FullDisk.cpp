#include "FullDisk.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <stdexcept>
#include <vector>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>

namespace fs = std::filesystem;

namespace {

const char* const FILLER = ".filler";
rlimit g_oldLimit{};
void (*g_oldHandler)(int) = nullptr;

}  // namespace

FullDisk::FullDisk(const fs::path& folder, std::size_t capacity) : m_folder(folder)
{
    fs::create_directories(m_folder);
    const std::string options = "size=" + std::to_string(capacity) + ",mode=0700";
    m_mounted = ::mount("tmpfs", m_folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV | MS_NOEXEC, options.c_str()) == 0;
}

FullDisk::~FullDisk()
{
    Free();
    if (m_mounted)
        ::umount2(m_folder.c_str(), MNT_DETACH);
}

void FullDisk::Fill(std::size_t room)
{
    Free();
    if (!m_mounted) {
        // A write past the limit fails with EFBIG instead of ending the process.
        getrlimit(RLIMIT_FSIZE, &g_oldLimit);
        g_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = g_oldLimit;
        lim.rlim_cur = room;
        setrlimit(RLIMIT_FSIZE, &lim);
        m_limited = true;
        return;
    }
    struct statvfs st{};
    if (::statvfs(m_folder.c_str(), &st) != 0)
        throw std::runtime_error("statvfs failed");
    const std::size_t block = st.f_frsize ? st.f_frsize : 4096;
    const std::size_t avail = std::size_t(st.f_bavail) * block;
    const std::size_t fill = avail > room ? (avail - room) / block * block : 0;
    std::ofstream out(m_folder / FILLER, std::ios::binary | std::ios::trunc);
    const std::vector<char> chunk(block, 'f');
    for (std::size_t done = 0; done < fill; done += block)
        out.write(chunk.data(), std::streamsize(block));
    out.close();
    if (!out)
        throw std::runtime_error("cannot fill the disk");
}

void FullDisk::Free()
{
    if (m_limited) {
        setrlimit(RLIMIT_FSIZE, &g_oldLimit);
        std::signal(SIGXFSZ, g_oldHandler);
        m_limited = false;
    }
    std::error_code ec;
    fs::remove(m_folder / FILLER, ec);
}

std::vector<std::string> FullDisk::Entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_folder)) {
        if (entry.path().filename() != FILLER)
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
