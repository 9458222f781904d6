// The narration of one page: which word plays next and which is highlighted,
// automatic narration's tick and its rescheduling, the file a word is played
// from, and the page's sentences (read once). What is seen (the highlight,
// the sentence, the play image) and turning the page are the page's, which
// it is told through NarrationPage. Flags that outlive the page are PageState's.
#pragma once

#include "book/SentenceTable.h"

#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "base/CCRefPtr.h"

#include <optional>
#include <string>

namespace cc {
class CCScheduler;
class UIWidget;
} // namespace cc

namespace quibo {

// What a narration asks of the page it reads, and what it tells it to show.
class NarrationPage {
public:
    // The page's word button of that name, looked up now; null when there is none.
    virtual cc::UIWidget* findWordButton(const std::string& name) = 0;
    // Automatic narration shows sentences only on a page with a sentence bubble.
    virtual bool hasSentenceBubble() const = 0;
    // Hide and unfocus the highlighted word; where it stands.
    virtual cc::CCPoint unhighlightWord(cc::UIWidget* word) = 0;
    // Show the word highlighted, gliding in from `from` to its own place.
    virtual void highlightWord(cc::UIWidget* word, const cc::CCPoint& from) = 0;
    // The highlighted word was tapped again while it plays: it keeps its focus.
    virtual void keepWordFocused(cc::UIWidget* word) = 0;
    // The word's sentence; null when the page strings have none for it.
    virtual void showSentence(cc::UIWidget* word, const std::string* sentence) = 0;
    // The page is finished and the play mode turns pages.
    virtual void turnToNextPage() = 0;

protected:
    ~NarrationPage() = default;
};

class Narration : public cc::CCObject {
public:
    // A narration reading `page`, which owns it (the page is not retained).
    static Narration* create(NarrationPage& page);
    ~Narration() override;

    // ---- What the page tells it

    // The page was built with word buttons up to index `highestIndex`: word 1
    // plays next and no word is highlighted. Automatic narration goes on from
    // the page before only when it was asked for and the mode turns pages
    // (its first tick 0.2 s on); otherwise it is switched off. True when it goes on.
    bool beginPage(int highestIndex);
    // The page came on stage: the tick runs from now on. Until then it waits.
    void pageEntered();
    // The page left the stage: the tick stops and the highlighted word is forgotten.
    void pageLeft();
    // The page is being left: the tick stops. autoPlay stays as it is.
    void stopTicking();
    // The page is being turned away from: its highlighted word is no longer current.
    void forgetHighlightedWord();
    // Leaving for the main menu: automatic narration is switched off.
    void cancelAutoPlay();
    // A word button of this page with the index it was bound with: it becomes
    // the highlighted word, its sentence shows and its narration plays, and
    // automatic narration goes on after it. The highlighted word tapped again
    // while it plays only keeps its focus.
    void wordTapped(cc::UIWidget* word, int index);
    // The play/pause button: starts automatic narration (first tick 0.2 s on)
    // or stops it together with the sound. Whether it runs now.
    bool togglePlay();

    // ---- What the page and tests ask

    // Narration is playing exactly when the audio engine plays background music.
    static bool isPlaying();
    // The file a word's narration is stored in: the page's hashed narration name.
    static std::string narrationFile(int page, int index);
    bool autoPlay() const;
    bool isTicking() const;
    cc::UIWidget* currentWord() const { return m_currentWord.get(); }
    int nextWordIndex() const { return m_nextWordIndex; }
    // The highest word index the page found (0 without word buttons).
    int wordCount() const { return m_wordCount; }

    static constexpr float kFirstTickSeconds = 0.2f;
    static constexpr float kTickSeconds = 0.5f;

private:
    explicit Narration(NarrationPage& page);

    // One step of automatic narration; it reschedules itself.
    void tick(float dt);
    void scheduleTick(float delay);
    void unscheduleTick();
    cc::CCPoint dropHighlight();
    void highlight(cc::UIWidget* word, const cc::CCPoint& from);
    void showSentence(cc::UIWidget* word, int page, int index);
    const SentenceTable& sentences();
    void play(int page, int index);

    NarrationPage& m_page; // owns this narration
    cc::CCRefPtr<cc::CCScheduler> m_scheduler;
    cc::CCRefPtr<cc::UIWidget> m_currentWord; // a word button of the page
    int m_wordCount = 0;
    int m_nextWordIndex = 0;
    bool m_onStage = false;
    std::optional<SentenceTable> m_sentences; // read on first need
};

} // namespace quibo
