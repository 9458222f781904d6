// Finds and reads the program's resource files: an ordered list of search
// paths, name resolution against them, and whole-file reads that never block
// and stay within a size bound per kind of file. Parsing what the files hold
// is left to the readers (property lists, layouts, images).
#pragma once

#include "platform/BookFileLimits.h"

#include <string>
#include <vector>

namespace cc {

// What a book file holds; each kind has its own size bound (BookFileLimits.h).
enum class BookFileKind { Layout, PropertyList, Image, Audio, FontDescription, Other };

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
    // True when the name resolves to anything at all (a FIFO or a folder
    // too), so a reader can tell a missing file from one it refuses.
    bool isPathPresent(const std::string& path) const;

    // Opens a book file for reading without ever blocking: only a regular
    // file no larger than the kind's bound is opened (a FIFO, a device or a
    // directory is refused before anything waits on it). Returns the open
    // descriptor, which the caller closes, and its size; or -1 after one log
    // line naming the file and the reason. A caller that reports refusals in
    // its own line passes whyRefused, which then takes the reason instead of
    // the log. The name goes through fullPathForFilename first.
    int openBookFile(const std::string& fileName, BookFileKind kind, long long* size = nullptr,
                     std::string* whyRefused = nullptr) const;
    // The whole book file through openBookFile; false plus one log line, or
    // with whyRefused the reason there instead of the log.
    bool readBookFile(const std::string& fileName, BookFileKind kind, std::string& out,
                      std::string* whyRefused = nullptr) const;
    // The same two for a path already resolved. They touch no shared state,
    // so any thread may call them, even while the engine thread purges or
    // rebuilds the shared instance.
    static int openBookFileAt(const std::string& fullPath, BookFileKind kind, long long* size = nullptr,
                              std::string* whyRefused = nullptr);
    static bool readBookFileAt(const std::string& fullPath, BookFileKind kind, std::string& out,
                               std::string* whyRefused = nullptr);
    static long long maxFileBytes(BookFileKind kind);

    // The whole file as new[]-allocated bytes the caller deletes with
    // delete[]; null (and *size 0) plus one log line when it cannot be read.
    // The name goes through fullPathForFilename first. mode is accepted for
    // the usual call shape; files are always read as bytes. Both read as a
    // book file of kind Other.
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

    std::vector<std::string> m_searchPaths;
};

} // namespace cc
