// The user's own small files, outside any book: where the settings and state
// folders are (the XDG base directories), bounded reads that take regular
// files only, folder creation, and whole-file replacement by rename. What
// the files hold, and what a failure means, is the caller's.
#pragma once

#include <cstddef>
#include <string>

namespace cc {

// $XDG_CONFIG_HOME, else $HOME/.config. A variable that is unset, empty or
// not an absolute path does not count; empty when nothing gives a folder.
std::string userConfigHome();
// $XDG_STATE_HOME, else $HOME/.local/state; the same rules.
std::string userStateHome();

enum class UserFileRead {
    Ok,
    Missing,    // nothing at the path
    NotRegular, // a folder, a device, a pipe...
    TooLarge,   // more than the caller's limit
    Unreadable, // permissions or an I/O error
};

// Reads the whole file into out when it is a regular file of at most
// maxBytes. Never blocks on a pipe. error says why in a few words when the
// result is not Ok.
UserFileRead readSmallUserFile(const std::string& path, size_t maxBytes, std::string& out, std::string& error);

// Creates the folder and any missing parents (new ones readable by the user
// only). True when the folder exists afterwards.
bool makeUserFolders(const std::string& path, std::string& error);

// Replaces the file at path with contents as one step: written and flushed
// to a temporary file beside it, then renamed over it. A failure leaves the
// old file as it was and no temporary file behind.
bool replaceUserFile(const std::string& path, const std::string& contents, std::string& error);

// The absolute path with every link resolved; empty when it does not exist.
std::string resolvedPath(const std::string& path);

} // namespace cc
