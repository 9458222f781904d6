// Typed member access over jsoncpp values. Every conversion is guarded by a
// type (and range) check first: jsoncpp throws on asInt beyond 32 bits and on
// member lookup in anything but an object or null.
#include "gui/JsonFieldReader.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace cc {

namespace {
JsonFieldReader* s_sharedFieldReader = nullptr;
} // namespace

JsonFieldReader* JsonFieldReader::shareReader()
{
    if (!s_sharedFieldReader) s_sharedFieldReader = new JsonFieldReader();
    return s_sharedFieldReader;
}

void JsonFieldReader::purgeReader()
{
    delete s_sharedFieldReader;
    s_sharedFieldReader = nullptr;
}

const Json::Value* JsonFieldReader::member(const Json::Value* object, const char* key)
{
    if (!object || !key || !object->isObject()) return nullptr;
    return object->find(key, key + std::strlen(key));
}

std::optional<int> JsonFieldReader::toInt(const Json::Value& value)
{
    switch (value.type()) {
    case Json::intValue:
    case Json::uintValue:
        if (value.isInt()) return value.asInt();
        return std::nullopt;
    case Json::realValue: {
        const double d = std::trunc(value.asDouble());
        // Compare in double: both bounds are exactly representable.
        if (!(d >= static_cast<double>(std::numeric_limits<int>::min()) &&
              d <= static_cast<double>(std::numeric_limits<int>::max())))
            return std::nullopt;
        return static_cast<int>(d);
    }
    case Json::booleanValue: return value.asBool() ? 1 : 0;
    default: return std::nullopt;
    }
}

std::optional<double> JsonFieldReader::toNumber(const Json::Value& value)
{
    switch (value.type()) {
    case Json::intValue:
    case Json::uintValue:
    case Json::realValue: {
        const double d = value.asDouble();
        if (!std::isfinite(d)) return std::nullopt;
        return d;
    }
    case Json::booleanValue: return value.asBool() ? 1.0 : 0.0;
    default: return std::nullopt;
    }
}

std::optional<int> JsonFieldReader::findInt(const Json::Value* object, const char* key) const
{
    const Json::Value* v = member(object, key);
    return v ? toInt(*v) : std::nullopt;
}

std::optional<double> JsonFieldReader::findNumber(const Json::Value* object, const char* key) const
{
    const Json::Value* v = member(object, key);
    return v ? toNumber(*v) : std::nullopt;
}

std::optional<bool> JsonFieldReader::findBool(const Json::Value* object, const char* key) const
{
    const Json::Value* v = member(object, key);
    if (!v || !v->isBool()) return std::nullopt;
    return v->asBool();
}

int JsonFieldReader::getIntValue(const Json::Value* object, const char* key, int def) const
{
    return findInt(object, key).value_or(def);
}

double JsonFieldReader::getFloatValue(const Json::Value* object, const char* key, double def) const
{
    return findNumber(object, key).value_or(def);
}

bool JsonFieldReader::getBoolValue(const Json::Value* object, const char* key, bool def) const
{
    return findBool(object, key).value_or(def);
}

const char* JsonFieldReader::getStringValue(const Json::Value* object, const char* key) const
{
    const Json::Value* v = member(object, key);
    if (!v || !v->isString()) return nullptr;
    return v->asCString();
}

const Json::Value* JsonFieldReader::getSubObject(const Json::Value* object, const char* key) const
{
    const Json::Value* v = member(object, key);
    if (!v || !(v->isObject() || v->isNull() || v->isArray())) return nullptr;
    return v;
}

std::unique_ptr<Json::Value> JsonFieldReader::copySubObject(const Json::Value* object, const char* key) const
{
    const Json::Value* v = getSubObject(object, key);
    if (!v) return nullptr;
    return std::make_unique<Json::Value>(*v);
}

int JsonFieldReader::getArrayCount(const Json::Value* object, const char* key) const
{
    const Json::Value* v = member(object, key);
    if (!v || !(v->isArray() || v->isObject())) return 0;
    const Json::ArrayIndex n = v->size();
    return n > static_cast<Json::ArrayIndex>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                            : static_cast<int>(n);
}

const Json::Value* JsonFieldReader::getArrayElement(const Json::Value* object, const char* key, int index) const
{
    const Json::Value* v = member(object, key);
    if (!v || !v->isArray() || index < 0 || static_cast<Json::ArrayIndex>(index) >= v->size()) return nullptr;
    return &(*v)[static_cast<Json::ArrayIndex>(index)];
}

} // namespace cc
