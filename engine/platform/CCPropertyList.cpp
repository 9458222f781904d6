// Property-list files to and from CCDictionary, on libplist. Reading turns
// every scalar into text (CCString), which is how the book's readers take
// their values; writing keeps dictionaries, arrays and boxed values typed.
// Finding the file is left to CCFileUtils.
#include "base/CCArray.h"
#include "base/CCDictionary.h"
#include "base/CCLog.h"
#include "base/CCString.h"
#include "platform/CCFileUtils.h"
#include "platform/PropertyListNesting.h"

#include <plist/plist.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/stat.h>

namespace cc {

namespace {

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
const long long kPlistEpochOffset = 978307200LL;

std::string integerText(plist_t node)
{
    uint64_t v = 0;
    plist_get_uint_val(node, &v);
    // Negative integers are stored two's complement in the unsigned slot.
    return std::to_string(static_cast<int64_t>(v));
}

std::string realText(plist_t node)
{
    double v = 0;
    plist_get_real_val(node, &v);
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string dateText(plist_t node)
{
    int32_t sec = 0, usec = 0;
    plist_get_date_val(node, &sec, &usec);
    time_t t = static_cast<time_t>(sec + kPlistEpochOffset);
    struct tm parts;
    gmtime_r(&t, &parts);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return buf;
}

std::string base64(const unsigned char* data, uint64_t len)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (uint64_t i = 0; i < len; i += 3) {
        uint32_t n = static_cast<uint32_t>(data[i]) << 16;
        if (i + 1 < len) n |= static_cast<uint32_t>(data[i + 1]) << 8;
        if (i + 2 < len) n |= data[i + 2];
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += i + 1 < len ? kAlphabet[(n >> 6) & 63] : '=';
        out += i + 2 < len ? kAlphabet[n & 63] : '=';
    }
    return out;
}

std::string dataText(plist_t node)
{
    char* bytes = nullptr;
    uint64_t len = 0;
    plist_get_data_val(node, &bytes, &len);
    std::string out = bytes ? base64(reinterpret_cast<unsigned char*>(bytes), len) : std::string();
    free(bytes);
    return out;
}

// Read through the pointer with its length: libplist's copying getter
// asserts (and so aborts the process) on a string holding a NUL, which an
// XML entity or a binary list can put there. Text stops at the first NUL.
std::string stringText(plist_t node)
{
    uint64_t length = 0;
    const char* s = plist_get_string_ptr(node, &length);
    if (!s) {
        return std::string();
    }
    std::string out(s, static_cast<size_t>(length));
    const size_t nul = out.find('\0');
    if (nul != std::string::npos) {
        out.resize(nul);
    }
    return out;
}

// Deeper nesting than any book file needs is refused whole: the walk below
// recurses once per level.
const int kMaxNesting = static_cast<int>(kMaxPropertyListNesting);

struct Walk {
    int depth = 0;
    bool tooDeep = false;
};

CCObject* fromNode(plist_t node, Walk& walk);

CCDictionary* dictFromNode(plist_t node, Walk& walk)
{
    CCDictionary* dict = CCDictionary::create();
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(node, &it);
    while (it) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(node, it, &key, &value);
        if (!value) {
            free(key);
            break;
        }
        CCObject* obj = fromNode(value, walk);
        if (obj) {
            dict->setObject(obj, std::string(key ? key : ""));
        }
        free(key);
    }
    free(it);
    return dict;
}

CCArray* arrayFromNode(plist_t node, Walk& walk)
{
    CCArray* array = CCArray::create();
    uint32_t n = plist_array_get_size(node);
    for (uint32_t i = 0; i < n; ++i) {
        CCObject* obj = fromNode(plist_array_get_item(node, i), walk);
        if (obj) {
            array->addObject(obj);
        }
    }
    return array;
}

// Autoreleased engine object for one node; scalars become text.
CCObject* fromNode(plist_t node, Walk& walk)
{
    const plist_type type = plist_get_node_type(node);
    if (type == PLIST_DICT || type == PLIST_ARRAY) {
        if (walk.depth >= kMaxNesting) {
            walk.tooDeep = true;
            return nullptr;
        }
        ++walk.depth;
        CCObject* container = type == PLIST_DICT ? static_cast<CCObject*>(dictFromNode(node, walk))
                                                 : static_cast<CCObject*>(arrayFromNode(node, walk));
        --walk.depth;
        return container;
    }
    switch (type) {
    case PLIST_STRING: return CCString::create(stringText(node));
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return CCString::create(b ? "true" : "false");
    }
    case PLIST_UINT: return CCString::create(integerText(node));
    case PLIST_REAL: return CCString::create(realText(node));
    case PLIST_DATE: return CCString::create(dateText(node));
    case PLIST_DATA: return CCString::create(dataText(node));
    case PLIST_UID: {
        uint64_t v = 0;
        plist_get_uid_val(node, &v);
        return CCString::create(std::to_string(v));
    }
    default: return nullptr;
    }
}

