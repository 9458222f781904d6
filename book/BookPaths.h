// Where the book's resources live, relative to the resource search path:
// configuration, string tables, layouts, images and the hashed narration
// files. Resolving them against the search path is the file utilities'.
#pragma once

#include <string>

namespace quibo {

// resourceFolder + "/StringConfig.xml".
std::string configurationPath();
// The string table "String.xml" at the top of the resource search path.
std::string stringTablePath();
// resourceFolder/subName/subName_<page>.json.
std::string pageLayoutPath(int page);
// resourceFolder + "/Stringstr.xml".
std::string pageStringsPath();
// resourceFolder/epc/<md5 of the logical name>.mp3.
std::string narrationPath(const std::string& narrationName);
std::string mainMenuLayoutPath();
std::string settingsLayoutPath();
// "Images/" + file name.
std::string imagePath(const std::string& fileName);

// MD5 of the bytes as 32 lower-case hex digits; empty (with one log line)
// if the digest cannot be computed.
std::string md5Hex(const std::string& bytes);

} // namespace quibo
