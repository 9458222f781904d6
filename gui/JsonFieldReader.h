// JsonFieldReader: the typed accessors every layout-file member is read with.
// Each checks the member's JSON type before converting, so a mistyped or
// out-of-range value gives the default instead of a library exception.
// What the values mean is the layout reader's business.
#pragma once

#include <memory>
#include <optional>

#include <json/value.h>

namespace cc {

class JsonFieldReader {
public:
    // The process-wide instance, made on first use; purge destroys it.
    static JsonFieldReader* shareReader();
    static void purgeReader();

    // An integer from an integer, an unsigned, a real (truncated toward zero)
    // or a boolean (1/0); anything else, or a value outside 32 bits, gives def.
    int getIntValue(const Json::Value* object, const char* key, int def = 0) const;
    // A number from an integer, an unsigned, a real or a boolean.
    double getFloatValue(const Json::Value* object, const char* key, double def = 0.0) const;
    // Booleans only: a number such as 1 counts as absent.
    bool getBoolValue(const Json::Value* object, const char* key, bool def = false) const;
    // Strings only; null otherwise. Valid while the document lives.
    const char* getStringValue(const Json::Value* object, const char* key) const;

    // The same rules, telling "absent or of another type" apart from a value:
    // the options read "only if present" use these.
    std::optional<int> findInt(const Json::Value* object, const char* key) const;
    std::optional<double> findNumber(const Json::Value* object, const char* key) const;
    std::optional<bool> findBool(const Json::Value* object, const char* key) const;

    // An object member (a null or array member is taken as well), borrowed
    // from the document; null when absent or of another type.
    const Json::Value* getSubObject(const Json::Value* object, const char* key) const;
    // The same member as an owned copy the caller drops after use.
    std::unique_ptr<Json::Value> copySubObject(const Json::Value* object, const char* key) const;
    // An array's size, an object's member count, else 0.
    int getArrayCount(const Json::Value* object, const char* key) const;
    // Element index of an array member, borrowed; null when out of range or
    // when the member is not an array.
    const Json::Value* getArrayElement(const Json::Value* object, const char* key, int index) const;

    // The member itself, whatever its type; null when absent or when object
    // is not a JSON object.
    static const Json::Value* member(const Json::Value* object, const char* key);
    // Integer conversion of a value under the rules above.
    static std::optional<int> toInt(const Json::Value& value);
    static std::optional<double> toNumber(const Json::Value& value);

private:
    JsonFieldReader() = default;
};

} // namespace cc
