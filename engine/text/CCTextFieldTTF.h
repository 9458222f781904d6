// A TrueType label that takes keyboard input: it keeps the entered text
// apart from what it shows (its placeholder while empty), asks its delegate
// before attaching, detaching, inserting and deleting, and closes input on a
// line feed. Keyboard routing is the IME dispatcher's.
#pragma once

#include "text/CCIMEDispatcher.h"
#include "text/CCLabelTTF.h"

#include <string>

namespace cc {

class CCTextFieldTTF;

// Each question answers true to refuse.
class CCTextFieldDelegate {
public:
    virtual ~CCTextFieldDelegate() = default;
    virtual bool onTextFieldAttachWithIME(CCTextFieldTTF* sender) { return false; }
    virtual bool onTextFieldDetachWithIME(CCTextFieldTTF* sender) { return false; }
    virtual bool onTextFieldInsertText(CCTextFieldTTF* sender, const char* text, int len) { return false; }
    virtual bool onTextFieldDeleteBackward(CCTextFieldTTF* sender, const char* delText, int len) { return false; }
    // True when the delegate drew the field itself.
    virtual bool onDraw(CCTextFieldTTF* sender) { return false; }
};

class CCTextFieldTTF : public CCLabelTTF, public CCIMEDelegate {
public:
    static CCTextFieldTTF* textFieldWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize);
    static CCTextFieldTTF* textFieldWithPlaceHolder(const char* placeholder, const CCSize& dimensions,
                                                    CCTextAlignment alignment, const char* fontName, float fontSize);
    CCTextFieldTTF();
    ~CCTextFieldTTF() override;

    bool initWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize);
    bool initWithPlaceHolder(const char* placeholder, const CCSize& dimensions, CCTextAlignment alignment,
                             const char* fontName, float fontSize);

    // The entered text (not the placeholder).
    void setString(const char* text) override;
    const char* getString() const override { return m_inputText.c_str(); }
    void setPlaceHolder(const char* text);
    const char* getPlaceHolder() const { return m_placeHolder.c_str(); }
    void setColorSpaceHolder(const ccColor3B& color)
    {
        m_colorSpaceHolder = color;
        markForRedraw();
    }
    const ccColor3B& getColorSpaceHolder() const { return m_colorSpaceHolder; }
    // Characters (UTF-8 sequences) of the entered text.
    int getCharCount() const { return m_nCharCount; }

    void setDelegate(CCTextFieldDelegate* delegate) { m_pDelegate = delegate; }
    CCTextFieldDelegate* getDelegate() const { return m_pDelegate; }

    bool attachWithIME() override;
    bool detachWithIME() override;
    // Appends text up to a line feed; a line feed then closes input.
    void insertText(const char* text, int len) override;
    // Removes the last whole character.
    void deleteBackward() override;
    const char* getContentText() override { return m_inputText.c_str(); }

    void draw() override;

protected:
    bool canAttachWithIME() override;
    bool canDetachWithIME() override;
    void didAttachWithIME() override {}
    void didDetachWithIME() override {}
    // Shows the placeholder or the entered text.
    void refreshShown();

    std::string m_inputText;
    std::string m_placeHolder;
    int m_nCharCount = 0;
    CCTextFieldDelegate* m_pDelegate = nullptr; // not retained
    ccColor3B m_colorSpaceHolder = {127, 127, 127};
};

} // namespace cc
