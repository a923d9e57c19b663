// SPDX-License-Identifier: MIT
#include "tests/support/helpers.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string testDataPath(const std::string& relative)
{
    const char* folder = std::getenv("FUMI_TEST_DATA");
    return std::string(folder != nullptr ? folder : "tests/data") + "/" + relative;
}
