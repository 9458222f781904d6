// Scratch book folders for configuration tests: a temporary resource root
// holding the book folder, made the only search path while it lives.
#pragma once

#include "book/BookSettings.h"
#include "ScratchFolder.h"

#include "platform/CCFileUtils.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace quibo {
namespace testing {

class ScratchBook {
public:
    ScratchBook()
    {
        quibotest::ScratchTemplate pattern("quibo_book_XXXXXX");
        const char* dir = mkdtemp(pattern);
        m_root = dir ? dir : quibotest::scratchRoot();
        std::system(("mkdir -p '" + m_root + "/" + bookSettings().resourceFolder + "'").c_str());
        cc::CCFileUtils::sharedFileUtils()->setSearchPaths({m_root});
    }
    ~ScratchBook()
    {
        cc::CCFileUtils::purgeFileUtils();
        std::system(("rm -rf '" + m_root + "'").c_str());
    }

    // Writes the configuration with these keys and string values, in order.
    void writeConfiguration(const std::vector<std::pair<std::string, std::string>>& entries) const
    {
        std::ofstream out(m_root + "/" + bookSettings().resourceFolder + "/StringConfig.xml");
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
        for (const auto& e : entries) {
            out << "\t<key>" << e.first << "</key>\n\t<string>" << e.second << "</string>\n";
        }
        out << "</dict>\n</plist>\n";
    }

    const std::string& root() const { return m_root; }

private:
    std::string m_root;
};

// A full configuration with one value replaced.
inline std::vector<std::pair<std::string, std::string>> configurationWith(const std::string& key,
                                                                          const std::string& value)
{
    std::vector<std::pair<std::string, std::string>> entries = {
        {"quiboSubName", "tale"}, {"pageMin", "1"},     {"pageMax", "8"},      {"wordMin", "9"},
        {"wordMax", "11"},        {"ispep", "false"},   {"textsize", "25"},
    };
    for (auto& e : entries) {
        if (e.first == key) {
            e.second = value;
        }
    }
    return entries;
}

} // namespace testing
} // namespace quibo
