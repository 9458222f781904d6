// Restoring and keeping the reading place. The page waits for the main menu's
// hook because only the book configuration says which pages exist; the play
// mode needs nothing and is put back at once.
#include "app/PlaceKeeper.h"

#include "book/BookSettings.h"
#include "book/PageState.h"
#include "book/TestController.h"

#include "base/CCLog.h"
#include "platform/CCFileUtils.h"
#include "platform/UserFiles.h"
#include "scene/CCDirector.h"
#include "scene/CCScheduler.h"

#include <algorithm>

namespace quibo {

namespace {

// The one keeper the main menu's hook reaches; set by start(). Not retained:
// finish(), which the keeper's destructor runs, clears it.
PlaceKeeper* s_keeper = nullptr;

const char* const kStateSubfolder = "/quibo";
// Runs after the frame's other update targets: it only looks.
const int kCheckPriority = 100;

// Pages a reader can be on: the story, the word-learning pages, and those
// between them that turning back from word learning passes.
bool isPageOfBook(int page)
{
    const BookSettings& b = bookSettings();
    const bool story = page >= b.pageMin && page <= b.pageMax;
    const bool words = b.wordMin >= 1 && page >= b.wordMin && page <= std::max(b.wordMin, b.wordMax);
    const bool between = b.wordMin >= 1 && page > b.pageMax && page < b.wordMin;
    return story || words || between;
}

bool hasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

} // namespace

PlaceKeeper::PlaceKeeper(std::string stateFolder) : m_stateFolder(std::move(stateFolder))
{
    // A service for the whole run, not part of any screen.
    excludeFromLiveCount();
}

PlaceKeeper::~PlaceKeeper() { finish(); }

std::string PlaceKeeper::defaultStateFolder()
{
    const std::string state = cc::userStateHome();
    return state.empty() ? std::string() : state + kStateSubfolder;
}

void PlaceKeeper::start()
{
    if (m_stateFolder.empty()) {
        cc::CCLog("remember: no folder for the place (neither XDG_STATE_HOME nor HOME is set); it is not kept");
        return;
    }
    const std::string& folder = bookSettings().resourceFolder;
    m_bookFolder = cc::resolvedPath(cc::CCFileUtils::sharedFileUtils()->fullPathForFilename(folder.c_str()));
    if (m_bookFolder.empty() || hasLineBreak(m_bookFolder)) {
        cc::CCLog("remember: the book folder %s was not found; the place is not kept", folder.c_str());
        return;
    }
    m_path = m_stateFolder + "/" + placeFileName(m_bookFolder);
    m_active = true;
    s_keeper = this;
    mainMenuRoutes().configurationRead = &PlaceKeeper::onConfigurationRead;

    std::string text, error;
    switch (cc::readSmallUserFile(m_path, kMaxPlaceBytes, text, error)) {
    case cc::UserFileRead::Ok: break;
    case cc::UserFileRead::Missing:
        cc::CCLog("remember: no place kept yet for this book (%s)", m_path.c_str());
        return;
    case cc::UserFileRead::NotRegular:
    case cc::UserFileRead::TooLarge:
    case cc::UserFileRead::Unreadable:
        cc::CCLog("remember: %s: %s; ignored", m_path.c_str(), error.c_str());
        return;
    }
    Place place;
    std::string why;
    switch (parsePlace(text, place, why)) {
    case PlaceParse::Ok: break;
    case PlaceParse::Truncated:
        cc::CCLog("remember: %s is cut short (%s); ignored", m_path.c_str(), why.c_str());
        return;
    case PlaceParse::Foreign:
        cc::CCLog("remember: %s is not a place file (%s); ignored", m_path.c_str(), why.c_str());
        return;
    }
    if (place.book != m_bookFolder) {
        cc::CCLog("remember: %s belongs to another book (%s); ignored", m_path.c_str(), place.book.c_str());
        return;
    }
    pageState().playMode = static_cast<PlayMode>(place.playMode);
    m_pendingPage = place.page;
    m_hasPendingPage = true;
}

void PlaceKeeper::onConfigurationRead()
{
    if (s_keeper) {
        s_keeper->restorePage();
        s_keeper->watch();
    }
}

void PlaceKeeper::restorePage()
{
    if (!m_hasPendingPage) {
        return;
    }
    m_hasPendingPage = false;
    if (!isPageOfBook(m_pendingPage)) {
        cc::CCLog("remember: page %d is not a page of this book; ignored", m_pendingPage);
        return;
    }
    BookSettings& book = bookSettings();
    book.currentPage = m_pendingPage;
    book.readingStarted = true;
    m_hasPlace = true;
}

void PlaceKeeper::watch()
{
    cc::CCScheduler* scheduler = cc::CCDirector::sharedDirector()->getScheduler();
    if (scheduler != m_scheduler) {
        if (m_scheduler) {
            m_scheduler->unscheduleUpdateForTarget(this);
            m_scheduler.reset();
        }
        // Kept alive by this keeper, so leaving it at the end is safe even
        // once the director that made it is gone.
        m_scheduler.reset(scheduler);
        m_scheduler->scheduleUpdateForTarget(this, kCheckPriority, false);
    }
    m_seenPage = bookSettings().currentPage;
    m_seenMode = static_cast<int>(pageState().playMode);
    m_seenStarted = bookSettings().readingStarted;
}

void PlaceKeeper::update(float dt)
{
    const int page = bookSettings().currentPage;
    const int mode = static_cast<int>(pageState().playMode);
    const bool started = bookSettings().readingStarted;
    if (page != m_seenPage || mode != m_seenMode || started != m_seenStarted) {
        m_seenPage = page;
        m_seenMode = mode;
        m_seenStarted = started;
        m_hasPlace = true;
        m_unwritten = true;
        m_quietFor = 0.0f;
        return;
    }
    if (m_unwritten) {
        m_quietFor += dt;
        if (m_quietFor >= kQuietSeconds) {
            m_unwritten = false;
            write();
        }
    }
}

void PlaceKeeper::write()
{
    Place place;
    place.book = m_bookFolder;
    place.page = bookSettings().currentPage;
    place.playMode = static_cast<int>(pageState().playMode);
    std::string error;
    if (!cc::makeUserFolders(m_stateFolder, error) || !cc::replaceUserFile(m_path, placeText(place), error)) {
        cc::CCLog("remember: cannot keep the place in %s: %s", m_path.c_str(), error.c_str());
    }
}

void PlaceKeeper::finish()
{
    if (m_active && (m_hasPlace || bookSettings().readingStarted)) {
        write();
    }
    m_active = false;
    m_hasPendingPage = false;
    m_unwritten = false;
    if (m_scheduler) {
        m_scheduler->unscheduleUpdateForTarget(this);
        m_scheduler.reset();
    }
    if (s_keeper == this) {
        s_keeper = nullptr;
        mainMenuRoutes().configurationRead = nullptr;
    }
}

} // namespace quibo
