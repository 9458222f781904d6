// Text field editing. The placeholder is drawn in its own colour by
// swapping the label colour for the one draw, so the field's colour stays
// what the caller set.
#include "text/CCTextFieldTTF.h"

#include "text/ccUTF8.h"

namespace cc {

CCTextFieldTTF* CCTextFieldTTF::textFieldWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize)
{
    CCTextFieldTTF* field = new CCTextFieldTTF();
    if (field->initWithPlaceHolder(placeholder, fontName, fontSize)) {
        field->autorelease();
        return field;
    }
    delete field;
    return nullptr;
}

CCTextFieldTTF* CCTextFieldTTF::textFieldWithPlaceHolder(const char* placeholder, const CCSize& dimensions,
                                                         CCTextAlignment alignment, const char* fontName,
                                                         float fontSize)
{
    CCTextFieldTTF* field = new CCTextFieldTTF();
    if (field->initWithPlaceHolder(placeholder, dimensions, alignment, fontName, fontSize)) {
        field->autorelease();
        return field;
    }
    delete field;
    return nullptr;
}

CCTextFieldTTF::CCTextFieldTTF() = default;

CCTextFieldTTF::~CCTextFieldTTF() = default; // CCIMEDelegate's destructor unregisters

bool CCTextFieldTTF::initWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize)
{
    m_placeHolder = placeholder ? placeholder : "";
    return initWithString(m_placeHolder.c_str(), fontName, fontSize);
}

bool CCTextFieldTTF::initWithPlaceHolder(const char* placeholder, const CCSize& dimensions, CCTextAlignment alignment,
                                         const char* fontName, float fontSize)
{
    m_placeHolder = placeholder ? placeholder : "";
    return initWithString(m_placeHolder.c_str(), fontName, fontSize, dimensions, alignment);
}

void CCTextFieldTTF::refreshShown()
{
    CCLabelTTF::setString(m_inputText.empty() ? m_placeHolder.c_str() : m_inputText.c_str());
}

void CCTextFieldTTF::setString(const char* text)
{
    m_inputText = text ? text : "";
    m_nCharCount = static_cast<int>(cc_utf8_strlen(m_inputText.c_str()));
    refreshShown();
}

void CCTextFieldTTF::setPlaceHolder(const char* text)
{
    m_placeHolder = text ? text : "";
    if (m_inputText.empty()) refreshShown();
}

bool CCTextFieldTTF::attachWithIME()
{
    return CCIMEDelegate::attachWithIME();
}

bool CCTextFieldTTF::detachWithIME()
{
    return CCIMEDelegate::detachWithIME();
}

bool CCTextFieldTTF::canAttachWithIME()
{
    return !(m_pDelegate && m_pDelegate->onTextFieldAttachWithIME(this));
}

bool CCTextFieldTTF::canDetachWithIME()
{
    return !(m_pDelegate && m_pDelegate->onTextFieldDetachWithIME(this));
}

void CCTextFieldTTF::insertText(const char* text, int len)
{
    if (!text || len <= 0) return;
    const std::string input(text, static_cast<size_t>(len));
    const size_t lineFeed = input.find('\n');
    const std::string before = input.substr(0, lineFeed);
    if (!before.empty()) {
        if (m_pDelegate && m_pDelegate->onTextFieldInsertText(this, before.c_str(), static_cast<int>(before.size()))) {
            return; // refused
        }
        m_inputText += before;
        m_nCharCount = static_cast<int>(cc_utf8_strlen(m_inputText.c_str()));
        refreshShown();
    }
    if (lineFeed == std::string::npos) return;
    // The delegate may keep the line feed from closing input.
    if (m_pDelegate && m_pDelegate->onTextFieldInsertText(this, "\n", 1)) return;
    detachWithIME();
}

void CCTextFieldTTF::deleteBackward()
{
    if (m_inputText.empty()) return;
    const size_t n = utf8::lastCharLength(m_inputText);
    const size_t at = m_inputText.size() - n;
    if (m_pDelegate && m_pDelegate->onTextFieldDeleteBackward(this, m_inputText.c_str() + at, static_cast<int>(n))) {
        return; // refused
    }
    m_inputText.erase(at);
    m_nCharCount = static_cast<int>(cc_utf8_strlen(m_inputText.c_str()));
    refreshShown();
}

void CCTextFieldTTF::draw()
{
    if (m_pDelegate && m_pDelegate->onDraw(this)) return;
    if (!m_inputText.empty()) {
        CCLabelTTF::draw();
        return;
    }
    const ccColor3B own = getColor();
    setColor(m_colorSpaceHolder);
    CCLabelTTF::draw();
    setColor(own);
}

} // namespace cc
