// Boxed values: creation and the atoi-style conversions.
#include "base/CCString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace cc {

CCString* CCString::create(const std::string& s)
{
    CCString* r = new CCString(s);
    r->autorelease();
    return r;
}

CCString* CCString::createWithFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        text.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    return create(text);
}

CCString* CCString::createWithData(const unsigned char* data, unsigned long length)
{
    return create(std::string(reinterpret_cast<const char*>(data), length));
}

int CCString::intValue() const { return std::atoi(m_sString.c_str()); }
float CCString::floatValue() const { return static_cast<float>(std::atof(m_sString.c_str())); }
double CCString::doubleValue() const { return std::atof(m_sString.c_str()); }

bool CCString::boolValue() const
{
    return !(m_sString.empty() || m_sString == "0" || m_sString == "false");
}

bool CCString::isEqual(const CCObject* other) const
{
    const CCString* s = dynamic_cast<const CCString*>(other);
    return s && s->m_sString == m_sString;
}

CCInteger* CCInteger::create(int v)
{
    CCInteger* r = new CCInteger(v);
    r->autorelease();
    return r;
}

CCFloat* CCFloat::create(float v)
{
    CCFloat* r = new CCFloat(v);
    r->autorelease();
    return r;
}

CCBool* CCBool::create(bool v)
{
    CCBool* r = new CCBool(v);
    r->autorelease();
    return r;
}

} // namespace cc
