// Shared by the fuzz targets: a scratch file per process and a loud stop.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzz {

// A path unique to this process, so that parallel fuzzer jobs never share a
// file; in memory-backed /dev/shm where there is one.
inline std::string ScratchPath(std::string_view tag)
{
    const char* folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/fumi-fuzz-" + std::string(tag) + "-" +
           std::to_string(::getpid());
}

// Removes the scratch file when the input is done with.
class ScratchFile {
public:
    explicit ScratchFile(std::string_view tag) : path_(ScratchPath(tag)) {}
    ~ScratchFile() { ::unlink(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

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