plist_t toNode(CCObject* obj);

plist_t dictToNode(CCDictionary* dict)
{
    plist_t node = plist_new_dict();
    for (const CCDictionary::Entry& e : dict->entries()) {
        plist_t value = toNode(e.object);
        if (!value) {
            plist_free(node);
            return nullptr;
        }
        std::string key = dict->getKeyType() == CCDictionary::kKeyTypeInt ? std::to_string(e.intKey) : e.strKey;
        plist_dict_set_item(node, key.c_str(), value);
    }
    return node;
}

// A new libplist node for a dictionary value, or null for a kind of object
// a property list cannot hold.
plist_t toNode(CCObject* obj)
{
    if (auto* d = dynamic_cast<CCDictionary*>(obj)) {
        return dictToNode(d);
    }
    if (auto* a = dynamic_cast<CCArray*>(obj)) {
        plist_t node = plist_new_array();
        for (CCObject* item : *a) {
            plist_t value = toNode(item);
            if (!value) {
                plist_free(node);
                return nullptr;
            }
            plist_array_append_item(node, value);
        }
        return node;
    }
    if (auto* s = dynamic_cast<CCString*>(obj)) {
        return plist_new_string(s->getCString());
    }
    if (auto* i = dynamic_cast<CCInteger*>(obj)) {
        return plist_new_uint(static_cast<uint64_t>(static_cast<int64_t>(i->getValue())));
    }
    if (auto* f = dynamic_cast<CCFloat*>(obj)) {
        return plist_new_real(f->getValue());
    }
    if (auto* b = dynamic_cast<CCBool*>(obj)) {
        return plist_new_bool(b->getValue() ? 1 : 0);
    }
    return nullptr;
}

} // namespace

CCDictionary* CCDictionary::createWithContentsOfFile(const char* fileName)
{
    const char* name = fileName ? fileName : "(null)";
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    std::string fullPath = files->fullPathForFilename(fileName);
    struct stat st;
    if (fullPath.empty() || ::stat(fullPath.c_str(), &st) != 0) {
        CCLog("Property list %s: file not found", name);
        return nullptr;
    }
    std::string bytes;
    if (!files->readBookFile(fullPath, BookFileKind::PropertyList, bytes)) {
        return nullptr; // readBookFile has logged the name and the reason
    }
    if (bytes.empty()) {
        CCLog("Property list %s: file is empty", name);
        return nullptr;
    }
    // The root plus kMaxNesting levels below it; judged before libplist
    // parses (and later frees) the tree by recursion.
    if (!propertyListNestingWithin(bytes, kMaxNesting + 1)) {
        CCLog("Property list %s: nested deeper than %d levels; not read", name, kMaxNesting);
        return nullptr;
    }
    if (!propertyListKeysWithoutNul(bytes)) {
        CCLog("Property list %s: a dictionary key holds a NUL character; not read", name);
        return nullptr;
    }
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    if (!root) {
        CCLog("Property list %s: not a valid property list", name);
        return nullptr;
    }
    CCDictionary* dict = nullptr;
    if (plist_get_node_type(root) == PLIST_DICT) {
        Walk walk;
        dict = dictFromNode(root, walk);
        if (walk.tooDeep) {
            CCLog("Property list %s: nested deeper than %d levels; not read", name, kMaxNesting);
            dict = nullptr; // autoreleased: the pool drops what was built
        }
    } else {
        CCLog("Property list %s: root is not a dictionary", name);
    }
    plist_free(root);
    return dict;
}

bool CCDictionary::writeToFile(const char* fullPath)
{
    const char* name = fullPath ? fullPath : "(null)";
    if (!fullPath || !*fullPath) {
        CCLog("Property list %s: no file name to write to", name);
        return false;
    }
    plist_t root = dictToNode(this);
    if (!root) {
        CCLog("Property list %s: holds a value a property list cannot store", name);
        return false;
    }
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    plist_free(root);
    if (!xml) {
        CCLog("Property list %s: could not be encoded", name);
        return false;
    }
    FILE* f = std::fopen(fullPath, "wb");
    bool ok = f && std::fwrite(xml, 1, length, f) == length;
    if (f && std::fclose(f) != 0) {
        ok = false;
    }
    plist_to_xml_free(xml);
    if (!ok) {
        CCLog("Property list %s: could not be written", name);
    }
    return ok;
}

} // namespace cc
