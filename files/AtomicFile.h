// Replacing a file so that a failure never leaves a partial file or damages the old one.
#pragma once

#include <cstddef>
#include <string>

// Writes size bytes to path. A regular file (or a new one) is written to a temporary file in
// the same folder, which replaces path only once every byte was written, flushed and closed;
// on failure the temporary file is removed and the old file keeps its content. A read-only
// file is not replaced. A path that names a device or pipe (not a regular file) is written in
// place, with the same error checks. A symbolic link is followed: the file it names is
// replaced, the link stays. Returns false on any error.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size);
