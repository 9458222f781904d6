// POSIX calls for the user's settings and state files.
#include "platform/UserFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cc {

namespace {

// Folders made for the user's own files: nobody else needs to look inside.
constexpr mode_t kFolderMode = 0700;

// An environment variable holding an absolute path, else empty.
std::string absoluteFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') {
        return std::string();
    }
    return value;
}

std::string xdgHome(const char* variable, const char* underHome)
{
    std::string dir = absoluteFromEnvironment(variable);
    if (!dir.empty()) {
        return dir;
    }
    const std::string home = absoluteFromEnvironment("HOME");
    if (home.empty()) {
        return std::string();
    }
    return (home.back() == '/' ? home : home + "/") + underHome;
}

std::string describeErrno() { return std::strerror(errno); }

// Writes every byte, retrying after interruptions and short writes.
bool writeAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::string userConfigHome() { return xdgHome("XDG_CONFIG_HOME", ".config"); }

std::string userStateHome() { return xdgHome("XDG_STATE_HOME", ".local/state"); }

UserFileRead readSmallUserFile(const std::string& path, size_t maxBytes, std::string& out, std::string& error)
{
    out.clear();
    // Non-blocking, so a pipe put in the file's place cannot hang the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const bool missing = errno == ENOENT;
        error = describeErrno();
        return missing ? UserFileRead::Missing : UserFileRead::Unreadable;
    }
    struct stat st;
    UserFileRead result = UserFileRead::Ok;
    if (::fstat(fd, &st) != 0) {
        error = describeErrno();
        result = UserFileRead::Unreadable;
    } else if (!S_ISREG(st.st_mode)) {
        error = "not a regular file";
        result = UserFileRead::NotRegular;
    } else if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        error = "larger than " + std::to_string(maxBytes) + " bytes";
        result = UserFileRead::TooLarge;
    } else {
        // Read one byte past the limit: a file that grew since fstat is
        // still refused rather than cut.
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                error = describeErrno();
                result = UserFileRead::Unreadable;
                break;
            }
            if (n == 0) {
                break;
            }
            out.append(buffer, static_cast<size_t>(n));
            if (out.size() > maxBytes) {
                error = "larger than " + std::to_string(maxBytes) + " bytes";
                result = UserFileRead::TooLarge;
                break;
            }
        }
    }
    ::close(fd);
    if (result != UserFileRead::Ok) {
        out.clear();
    }
    return result;
}

bool makeUserFolders(const std::string& path, std::string& error)
{
    if (path.empty()) {
        error = "no folder given";
        return false;
    }
    // Each prefix ending before a '/' in turn, then the whole path.
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = slash == std::string::npos ? path : path.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), kFolderMode) != 0 && errno != EEXIST) {
            error = part + ": " + describeErrno();
            return false;
        }
        if (slash == std::string::npos) {
            break;
        }
    }
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = path + ": not a folder";
        return false;
    }
    return true;
}

bool replaceUserFile(const std::string& path, const std::string& contents, std::string& error)
{
    std::string temporary = path + ".XXXXXX";
    // mkstemp wants a writable, terminated buffer; the string's own serves.
    const int fd = ::mkstemp(&temporary[0]);
    if (fd < 0) {
        error = describeErrno();
        return false;
    }
    bool ok = writeAll(fd, contents) && ::fsync(fd) == 0;
    if (!ok) {
        error = describeErrno();
    }
    if (::close(fd) != 0 && ok) {
        error = describeErrno();
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = describeErrno();
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
    }
    return ok;
}

std::string resolvedPath(const std::string& path)
{
    if (path.empty()) {
        return std::string();
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) {
        return std::string();
    }
    std::string result(resolved);
    std::free(resolved);
    return result;
}

} // namespace cc
