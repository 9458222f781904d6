// Resource lookup and whole-file reads on POSIX calls. The default search
// path is the "resources" folder bundled next to the executable, so a built
// program works from any working directory.
#include "platform/CCFileUtils.h"

#include "base/CCLog.h"

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#ifndef QUIBO_SOURCE_RESOURCES
#define QUIBO_SOURCE_RESOURCES "resources"
#endif
#ifndef QUIBO_INSTALLED_RESOURCES
#define QUIBO_INSTALLED_RESOURCES "../share/quibo"
#endif

namespace cc {

namespace {

// A build puts binaries a few folders below the tree that holds resources/
// (build/app/quibo, build/tests/engine_tests), so a short walk up finds it.
const int kResourceSearchLevels = 4;
const char* const kResourceFolderName = "resources";

CCFileUtils* s_sharedFileUtils = nullptr;

bool isDirectory(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string withTrailingSlash(const std::string& path)
{
    if (path.empty() || path.back() == '/') {
        return path;
    }
    return path + "/";
}

std::string executableDirectory()
{
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) {
        return std::string();
    }
    std::string exe(buf, static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

} // namespace

CCFileUtils* CCFileUtils::sharedFileUtils()
{
    if (!s_sharedFileUtils) {
        s_sharedFileUtils = new CCFileUtils();
    }
    return s_sharedFileUtils;
}

void CCFileUtils::purgeFileUtils()
{
    delete s_sharedFileUtils;
    s_sharedFileUtils = nullptr;
}

CCFileUtils::CCFileUtils() { m_searchPaths.push_back(withTrailingSlash(defaultResourceRoot())); }

std::string CCFileUtils::installedResourceRoot(const std::string& executableDir)
{
    if (executableDir.empty()) {
        return std::string();
    }
    const std::string candidate = executableDir + "/" + QUIBO_INSTALLED_RESOURCES;
    return isDirectory(candidate) ? candidate : std::string();
}

std::string CCFileUtils::defaultResourceRoot()
{
    std::string dir = executableDirectory();
    const std::string installed = installedResourceRoot(dir);
    if (!installed.empty()) {
        return installed;
    }
    for (int level = 0; level <= kResourceSearchLevels && !dir.empty(); ++level) {
        std::string candidate = dir + "/" + kResourceFolderName;
        if (isDirectory(candidate)) {
            return candidate;
        }
        size_t slash = dir.rfind('/');
        if (slash == std::string::npos || slash == 0) {
            break;
        }
        dir.erase(slash);
    }
    return QUIBO_SOURCE_RESOURCES;
}

void CCFileUtils::setSearchPaths(const std::vector<std::string>& paths)
{
    m_searchPaths.clear();
    for (const std::string& p : paths) {
        addSearchPath(p);
    }
}

void CCFileUtils::addSearchPath(const std::string& path)
{
    std::string p = withTrailingSlash(path);
    for (const std::string& existing : m_searchPaths) {
        if (existing == p) {
            return;
        }
    }
    m_searchPaths.push_back(p);
}

std::string CCFileUtils::fullPathForFilename(const char* fileName) const
{
    if (!fileName || !*fileName) {
        return std::string();
    }
    if (fileName[0] == '/') {
        return fileName;
    }
    for (const std::string& dir : m_searchPaths) {
        std::string candidate = dir + fileName;
        struct stat st;
        if (::stat(candidate.c_str(), &st) == 0) {
            return candidate;
        }
    }
    return fileName;
}

bool CCFileUtils::isFileExist(const std::string& path) const
{
    std::string full = fullPathForFilename(path.c_str());
    struct stat st;
    return !full.empty() && ::stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

unsigned char* CCFileUtils::getFileData(const char* fileName, const char* mode, unsigned long* size) const
{
    if (size) {
        *size = 0;
    }
    std::string bytes;
    if (!readBookFile(fileName ? fileName : "", BookFileKind::Other, bytes)) {
        return nullptr; // readBookFile logged the name and the reason
    }
    // One spare byte so text users may terminate the buffer themselves.
    unsigned char* data = new unsigned char[bytes.size() + 1];
    std::memcpy(data, bytes.data(), bytes.size());
    data[bytes.size()] = 0;
    if (size) {
        *size = static_cast<unsigned long>(bytes.size());
    }
    return data;
}

bool CCFileUtils::getFileContents(const std::string& fileName, std::string& out) const
{
    return readBookFile(fileName, BookFileKind::Other, out);
}

} // namespace cc
