// The string interface every kind of label offers, so menu items and widgets
// can change a caption without knowing which label draws it.
#pragma once

namespace cc {

class CCLabelProtocol {
public:
    virtual ~CCLabelProtocol() = default;
    virtual void setString(const char* text) = 0;
    virtual const char* getString() const = 0;
};

} // namespace cc
