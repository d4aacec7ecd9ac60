// A folder on a disk that can be filled up: a small tmpfs of its own when the test may mount
// one (root with the right to mount), otherwise a plain folder where a file-size limit stops
// a file from growing, as a full disk does. Writes then fail half-way, as they do when a disk
// fills while a file is written.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

class FullDisk {
public:
    explicit FullDisk(const std::filesystem::path& folder, std::size_t capacity = std::size_t(1) << 20);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    std::string File(const std::string& name) const { return (m_folder / name).string(); }
    // Leaves room for about `room` more bytes: anything larger fails part-way.
    void Fill(std::size_t room);
    // Room again.
    void Free();
    // The folder's entries other than the filler, sorted.
    std::vector<std::string> Entries() const;
    // Whether the disk is a file system of its own (ENOSPC) rather than a file-size limit (EFBIG).
    bool Mounted() const { return m_mounted; }

private:
    std::filesystem::path m_folder;
    bool m_mounted = false;
    bool m_limited = false;
};
