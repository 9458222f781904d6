// Text field editing through the input-method dispatcher, and delegate refusals.
#include "text/CCIMEDispatcher.h"
#include "text/CCTextFieldTTF.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace cc;

namespace {
class RecordingDelegate : public CCTextFieldDelegate {
public:
    std::vector<std::string> calls;
    bool refuseAttach = false, refuseInsert = false, refuseDelete = false, keepOpenOnReturn = false;

    bool onTextFieldAttachWithIME(CCTextFieldTTF*) override { calls.push_back("attach"); return refuseAttach; }
    bool onTextFieldDetachWithIME(CCTextFieldTTF*) override { calls.push_back("detach"); return false; }
    bool onTextFieldInsertText(CCTextFieldTTF*, const char* text, int len) override
    {
        const std::string s(text, static_cast<size_t>(len));
        calls.push_back("insert:" + s);
        return s == "\n" ? keepOpenOnReturn : refuseInsert;
    }
    bool onTextFieldDeleteBackward(CCTextFieldTTF*, const char* text, int len) override
    {
        calls.push_back("delete:" + std::string(text, static_cast<size_t>(len)));
        return refuseDelete;
    }
};

void type(const char* text) { CCIMEDispatcher::sharedDispatcher()->dispatchInsertText(text, static_cast<int>(strlen(text))); }
} // namespace

TEST(TextField, InsertAndDeleteWholeCharacters)
{
    CCTextFieldTTF* field = CCTextFieldTTF::textFieldWithPlaceHolder("type here", "Arial", 20);
    ASSERT_NE(field, nullptr);
    field->retain();
    EXPECT_STREQ(field->getString(), "");
    EXPECT_STREQ(field->getPlaceHolder(), "type here");
    const float placeholderWidth = field->getContentSize().width;
    EXPECT_GT(placeholderWidth, 0); // the placeholder shows while empty

    std::vector<bool> windowTold;
    CCIMEDispatcher::sharedDispatcher()->setTextInputListener([&](bool on) { windowTold.push_back(on); });
    ASSERT_TRUE(field->attachWithIME());
    EXPECT_EQ(CCIMEDispatcher::sharedDispatcher()->attachedDelegate(), field);

    type("ab");
    type("\xE4\xBD\xA0"); // one three-byte character
    EXPECT_STREQ(field->getString(), "ab\xE4\xBD\xA0");
    EXPECT_EQ(field->getCharCount(), 3);
    EXPECT_STREQ(CCIMEDispatcher::sharedDispatcher()->getContentText(), "ab\xE4\xBD\xA0");

    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
    EXPECT_STREQ(field->getString(), "ab");
    EXPECT_EQ(field->getCharCount(), 2);
    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward(); // nothing left: harmless
    EXPECT_EQ(field->getCharCount(), 0);
    EXPECT_FLOAT_EQ(field->getContentSize().width, placeholderWidth);

    // Text before a line feed is kept; the line feed closes input.
    type("ok\n");
    EXPECT_STREQ(field->getString(), "ok");
    EXPECT_FALSE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
    type("lost");
    EXPECT_STREQ(field->getString(), "ok");
    EXPECT_EQ(windowTold, (std::vector<bool>{true, false}));

    field->setString("\xE4\xBD\xA0\xE5\xA5\xBD");
    EXPECT_EQ(field->getCharCount(), 2);
    CCIMEDispatcher::sharedDispatcher()->setTextInputListener(nullptr);
    field->release();
}

TEST(TextField, DelegateIsAskedAndCanRefuse)
{
    CCTextFieldTTF* field = CCTextFieldTTF::textFieldWithPlaceHolder("", "Arial", 20);
    field->retain();
    RecordingDelegate delegate;
    field->setDelegate(&delegate);

    delegate.refuseAttach = true;
    EXPECT_FALSE(field->attachWithIME());
    EXPECT_FALSE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
    delegate.refuseAttach = false;
    ASSERT_TRUE(field->attachWithIME());

    type("xy");
    delegate.refuseInsert = true;
    type("z");
    EXPECT_STREQ(field->getString(), "xy");
    delegate.refuseInsert = false;

    delegate.refuseDelete = true;
    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
    EXPECT_STREQ(field->getString(), "xy");
    delegate.refuseDelete = false;
    CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward();
    EXPECT_STREQ(field->getString(), "x");

    delegate.keepOpenOnReturn = true;
    type("\n");
    EXPECT_TRUE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
    delegate.keepOpenOnReturn = false;
    type("\n");
    EXPECT_FALSE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());

    const std::vector<std::string> expected = {"attach", "attach", "insert:xy", "insert:z", "delete:y",
                                               "delete:y", "insert:\n", "insert:\n", "detach"};
    EXPECT_EQ(delegate.calls, expected);
    field->release();
}

TEST(TextField, DestroyedFieldLeavesTheKeyboard)
{
    CCTextFieldTTF* field = CCTextFieldTTF::textFieldWithPlaceHolder("p", "Arial", 20);
    field->retain();
    ASSERT_TRUE(field->attachWithIME());
    CCTextFieldTTF* other = new CCTextFieldTTF(); // owned here alone, so release destroys it
    ASSERT_TRUE(other->initWithPlaceHolder("q", "Arial", 20));
    // Switching receivers asks both and moves the keyboard.
    EXPECT_TRUE(other->attachWithIME());
    EXPECT_EQ(CCIMEDispatcher::sharedDispatcher()->attachedDelegate(), other);
    other->release();
    EXPECT_FALSE(CCIMEDispatcher::sharedDispatcher()->hasAttachedDelegate());
    type("nobody listens");
    EXPECT_STREQ(field->getString(), "");
    field->release();
}
