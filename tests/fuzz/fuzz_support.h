// Shared by the fuzz targets: a scratch file per process and a loud stop.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzz {

// A path in memory-backed /dev/shm, unique to this process, so that parallel
// fuzzer jobs never share a file.
inline std::string ScratchPath(std::string_view tag)
{
    return "/dev/shm/fumi-fuzz-" + std::string(tag) + "-" + std::to_string(::getpid());
}

inline void WriteWholeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::abort();
    }
}

// Reports a broken property; libFuzzer saves the input that led here.
[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

inline void Check(bool holds, const char* what)
{
    if (!holds) {
        Fail(what);
    }
}

}  // namespace fuzz
