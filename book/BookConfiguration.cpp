// The configuration reader: keys in a fixed order, text values converted by
// the leading-integer rule, and the "ispep" flag that only "true" raises.
#include "book/BookConfiguration.h"

#include "book/BookPaths.h"
#include "book/BookSettings.h"

#include "base/CCDictionary.h"
#include "base/CCLog.h"
#include "base/CCString.h"
#include "platform/CCFileUtils.h"

#include <cctype>
#include <climits>

namespace quibo {

using namespace cc;

int leadingInteger(const char* text)
{
    if (!text) {
        return 0;
    }
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p))) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Accumulate as a negative number so INT_MIN fits, and stop growing once
    // the value is past the range: the digits still count as consumed.
    long long value = 0;
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        if (value < limit) {
            value = value * 10 + (*p - '0');
        }
        ++p;
    }
    if (negative) {
        return value >= limit ? INT_MIN : static_cast<int>(-value);
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

namespace {

// The value text of a key, or null (with one log line) when it is absent.
const CCString* textOf(CCDictionary* dict, const char* key, const std::string& path)
{
    const CCString* text = dynamic_cast<const CCString*>(dict ? dict->objectForKey(key) : nullptr);
    if (dict && !text) {
        CCLog("readBookConfiguration: key \"%s\" missing in %s", key, path.c_str());
    }
    return text;
}

void readInteger(CCDictionary* dict, const char* key, const std::string& path, int& field)
{
    if (const CCString* text = textOf(dict, key, path)) {
        field = leadingInteger(text->getCString());
    }
}

} // namespace

bool readBookConfiguration()
{
    BookSettings& s = bookSettings();
    const std::string path = configurationPath();
    CCDictionary* dict = nullptr;
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    if (files->isPathPresent(path)) {
        // Present but perhaps no regular file or too large: the property-list
        // reader refuses it with its own line.
        dict = CCDictionary::createWithContentsOfFile(path.c_str());
    } else {
        CCLog("readBookConfiguration: configuration file %s missing", path.c_str());
    }

    if (const CCString* text = textOf(dict, "quiboSubName", path)) {
        s.subName = text->getCString();
    }
    const CCString* pageMinText = textOf(dict, "pageMin", path);
    if (pageMinText) {
        s.pageMin = leadingInteger(pageMinText->getCString());
    }
    readInteger(dict, "pageMax", path, s.pageMax);
    const CCString* wordMinText = textOf(dict, "wordMin", path);
    if (wordMinText) {
        s.wordMin = leadingInteger(wordMinText->getCString());
    }
    readInteger(dict, "wordMax", path, s.wordMax);
    if (const CCString* text = textOf(dict, "ispep", path)) {
        // Exactly "true" raises the flag; nothing here ever lowers it.
        if (std::string(text->getCString()) == "true") {
            s.ispep = true;
        }
    }
    readInteger(dict, "textsize", path, s.textsize);

    CCLog("-----------TestController----- %s -------------- !", s.subName.c_str());
    CCLog("-----------TestController----- %s ---------%d----- !", pageMinText ? pageMinText->getCString() : "",
          s.pageMin);
    CCLog("-----------TestController----- %s -------------- !", wordMinText ? wordMinText->getCString() : "");
    return dict != nullptr;
}

} // namespace quibo
