// Narration of a page: word taps, the play/pause switch and the automatic
// narration tick. The tick runs on the director's scheduler with this object
// as its target, held while the page is off the stage.
#include "book/Narration.h"

#include "book/BookPaths.h"
#include "book/BookSettings.h"
#include "book/PageState.h"
#include "book/WordNaming.h"

#include "audio/SimpleAudioEngine.h"
#include "base/CCLog.h"
#include "gui/UIWidget.h"
#include "scene/CCDirector.h"
#include "scene/CCScheduler.h"

namespace quibo {

namespace {
const float kFullVolume = 1.0f;

cc::SimpleAudioEngine* audio() { return cc::SimpleAudioEngine::sharedEngine(); }
} // namespace

Narration* Narration::create(NarrationPage& page) { return cc::autoreleasedOrNull(new Narration(page), true); }

Narration::Narration(NarrationPage& page)
    : m_page(page), m_scheduler(cc::CCDirector::sharedDirector()->getScheduler())
{
}

Narration::~Narration()
{
    // The scheduler does not hold its targets.
    if (m_scheduler) {
        m_scheduler->unscheduleAllForTarget(this);
    }
}

bool Narration::isPlaying() { return audio()->isBackgroundMusicPlaying(); }

std::string Narration::narrationFile(int page, int index) { return narrationPath(narrationName(page, index)); }

bool Narration::autoPlay() const { return pageState().autoPlay; }

bool Narration::isTicking() const
{
    return m_scheduler && m_scheduler->isScheduled(schedule_selector(Narration::tick), const_cast<Narration*>(this));
}

// ---- The page's steps ----------------------------------------------------------

bool Narration::beginPage(int highestIndex)
{
    m_wordCount = highestIndex;
    m_nextWordIndex = 1;
    m_currentWord.reset();
    PageState& state = pageState();
    const bool goesOn = state.autoPlay && state.playMode == PlayMode::autoTurn;
    unscheduleTick();
    if (goesOn) {
        scheduleTick(kFirstTickSeconds);
    } else {
        state.autoPlay = false;
    }
    return goesOn;
}

void Narration::pageEntered()
{
    m_onStage = true;
    if (m_scheduler) {
        m_scheduler->resumeTarget(this);
    }
}

void Narration::pageLeft()
{
    m_onStage = false;
    if (m_scheduler) {
        m_scheduler->unscheduleAllForTarget(this);
    }
    m_currentWord.reset();
}

void Narration::stopTicking() { unscheduleTick(); }

void Narration::forgetHighlightedWord() { m_currentWord.reset(); }

void Narration::cancelAutoPlay()
{
    pageState().autoPlay = false;
    unscheduleTick();
}

void Narration::wordTapped(cc::UIWidget* word, int index)
{
    if (!word) {
        return;
    }
    cc::CCPoint from(0, 0);
    if (m_currentWord) {
        // The later events of the tap that started this narration land here.
        if (m_currentWord == word && isPlaying()) {
            m_page.keepWordFocused(word);
            return;
        }
        from = dropHighlight();
    }
    highlight(word, from);
    const int page = bookSettings().currentPage;
    m_nextWordIndex = index + 1;
    showSentence(word, page, index);
    play(page, index);
}

bool Narration::togglePlay()
{
    PageState& state = pageState();
    state.autoPlay = !state.autoPlay;
    if (state.autoPlay) {
        unscheduleTick();
        scheduleTick(kFirstTickSeconds);
    } else {
        audio()->setBackgroundMusicVolume(kFullVolume);
        audio()->stopBackgroundMusic();
        unscheduleTick();
    }
    return state.autoPlay;
}

// ---- Automatic narration --------------------------------------------------------

void Narration::tick(float)
{
    unscheduleTick();
    PageState& state = pageState();
    if (isPlaying()) {
        scheduleTick(kTickSeconds);
        return;
    }
    if (state.skipIdleTick) {
        state.skipIdleTick = false;
        scheduleTick(kTickSeconds);
        return;
    }
    if (m_nextWordIndex > m_wordCount) {
        if (state.playMode == PlayMode::repeatPage) {
            m_nextWordIndex = 1;
            state.skipIdleTick = true;
            scheduleTick(kFirstTickSeconds);
        } else if (state.playMode == PlayMode::autoTurn) {
            // On the last page nothing turns and the narration halts here.
            state.skipIdleTick = true;
            m_page.turnToNextPage();
        }
        return;
    }
    const int index = m_nextWordIndex;
    const int page = bookSettings().currentPage;
    const cc::CCPoint from = m_currentWord ? dropHighlight() : cc::CCPoint(0, 0);
    const std::string name = wordButtonName(page, index);
    cc::CCLog("bnName-----------%s---------====", name.c_str());
    // A missing index is narrated all the same, without highlight or sentence.
    if (cc::UIWidget* word = m_page.findWordButton(name)) {
        highlight(word, from);
        if (m_page.hasSentenceBubble()) {
            showSentence(word, page, index);
        }
    }
    play(page, index);
    m_nextWordIndex = index + 1;
    state.skipIdleTick = true;
    scheduleTick(kTickSeconds);
}

void Narration::scheduleTick(float delay)
{
    if (m_scheduler) {
        // Off the stage the tick waits, as a node's timers do.
        m_scheduler->scheduleSelector(schedule_selector(Narration::tick), this, delay, !m_onStage);
    }
}

void Narration::unscheduleTick()
{
    if (m_scheduler) {
        m_scheduler->unscheduleSelector(schedule_selector(Narration::tick), this);
    }
}

// ---- Words, sentences and sound ----------------------------------------------------

cc::CCPoint Narration::dropHighlight()
{
    cc::CCRefPtr<cc::UIWidget> word = std::move(m_currentWord);
    return word ? m_page.unhighlightWord(word.get()) : cc::CCPoint(0, 0);
}

void Narration::highlight(cc::UIWidget* word, const cc::CCPoint& from)
{
    m_currentWord.reset(word);
    m_page.highlightWord(word, from);
}

void Narration::showSentence(cc::UIWidget* word, int page, int index)
{
    const SentenceTable& table = sentences();
    if (table.isLoaded()) {
        cc::CCLog("test11111111111111-------------------====");
    }
    m_page.showSentence(word, table.entry(sentenceKey(page, index)));
}

const SentenceTable& Narration::sentences()
{
    if (!m_sentences) {
        m_sentences = SentenceTable::loadPageStrings();
    }
    return *m_sentences;
}

void Narration::play(int page, int index) { audio()->playBackgroundMusic(narrationFile(page, index).c_str()); }

} // namespace quibo
