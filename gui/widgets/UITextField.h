// The text field: UICCTextField is the engine's TrueType text field with a
// length limit, password masking and four event flags; UITextField is the
// widget around it that opens the keyboard on a touch and turns the flags
// into listener calls once per frame, so listeners never run inside the
// keyboard handling. Keyboard routing itself is the engine's IME dispatcher's.
#pragma once

#include "gui/UIWidget.h"
#include "text/CCTextFieldTTF.h"

#include <string>

namespace cc {

class UICCTextField : public CCTextFieldTTF, public CCTextFieldDelegate {
public:
    // An empty field showing the placeholder, or null when the font cannot be set up.
    static UICCTextField* create(const char* placeholder, const char* fontName, float fontSize);
    UICCTextField();
    ~UICCTextField() override;

    // Only makes this object its own text-field delegate.
    void onEnter() override;

    // ---- Keyboard side (called by the IME dispatcher)
    // Cuts an over-long insertion to maxLength characters' worth of bytes
    // (three per character when the text starts with a multi-byte one),
    // never inside a character, then masks the shown text when asked to.
    void insertText(const char* text, int len) override;
    void deleteBackward() override;

    // ---- Delegate side: each sets its flag; answers true to refuse.
    bool onTextFieldAttachWithIME(CCTextFieldTTF* sender) override;
    bool onTextFieldDetachWithIME(CCTextFieldTTF* sender) override;
    bool onTextFieldInsertText(CCTextFieldTTF* sender, const char* text, int len) override;
    bool onTextFieldDeleteBackward(CCTextFieldTTF* sender, const char* delText, int len) override;

    // ---- Settings
    void setMaxLengthEnabled(bool enabled) { m_maxLengthEnabled = enabled; }
    bool isMaxLengthEnabled() const { return m_maxLengthEnabled; }
    // A negative limit counts as 0.
    void setMaxLength(int length);
    int getMaxLength() const { return m_maxLength; }
    void setPasswordEnabled(bool enabled) { m_passwordEnabled = enabled; }
    bool isPasswordEnabled() const { return m_passwordEnabled; }
    // Taken only when it is one printable, non-space ASCII character.
    void setPasswordStyleText(const char* styleText);
    const char* getPasswordStyleText() const { return m_passwordStyleText.c_str(); }
    // What the label shows (the mask, the placeholder or the text itself).
    const char* getShownText() const { return CCLabelTTF::getString(); }

    // ---- Event flags, read and cleared by the widget's per-frame poll
    bool getAttachWithIME() const { return m_attachFlag; }
    void setAttachWithIME(bool flag) { m_attachFlag = flag; }
    bool getDetachWithIME() const { return m_detachFlag; }
    void setDetachWithIME(bool flag) { m_detachFlag = flag; }
    bool getInsertText() const { return m_insertFlag; }
    void setInsertText(bool flag) { m_insertFlag = flag; }
    bool getDeleteBackward() const { return m_deleteFlag; }
    void setDeleteBackward(bool flag) { m_deleteFlag = flag; }

private:
    // The shown string becomes the style text once per byte of the entered text.
    void showMasked();

    bool m_maxLengthEnabled = false;
    int m_maxLength = 0;
    bool m_passwordEnabled = false;
    std::string m_passwordStyleText = "*";
    bool m_attachFlag = false;
    bool m_detachFlag = false;
    bool m_insertFlag = false;
    bool m_deleteFlag = false;
};

enum TextFieldEventKind {
    TEXTFIELD_EVENT_ATTACH_WITH_IME = 0,
    TEXTFIELD_EVENT_DETACH_WITH_IME = 1,
    TEXTFIELD_EVENT_INSERT_TEXT = 2,
    TEXTFIELD_EVENT_DELETE_BACKWARD = 3,
};

// Called on the target with (sender, kind).
typedef void (CCObject::*TextFieldEventSelector)(CCObject* sender, TextFieldEventKind kind);
#define textfieldeventselector(_SELECTOR) static_cast<cc::TextFieldEventSelector>(&_SELECTOR)

class UITextField : public UIWidget {
public:
    static UITextField* create();
    UITextField();

    // ---- Overrides of the widget base, in its slot order
    ~UITextField() override;
    // Once per frame: the events since the last frame, attach, detach,
    // insert, delete, each at most once.
    void update(float dt) override;
    void setAnchorPoint(const CCPoint& anchor) override;
    void setColor(const ccColor3B& color) override;
    void setOpacity(GLubyte opacity) override;
    // The base's touch-down, then the keyboard is asked for.
    void onTouchBegan(const CCPoint& worldPoint) override;
    // The text field renderer.
    CCNode* getRenderNode() override;
    const CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    bool init() override;
    void createRenderNode() override;
    // Gives the keyboard back.
    virtual void detachKeyboard();

    // ---- Text and font (each fits the widget to the new text)
    void setText(const char* text);
    const char* getStringValue() const;
    void setPlaceHolder(const char* text);
    void setFontSize(int size);
    void setFontName(const char* name);

    // ---- Settings, kept by the renderer
    void setMaxLengthEnabled(bool enabled);
    void setMaxLength(int length);
    void setPasswordEnabled(bool enabled);
    void setPasswordStyleText(const char* styleText);

    // ---- Listeners (targets are not retained)
    void setTextFieldListener(CCObject* target, TextFieldEventSelector selector);
    void setAttachListener(CCObject* target, SEL_CallFuncO selector);
    void setDetachListener(CCObject* target, SEL_CallFuncO selector);
    void setInsertListener(CCObject* target, SEL_CallFuncO selector);
    void setDeleteListener(CCObject* target, SEL_CallFuncO selector);

    UICCTextField* getTextFieldRenderer() const { return m_textFieldRenderer; }

private:
    void fitRenderer();
    void tell(CCObject* target, SEL_CallFuncO selector, TextFieldEventKind kind);

    UICCTextField* m_textFieldRenderer = nullptr; // owned by the render node
    // Listeners' targets (the *Target members) are not retained: whoever sets
    // a listener keeps its target alive while this widget can call it.
    CCObject* m_textFieldTarget = nullptr;
    TextFieldEventSelector m_textFieldSelector = nullptr;
    CCObject* m_attachTarget = nullptr;
    CCObject* m_detachTarget = nullptr;
    CCObject* m_insertTarget = nullptr;
    CCObject* m_deleteTarget = nullptr;
    SEL_CallFuncO m_attachSelector = nullptr;
    SEL_CallFuncO m_detachSelector = nullptr;
    SEL_CallFuncO m_insertSelector = nullptr;
    SEL_CallFuncO m_deleteSelector = nullptr;
};

} // namespace cc
