// Finds and reads the program's resource files: an ordered list of search
// paths, name resolution against them, and whole-file reads. Parsing what
// the files hold is left to the readers (property lists, layouts, images).
#pragma once

#include <string>
#include <vector>

namespace cc {

class CCFileUtils {
public:
    static CCFileUtils* sharedFileUtils();
    // Destroys the shared instance; the next use builds a fresh one with the
    // default search path.
    static void purgeFileUtils();

    // An absolute name is returned as is. A relative one is tried against
    // each search path in order; when none holds it the name itself comes
    // back, so the caller's open fails and reports the name it was given.
    std::string fullPathForFilename(const char* fileName) const;
    bool isFileExist(const std::string& path) const;

    // The whole file as new[]-allocated bytes the caller deletes with
    // delete[]; null (and *size 0) plus one log line when it cannot be read.
    // The name goes through fullPathForFilename first. mode is accepted for
    // the usual call shape; files are always read as bytes.
    unsigned char* getFileData(const char* fileName, const char* mode, unsigned long* size) const;
    // The whole file as text; false plus one log line when it cannot be read.
    bool getFileContents(const std::string& fileName, std::string& out) const;

    // Search paths are kept with a trailing '/'.
    void setSearchPaths(const std::vector<std::string>& paths);
    void addSearchPath(const std::string& path);
    const std::vector<std::string>& getSearchPaths() const { return m_searchPaths; }

    // The bundled resources folder: an installed program's book (below
    // installedResourceRoot), else found by walking up from the running
    // executable's directory (a build tree), else the one in the source tree.
    static std::string defaultResourceRoot();
    // The book of a program installed in executableDir: share/quibo beside
    // the bin folder, whatever the prefix; empty when there is none.
    static std::string installedResourceRoot(const std::string& executableDir);

private:
    CCFileUtils();
    bool readWhole(const std::string& fullPath, std::string& out) const;

    std::vector<std::string> m_searchPaths;
};

} // namespace cc
