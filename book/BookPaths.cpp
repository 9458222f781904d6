// Resource path building. Every book path starts at the settings' resource
// folder, so a different book only changes the record.
#include "book/BookPaths.h"

#include "book/BookSettings.h"

#include "base/CCLog.h"

#include <openssl/evp.h>

#include <string>

namespace quibo {

namespace {
const char* const kConfigurationFile = "/StringConfig.xml";
const char* const kStringTable = "String.xml";
const char* const kPageStringsFile = "/Stringstr.xml";
const char* const kNarrationFolder = "epc/";
const char* const kNarrationSuffix = ".mp3";
const char* const kMainMenuLayout = "mainpage/mainpage_1.json";
const char* const kSettingsLayout = "3age/pageset.json";
const char* const kImageFolder = "Images/";
} // namespace

std::string configurationPath() { return bookSettings().resourceFolder + kConfigurationFile; }

std::string stringTablePath() { return kStringTable; }

std::string pageLayoutPath(int page)
{
    const BookSettings& s = bookSettings();
    // The names as C strings, as a printf of them would write them.
    const std::string folder = s.resourceFolder.c_str();
    const std::string sub = s.subName.c_str();
    return folder + "/" + sub + "/" + sub + "_" + std::to_string(page) + ".json";
}

std::string pageStringsPath() { return bookSettings().resourceFolder + kPageStringsFile; }

std::string narrationPath(const std::string& narrationName)
{
    return bookSettings().resourceFolder + "/" + kNarrationFolder + md5Hex(narrationName) + kNarrationSuffix;
}

std::string mainMenuLayoutPath() { return kMainMenuLayout; }

std::string settingsLayoutPath() { return kSettingsLayout; }

std::string imagePath(const std::string& fileName) { return kImageFolder + fileName; }

std::string md5Hex(const std::string& bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr) != 1) {
        cc::CCLog("md5Hex: digest failed");
        return std::string();
    }
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(length * 2);
    for (unsigned int i = 0; i < length; ++i) {
        out.push_back(kHex[digest[i] >> 4]);
        out.push_back(kHex[digest[i] & 0x0f]);
    }
    return out;
}

} // namespace quibo
