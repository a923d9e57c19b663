// SPDX-License-Identifier: MIT
// Shared by the fuzz targets: scratch files, a loud stop, and a sampler for
// the slow checks.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
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

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::abort();
    }
    return bytes;
}

// True for the first input and then every `period`-th: the logic runs in
// memory on every input, the slow trip through a real file only now and then
// to show that the file functions add nothing to it.
template <unsigned period>
bool EveryNth()
{
    static unsigned count = 0;
    return count++ % period == 0;
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
