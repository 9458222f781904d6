// The scratch folder a fuzzer writes its inputs into: made once with copies
// of the data files the inputs refer to, and removed when the run ends
// (libFuzzer leaves through exit). Shared by both fuzzers.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>

#include <stdlib.h>

namespace fuzzscratch {

inline std::string& folder()
{
    static std::string path;
    return path;
}

inline void removeFolder()
{
    if (!folder().empty()) std::system(("rm -rf '" + folder() + "'").c_str());
}

// A fresh folder under /tmp named after the fuzzer, holding copies of the
// named files of the fuzz data; its path with a trailing slash, or "" when
// it cannot be made.
inline std::string make(const std::string& name, std::initializer_list<const char*> dataFiles)
{
    std::string pattern = "/tmp/quibo-" + name + "-XXXXXX";
    if (!mkdtemp(&pattern[0])) return std::string();
    folder() = pattern;
    std::atexit(removeFolder);
    const std::string dir = pattern + "/";
    for (const char* file : dataFiles) {
        std::ifstream in(std::string(QUIBO_FUZZ_DATA) + "/" + file, std::ios::binary);
        std::ofstream out(dir + file, std::ios::binary);
        out << in.rdbuf();
    }
    return dir;
}

// Writes one input over the file at path.
inline void writeInput(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace fuzzscratch
