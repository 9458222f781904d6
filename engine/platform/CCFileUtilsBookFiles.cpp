// The one guarded way into a book file: what kind of file it is and how large
// it is are checked before a byte is read, and nothing here can wait on a
// FIFO or a device. What the bytes mean is left to each reader.
#include "platform/CCFileUtils.h"

#include "base/CCLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cc {

namespace {

const char* kindName(BookFileKind kind)
{
    switch (kind) {
    case BookFileKind::Layout: return "layout";
    case BookFileKind::PropertyList: return "property list";
    case BookFileKind::Image: return "picture";
    case BookFileKind::Audio: return "sound";
    case BookFileKind::FontDescription: return "font description";
    case BookFileKind::Other: break;
    }
    return "file";
}

// Why a file of this mode is no book file; null for a regular file.
const char* notRegularReason(mode_t mode)
{
    if (S_ISREG(mode)) return nullptr;
    if (S_ISDIR(mode)) return "a directory, not a regular file";
    if (S_ISFIFO(mode)) return "a FIFO, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a regular file";
    if (S_ISSOCK(mode)) return "a socket, not a regular file";
    return "not a regular file";
}

// One line for the refusal, unless the caller takes the reason for its own.
void refuse(const std::string& name, const char* reason, std::string* whyRefused = nullptr)
{
    if (whyRefused) {
        *whyRefused = reason;
        return;
    }
    CCLog("Book file %s refused: %s", name.c_str(), reason);
}

} // namespace

bool CCFileUtils::isPathPresent(const std::string& path) const
{
    const std::string full = fullPathForFilename(path.c_str());
    struct stat st;
    return !full.empty() && ::stat(full.c_str(), &st) == 0;
}

long long CCFileUtils::maxFileBytes(BookFileKind kind)
{
    switch (kind) {
    case BookFileKind::Layout: return kMaxLayoutFileBytes;
    case BookFileKind::PropertyList: return kMaxPropertyListFileBytes;
    case BookFileKind::Image: return kMaxImageFileBytes;
    case BookFileKind::Audio: return kMaxAudioFileBytes;
    case BookFileKind::FontDescription: return kMaxFontDescriptionFileBytes;
    case BookFileKind::Other: break;
    }
    return kMaxOtherFileBytes;
}

int CCFileUtils::openBookFile(const std::string& fileName, BookFileKind kind, long long* size,
                              std::string* whyRefused) const
{
    return openBookFileAt(fullPathForFilename(fileName.c_str()), kind, size, whyRefused);
}

int CCFileUtils::openBookFileAt(const std::string& full, BookFileKind kind, long long* size, std::string* whyRefused)
{
    if (size) *size = 0;
    if (full.empty()) {
        refuse("(no name)", "no file name given", whyRefused);
        return -1;
    }
    // stat first: a device is never opened at all, whatever opening it does.
    struct stat st;
    if (::stat(full.c_str(), &st) != 0) {
        refuse(full, std::strerror(errno), whyRefused);
        return -1;
    }
    if (const char* reason = notRegularReason(st.st_mode)) {
        refuse(full, reason, whyRefused);
        return -1;
    }
    // Non-blocking, so a file swapped for a FIFO after the stat still cannot
    // make open wait for a writer; fstat then judges what was really opened.
    int fd;
    do {
        fd = ::open(full.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        refuse(full, std::strerror(errno), whyRefused);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || notRegularReason(st.st_mode)) {
        ::close(fd);
        refuse(full, "not a regular file", whyRefused);
        return -1;
    }
    const long long limit = maxFileBytes(kind);
    if (static_cast<long long>(st.st_size) > limit) {
        ::close(fd);
        char reason[160];
        std::snprintf(reason, sizeof reason, "%lld bytes, more than the %lld a %s may have",
                      static_cast<long long>(st.st_size), limit, kindName(kind));
        refuse(full, reason, whyRefused);
        return -1;
    }
    if (size) *size = static_cast<long long>(st.st_size);
    return fd;
}

bool CCFileUtils::readBookFile(const std::string& fileName, BookFileKind kind, std::string& out,
                               std::string* whyRefused) const
{
    return readBookFileAt(fullPathForFilename(fileName.c_str()), kind, out, whyRefused);
}

bool CCFileUtils::readBookFileAt(const std::string& full, BookFileKind kind, std::string& out, std::string* whyRefused)
{
    out.clear();
    long long size = 0;
    const int fd = openBookFileAt(full, kind, &size, whyRefused);
    if (fd < 0) return false;
    // A file still growing is read only up to one byte past its bound, so
    // the bound holds whatever the writer does meanwhile.
    const long long limit = maxFileBytes(kind);
    out.reserve(static_cast<size_t>(size));
    char buf[65536];
    bool ok = true;
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
        if (static_cast<long long>(out.size()) > limit) {
            ok = false;
            break;
        }
    }
    ::close(fd);
    if (!ok) {
        const bool tooLarge = static_cast<long long>(out.size()) > limit;
        out.clear();
        refuse(full, tooLarge ? "grew past its size bound while read" : "read error",
               whyRefused);
    }
    return ok;
}

} // namespace cc
