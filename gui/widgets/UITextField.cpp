// The text field: the engine text field's length cut, masking and event
// flags (UICCTextField), and the widget that polls the flags every frame
// and fits itself to the text (UITextField).
#include "gui/widgets/UITextField.h"

#include "gui/GUIRenderer.h"
#include "gui/widgets/TextureLoad.h"
#include "scene/CCNodeRGBA.h"
#include "text/ccUTF8.h"

#include <cstring>

namespace cc {

namespace {
// How the limit is counted in bytes: a text that starts with a multi-byte
// character is taken to be made of three-byte characters.
const int kMultiByteFactor = 3;
const unsigned char kFirstMultiByteLead = 128;
// Password style texts are single printable ASCII characters, space excluded.
const char kFirstStyleChar = 33, kLastStyleChar = 126;
// What a field made by the widget shows and draws with.
const char* const kPlaceHolder = "input words here";
const char* const kFontName = "Thonburi";
const float kFontSize = 20.0f;

// The longest prefix of text within limit bytes that ends on a character
// boundary: a cut never leaves half a character behind.
size_t wholeCharsWithin(const std::string& text, size_t limit)
{
    size_t at = 0;
    while (at < text.size()) {
        const size_t next = at + utf8::charLength(text, at);
        if (next > limit) break;
        at = next;
    }
    return at;
}
} // namespace

// ---- UICCTextField ---------------------------------------------------------------

UICCTextField* UICCTextField::create(const char* placeholder, const char* fontName, float fontSize)
{
    UICCTextField* field = new UICCTextField();
    if (!field->initWithString("", fontName, fontSize)) {
        delete field;
        return nullptr;
    }
    field->autorelease();
    field->setPlaceHolder(placeholder);
    return field;
}

UICCTextField::UICCTextField() {}

UICCTextField::~UICCTextField() {}

void UICCTextField::onEnter() { setDelegate(this); }

void UICCTextField::setMaxLength(int length) { m_maxLength = length < 0 ? 0 : length; }

void UICCTextField::setPasswordStyleText(const char* styleText)
{
    if (!styleText || std::strlen(styleText) != 1) return;
    const char c = styleText[0];
    if (c < kFirstStyleChar || c > kLastStyleChar) return;
    m_passwordStyleText = styleText;
}

void UICCTextField::insertText(const char* text, int len)
{
    if (!text || len <= 0) return;
    std::string input(text, static_cast<size_t>(len));
    if (input != "\n" && m_maxLengthEnabled) {
        const int multiple = static_cast<unsigned char>(input[0]) >= kFirstMultiByteLead ? kMultiByteFactor : 1;
        const size_t limit = static_cast<size_t>(m_maxLength) * multiple;
        if (std::strlen(getString()) + input.size() > limit) {
            // The cut is to the limit in bytes of the inserted text (not to the
            // room left: refusing at the limit is the delegate's part), never
            // beyond the text and never inside a character.
            input.resize(wholeCharsWithin(input, limit < input.size() ? limit : input.size()));
        }
    }
    CCTextFieldTTF::insertText(input.c_str(), static_cast<int>(input.size()));
    if (m_passwordEnabled && getCharCount() > 0) showMasked();
}

void UICCTextField::deleteBackward()
{
    CCTextFieldTTF::deleteBackward();
    if (getCharCount() > 0 && m_passwordEnabled) showMasked();
}

void UICCTextField::showMasked()
{
    std::string masked;
    const size_t bytes = std::strlen(getString());
    masked.reserve(bytes * m_passwordStyleText.size());
    for (size_t i = 0; i < bytes; ++i) masked += m_passwordStyleText;
    CCLabelTTF::setString(masked.c_str());
}

bool UICCTextField::onTextFieldAttachWithIME(CCTextFieldTTF*)
{
    m_attachFlag = true;
    return false;
}

bool UICCTextField::onTextFieldDetachWithIME(CCTextFieldTTF*)
{
    m_detachFlag = true;
    return false;
}

bool UICCTextField::onTextFieldInsertText(CCTextFieldTTF*, const char* text, int len)
{
    // The line feed closes input; it is never refused and is no insertion.
    if (len == 1 && text && text[0] == '\n') return false;
    m_insertFlag = true;
    return m_maxLengthEnabled && getCharCount() >= m_maxLength;
}

bool UICCTextField::onTextFieldDeleteBackward(CCTextFieldTTF*, const char*, int)
{
    m_deleteFlag = true;
    return false;
}

// ---- UITextField -------------------------------------------------------------------

UITextField* UITextField::create()
{
    UITextField* field = new UITextField();
    return autoreleasedOrNull(field, field->init());
}

UITextField::UITextField() {}

UITextField::~UITextField() {}

const char* UITextField::getTypeName() { return "TextField"; }

void UITextField::createRenderNode()
{
    m_pRenderNode.reset(GUIRenderer::create());
    m_textFieldRenderer = UICCTextField::create(kPlaceHolder, kFontName, kFontSize);
    if (!m_textFieldRenderer) {
        // No render node: the base's init reports it and the widget is not made.
        m_pRenderNode = nullptr;
        return;
    }
    m_pRenderNode->addChild(m_textFieldRenderer);
}

bool UITextField::init()
{
    if (!UIWidget::init()) return false;
    setUpdateEnabled(true);
    return true;
}

void UITextField::update(float)
{
    UICCTextField* field = m_textFieldRenderer;
    if (field->getAttachWithIME()) {
        tell(m_attachTarget, m_attachSelector, TEXTFIELD_EVENT_ATTACH_WITH_IME);
        field->setAttachWithIME(false);
    }
    if (field->getDetachWithIME()) {
        tell(m_detachTarget, m_detachSelector, TEXTFIELD_EVENT_DETACH_WITH_IME);
        field->setDetachWithIME(false);
    }
    if (field->getInsertText()) {
        tell(m_insertTarget, m_insertSelector, TEXTFIELD_EVENT_INSERT_TEXT);
        field->setInsertText(false);
        fitRenderer();
    }
    if (field->getDeleteBackward()) {
        tell(m_deleteTarget, m_deleteSelector, TEXTFIELD_EVENT_DELETE_BACKWARD);
        field->setDeleteBackward(false);
    }
}

void UITextField::tell(CCObject* target, SEL_CallFuncO selector, TextFieldEventKind kind)
{
    if (target && selector) (target->*selector)(this);
    if (m_textFieldTarget && m_textFieldSelector) (m_textFieldTarget->*m_textFieldSelector)(this, kind);
}

void UITextField::onTouchBegan(const CCPoint& p)
{
    UIWidget::onTouchBegan(p);
    m_textFieldRenderer->attachWithIME();
}

void UITextField::detachKeyboard() { m_textFieldRenderer->detachWithIME(); }

// ---- Text and settings -----------------------------------------------------------------

void UITextField::setText(const char* text)
{
    if (!text) return;
    m_textFieldRenderer->setString(text);
    fitRenderer();
}

const char* UITextField::getStringValue() const { return m_textFieldRenderer->getString(); }

void UITextField::setPlaceHolder(const char* text)
{
    m_textFieldRenderer->setPlaceHolder(text);
    fitRenderer();
}

void UITextField::setFontSize(int size)
{
    m_textFieldRenderer->setFontSize(static_cast<float>(size));
    fitRenderer();
}

void UITextField::setFontName(const char* name)
{
    if (!name) return;
    m_textFieldRenderer->setFontName(name);
    fitRenderer();
}

void UITextField::setMaxLengthEnabled(bool enabled) { m_textFieldRenderer->setMaxLengthEnabled(enabled); }
void UITextField::setMaxLength(int length) { m_textFieldRenderer->setMaxLength(length); }
void UITextField::setPasswordEnabled(bool enabled) { m_textFieldRenderer->setPasswordEnabled(enabled); }
void UITextField::setPasswordStyleText(const char* styleText)
{
    m_textFieldRenderer->setPasswordStyleText(styleText);
}

void UITextField::setTextFieldListener(CCObject* target, TextFieldEventSelector selector)
{
    m_textFieldTarget = target;
    m_textFieldSelector = selector;
}

void UITextField::setAttachListener(CCObject* target, SEL_CallFuncO selector)
{
    m_attachTarget = target;
    m_attachSelector = selector;
}

void UITextField::setDetachListener(CCObject* target, SEL_CallFuncO selector)
{
    m_detachTarget = target;
    m_detachSelector = selector;
}

void UITextField::setInsertListener(CCObject* target, SEL_CallFuncO selector)
{
    m_insertTarget = target;
    m_insertSelector = selector;
}

void UITextField::setDeleteListener(CCObject* target, SEL_CallFuncO selector)
{
    m_deleteTarget = target;
    m_deleteSelector = selector;
}

// ---- Node properties and fitting -------------------------------------------------------

void UITextField::setAnchorPoint(const CCPoint& anchor)
{
    UIWidget::setAnchorPoint(anchor);
    m_textFieldRenderer->setAnchorPoint(anchor);
}

void UITextField::setColor(const ccColor3B& color)
{
    UIWidget::setColor(color);
    m_textFieldRenderer->setColor(color);
}

void UITextField::setOpacity(GLubyte opacity)
{
    UIWidget::setOpacity(opacity);
    m_textFieldRenderer->setOpacity(opacity);
}

CCNode* UITextField::getRenderNode() { return m_textFieldRenderer; }

const CCSize& UITextField::getContentSize() { return m_textFieldRenderer->getContentSize(); }

void UITextField::onSizeChanged() { fitRenderer(); }

void UITextField::fitRenderer()
{
    if (m_bIgnoreSize) {
        m_textFieldRenderer->setScale(1.0f);
        m_size = m_textFieldRenderer->getContentSize();
        return;
    }
    textureload::scaleToSize(m_textFieldRenderer, m_textFieldRenderer->getContentSize(), m_size);
}

} // namespace cc
