// Reading back the trace a simulate run writes: one JSON object a line.
#pragma once

#include <gtest/gtest.h>
#include <json/json.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quibo {

// Every record of the trace file, in order; a line that is no JSON fails the test.
inline std::vector<Json::Value> readTrace(const std::string& path)
{
    std::vector<Json::Value> records;
    std::ifstream in(path);
    std::string line;
    Json::CharReaderBuilder builder;
    while (std::getline(in, line)) {
        Json::Value v;
        std::string errors;
        std::istringstream one(line);
        EXPECT_TRUE(Json::parseFromStream(builder, one, &v, &errors)) << line;
        records.push_back(v);
    }
    return records;
}

} // namespace quibo
