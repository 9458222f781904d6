// Boxed values the containers hold: text, integers, floats and booleans.
#pragma once

#include "base/CCObject.h"

#include <string>

namespace cc {

class CCString : public CCObject {
public:
    CCString() = default;
    explicit CCString(const std::string& s) : m_sString(s) {}

    static CCString* create(const std::string& s);
    static CCString* createWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static CCString* createWithData(const unsigned char* data, unsigned long length);

    const char* getCString() const { return m_sString.c_str(); }
    unsigned int length() const { return static_cast<unsigned int>(m_sString.size()); }
    int compare(const char* s) const { return m_sString.compare(s); }
    // Leading-number conversions with atoi / atof rules: text without digits is 0.
    int intValue() const;
    float floatValue() const;
    double doubleValue() const;
    bool boolValue() const;

    bool isEqual(const CCObject* other) const override;

    std::string m_sString;
};

class CCInteger : public CCObject {
public:
    explicit CCInteger(int v) : m_nValue(v) {}
    static CCInteger* create(int v);
    int getValue() const { return m_nValue; }

private:
    int m_nValue;
};

class CCFloat : public CCObject {
public:
    explicit CCFloat(float v) : m_fValue(v) {}
    static CCFloat* create(float v);
    float getValue() const { return m_fValue; }

private:
    float m_fValue;
};

class CCBool : public CCObject {
public:
    explicit CCBool(bool v) : m_bValue(v) {}
    static CCBool* create(bool v);
    bool getValue() const { return m_bValue; }

private:
    bool m_bValue;
};

} // namespace cc
