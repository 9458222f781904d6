// The remembered place while the program runs: at start it reads the book's
// place file and puts the play mode back, and the page once the main menu
// has read the book's page range; then a per-frame check writes the file
// once the page or the play mode changed and has stayed so for a moment, and
// once more at exit. The file's text is PlaceFile's; the OS calls are the
// platform's.
#pragma once

#include "app/PlaceFile.h"

#include "base/CCObject.h"
#include "base/CCRefPtr.h"

#include <string>

namespace cc {
class CCScheduler;
}

namespace quibo {

class PlaceKeeper : public cc::CCObject {
public:
    // stateFolder: where place files live ($XDG_STATE_HOME/quibo). Empty
    // turns remembering off, with one log line at start().
    explicit PlaceKeeper(std::string stateFolder);
    ~PlaceKeeper() override;

    // The state folder for this user, or empty when there is none.
    static std::string defaultStateFolder();

    // Finds the book folder through the resource search path, reads its place
    // file (a missing, unreadable, cut or foreign file: one line, nothing
    // restored) and installs the main menu's configuration hook, which puts
    // the page back and starts the per-frame check. Call once, before the
    // first main menu is built.
    void start();
    // Writes the place when there is one to keep (a restored place, a page
    // read in this run), stops watching and removes the hook.
    void finish();

    // The per-frame check: compares the page, the play mode and whether
    // reading started with what it saw last; a change is written once
    // nothing changed for kQuietSeconds, so the flush to disk never falls in
    // the frames of a page-turn transition.
    void update(float dt) override;
    // It only compares numbers that other work changes and counts its quiet
    // time in the frames' own time, so it never keeps an idle loop awake (the
    // loop still wakes at least twice a second).
    bool isUpdateIdle() const override { return true; }
    static constexpr float kQuietSeconds = 0.75f;

    // The place file's path, empty until start() found the book.
    const std::string& placePath() const { return m_path; }

private:
    // The main menu's hook, reaching the keeper that start() registered.
    static void onConfigurationRead();
    void restorePage();
    void watch();
    void write();

    std::string m_stateFolder;
    std::string m_bookFolder;
    std::string m_path;
    bool m_active = false;
    bool m_hasPendingPage = false;
    int m_pendingPage = 0;
    bool m_hasPlace = false; // something worth writing at exit

    cc::CCRefPtr<cc::CCScheduler> m_scheduler; // held while watched
    int m_seenPage = 0;
    int m_seenMode = 0;
    bool m_seenStarted = false;
    bool m_unwritten = false; // a change waits for the quiet time
    float m_quietFor = 0.0f;
};

} // namespace quibo
