// A fresh folder per test, removed with everything in it afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Names of every entry in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path m_path;
};

using Bytes = std::vector<std::uint8_t>;

void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);  // empty when the file cannot be read
