// Where the small audio files of tests/data/audio are: QUIBO_TEST_DATA when
// the test runner sets it, else found from this header's own location.
#pragma once

#include <cstdlib>
#include <string>

inline std::string audioTestFile(const std::string& name)
{
    if (const char* root = std::getenv("QUIBO_TEST_DATA")) {
        return std::string(root) + "/audio/" + name;
    }
    std::string here = __FILE__; // .../tests/engine/audio/AudioTestFiles.h
    for (int up = 0; up < 3; ++up) {
        here = here.substr(0, here.find_last_of('/'));
    }
    return here + "/data/audio/" + name;
}
