// Text field: the length cut of insertions (ASCII, CJK and a mixed text that
// must not be cut inside a character), refusal at the limit with the event
// still reported, line feeds, the once-per-frame event poll, password masks,
// and the keyboard opened by a touch through a real UI layer.
#include "gui/GuiTestSupport.h"

#include "gui/widgets/UITextField.h"
#include "text/CCIMEDispatcher.h"
#include "text/ccUTF8.h"

#include <gtest/gtest.h>

#include <cstring>

namespace cc {
namespace {

// "中", "文", "字": three bytes each.
const char* const kZhong = "\xE4\xB8\xAD";
const char* const kWen = "\xE6\x96\x87";
const char* const kZi = "\xE5\xAD\x97";

struct FieldLog : CCObject {
    std::vector<std::string> events;
    void onAttach(CCObject*) { events.push_back("attach"); }
    void onDetach(CCObject*) { events.push_back("detach"); }
    void onInsert(CCObject*) { events.push_back("insert"); }
    void onDelete(CCObject*) { events.push_back("delete"); }
    void onEvent(CCObject*, TextFieldEventKind kind) { events.push_back("kind:" + std::to_string(kind)); }
    void listenTo(UITextField* field)
    {
        field->setAttachListener(this, callfuncO_selector(FieldLog::onAttach));
        field->setDetachListener(this, callfuncO_selector(FieldLog::onDetach));
        field->setInsertListener(this, callfuncO_selector(FieldLog::onInsert));
        field->setDeleteListener(this, callfuncO_selector(FieldLog::onDelete));
        field->setTextFieldListener(this, textfieldeventselector(FieldLog::onEvent));
    }
};

// A text field on a running UI layer, attached to the keyboard by a tap.
struct TypingStage {
    guitest::Stage stage;
    UITextField* field = UITextField::create();
    FieldLog log;
    TypingStage()
    {
        field->setTouchEnabled(true);
        field->setPosition(CCPoint(320, 480));
        log.listenTo(field);
        stage.root()->addChild(field);
        stage.driver->tap(CCPoint(320, 480));
        log.events.clear();
    }
    UICCTextField* renderer() const { return field->getTextFieldRenderer(); }
    void type(const std::string& text) { CCIMEDispatcher::sharedDispatcher()->dispatchInsertText(text.c_str(), static_cast<int>(text.size())); }
    void backspace() { CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward(); }
    std::string text() const { return field->getStringValue(); }
};

TEST(TextField, ATouchOpensTheKeyboardAndEventsArriveOnTheNextFrame)
{
    guitest::Stage stage;
    UITextField* field = UITextField::create();
    ASSERT_NE(nullptr, field);
    EXPECT_STREQ("TextField", field->getTypeName());
    EXPECT_EQ(field->getTextFieldRenderer(), field->getRenderNode());
    EXPECT_TRUE(field->isUpdateEnabled());
    EXPECT_STREQ("input words here", field->getTextFieldRenderer()->getPlaceHolder());
    FieldLog log;
    log.listenTo(field);
    guitest::EventLog touches;
    touches.listenTo(field);
    field->setName("field");
    field->setTouchEnabled(true);
    field->setPosition(CCPoint(320, 480));
    ASSERT_TRUE(stage.root()->addChild(field));
    // Follows its text: the placeholder's size.
    EXPECT_TRUE(field->getSize().equals(field->getTextFieldRenderer()->getContentSize()));
    EXPECT_GT(field->getSize().width, 0);

    CCIMEDispatcher* ime = CCIMEDispatcher::sharedDispatcher();
    // The window starts and stops its text input when told by the dispatcher.
    std::vector<bool> windowInput;
    ime->setTextInputListener([&windowInput](bool on) { windowInput.push_back(on); });
    stage.driver->touchDown(CCPoint(320, 480));
    // Attached at once, but nobody hears of it inside the touch handling.
    EXPECT_EQ(field->getTextFieldRenderer(), ime->attachedDelegate());
    EXPECT_TRUE(log.events.empty());
    stage.driver->step();
    EXPECT_EQ((std::vector<std::string>{"attach", "kind:0"}), log.events);
    stage.driver->touchUp(CCPoint(320, 480));
    stage.driver->step();
    EXPECT_EQ((std::vector<std::string>{"field:began", "field:ended"}), touches.events);

    // Events of one frame come together, in the fixed order, each once.
    log.events.clear();
    const float widthBefore = field->getSize().width;
    ime->dispatchInsertText("ab", 2);
    ime->dispatchInsertText("c", 1);
    ime->dispatchDeleteBackward();
    ime->dispatchInsertText("\n", 1);
    EXPECT_FALSE(ime->hasAttachedDelegate());
    EXPECT_EQ((std::vector<bool>{true, false}), windowInput);
    ime->setTextInputListener(nullptr);
    EXPECT_TRUE(log.events.empty());
    stage.driver->step();
    EXPECT_EQ((std::vector<std::string>{"detach", "kind:1", "insert", "kind:2", "delete", "kind:3"}), log.events);
    EXPECT_STREQ("ab", field->getStringValue());
    // Fitted to the new text on the insert event.
    EXPECT_TRUE(field->getSize().equals(field->getTextFieldRenderer()->getContentSize()));
    EXPECT_NE(widthBefore, field->getSize().width);
    log.events.clear();
    stage.driver->step();
    EXPECT_TRUE(log.events.empty());

    // Opened again and closed by detachKeyboard.
    stage.driver->tap(CCPoint(320, 480));
    field->detachKeyboard();
    EXPECT_FALSE(ime->hasAttachedDelegate());
    stage.driver->step();
    EXPECT_EQ((std::vector<std::string>{"attach", "kind:0", "detach", "kind:1"}), log.events);
}

TEST(TextField, InsertionsAreCutToTheLimitWithoutSplittingCharacters)
{
    TypingStage t;
    t.field->setMaxLengthEnabled(true);
    t.field->setMaxLength(5);
    t.type("abcdefgh");
    EXPECT_EQ("abcde", t.text());

    // Three bytes per character when the text starts with a multi-byte one.
    t.field->setText("");
    t.field->setMaxLength(2);
    t.type(std::string(kZhong) + kWen + kZi);
    EXPECT_EQ(std::string(kZhong) + kWen, t.text());

    // One CJK character, a letter and another: six bytes would end inside
    // the second CJK character, so that character is dropped whole.
    t.field->setText("");
    t.type(std::string(kZhong) + "a" + kWen);
    EXPECT_EQ(std::string(kZhong) + "a", t.text());
    EXPECT_TRUE(utf8::isValid(t.text()));
    EXPECT_EQ(2, t.renderer()->getCharCount());

    // A shorter insertion is taken whole (and only it): the byte rule cuts
    // to the limit, not to the room left, and never reads past the text.
    t.field->setText("abcd");
    t.field->setMaxLength(5);
    t.type("xy");
    EXPECT_EQ("abcdxy", t.text());

    // Without the limit everything goes in.
    t.field->setMaxLengthEnabled(false);
    t.type("0123456789");
    EXPECT_EQ("abcdxy0123456789", t.text());

    // A negative limit counts as 0: nothing goes in.
    t.field->setText("");
    t.field->setMaxLengthEnabled(true);
    t.field->setMaxLength(-4);
    EXPECT_EQ(0, t.renderer()->getMaxLength());
    t.type("abc");
    EXPECT_EQ("", t.text());
}

TEST(TextField, AFullFieldRefusesButStillReportsTheInsertion)
{
    TypingStage t;
    t.field->setMaxLengthEnabled(true);
    t.field->setMaxLength(3);
    t.type("abc");
    t.stage.driver->step();
    t.log.events.clear();
    t.type("d");
    t.type(kZhong);
    EXPECT_EQ("abc", t.text());
    t.stage.driver->step();
    EXPECT_EQ((std::vector<std::string>{"insert", "kind:2"}), t.log.events);

    // A line feed is never refused, is no insertion, and closes input.
    t.log.events.clear();
    t.type("\n");
    t.stage.driver->step();
    EXPECT_EQ((std::vector<std::string>{"detach", "kind:1"}), t.log.events);
    EXPECT_EQ("abc", t.text());
}

TEST(TextField, PasswordMasksOneMarkPerByte)
{
    TypingStage t;
    t.field->setPasswordEnabled(true);
    t.type("ab");
    EXPECT_STREQ("**", t.renderer()->getShownText());
    EXPECT_EQ("ab", t.text());
    t.type(kZhong);
    EXPECT_STREQ("*****", t.renderer()->getShownText());
    t.backspace();
    EXPECT_STREQ("**", t.renderer()->getShownText());

    // Only one printable, non-space character is a style text.
    for (const char* refused : {"##", " ", "", "\t"}) t.field->setPasswordStyleText(refused);
    t.field->setPasswordStyleText(nullptr);
    EXPECT_STREQ("*", t.renderer()->getPasswordStyleText());
    t.field->setPasswordStyleText("#");
    t.type("c");
    EXPECT_STREQ("###", t.renderer()->getShownText());

    // Emptied, the placeholder shows unmasked.
    for (int i = 0; i < 3; ++i) t.backspace();
    EXPECT_EQ("", t.text());
    EXPECT_STREQ("input words here", t.renderer()->getShownText());
    t.field->setText("x");
    EXPECT_STREQ("x", t.renderer()->getShownText());
}

TEST(TextField, SettingsReachTheRendererAndFitting)
{
    FrameDriver driver;
    UITextField* field = UITextField::create();
    UICCTextField* renderer = field->getTextFieldRenderer();
    field->setText(nullptr);
    EXPECT_STREQ("", field->getStringValue());
    field->setPlaceHolder("name");
    EXPECT_STREQ("name", renderer->getShownText());
    field->setFontSize(30);
    EXPECT_FLOAT_EQ(30.0f, renderer->getFontSize());
    field->setFontName("Sans");
    EXPECT_STREQ("Sans", renderer->getFontName());
    EXPECT_TRUE(field->getSize().equals(renderer->getContentSize()));
    field->setAnchorPoint(CCPoint(0, 1));
    EXPECT_TRUE(renderer->getAnchorPoint().equals(CCPoint(0, 1)));
    field->setColor(ccc3(1, 2, 3));
    EXPECT_EQ(3, renderer->getColor().b);
    field->setOpacity(100);
    EXPECT_EQ(100, renderer->getOpacity());

    // A custom size stretches the renderer over its content size.
    const CCSize content = renderer->getContentSize();
    field->setIgnoreSize(false);
    field->setSize(CCSize(content.width * 2, content.height / 2));
    EXPECT_FLOAT_EQ(2.0f, renderer->getScaleX());
    EXPECT_FLOAT_EQ(0.5f, renderer->getScaleY());
    field->setIgnoreSize(true);
    EXPECT_FLOAT_EQ(1.0f, renderer->getScaleX());
}

} // namespace
} // namespace cc
