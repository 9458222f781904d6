// XML: a scan of the container tags. Binary: the object table walked without
// recursion, each object's depth computed once; and every dictionary's keys.
#include "platform/PropertyListNesting.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace cc {

namespace {

bool startsWith(const std::string& s, size_t at, const char* prefix)
{
    return s.compare(at, std::strlen(prefix), prefix) == 0;
}

// Opening tags deepen, closing tags return; "<dict/>" and "<array/>" are empty.
bool xmlNestingWithin(const std::string& s, int maxDepth)
{
    int depth = 0;
    size_t at = 0;
    while ((at = s.find('<', at)) != std::string::npos) {
        if (startsWith(s, at, "<!--")) {
            const size_t end = s.find("-->", at + 4);
            if (end == std::string::npos) return true; // broken: the parser refuses it
            at = end + 3;
            continue;
        }
        const bool closing = startsWith(s, at, "</");
        const size_t name = at + (closing ? 2 : 1);
        size_t length = 0;
        if (startsWith(s, name, "dict")) length = 4;
        if (startsWith(s, name, "array")) length = 5;
        if (length) {
            const size_t end = s.find('>', name);
            const bool empty = end != std::string::npos && end > 0 && s[end - 1] == '/';
            if (closing) {
                --depth;
            } else if (!empty && ++depth > maxDepth) {
                return false;
            }
        }
        at = name;
    }
    return true;
}

uint64_t bigEndian(const unsigned char* p, size_t n)
{
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i) v = (v << 8) | p[i];
    return v;
}

class BinaryPlist {
public:
    explicit BinaryPlist(const std::string& s) : m_data(reinterpret_cast<const unsigned char*>(s.data())), m_size(s.size()) {}

    // False only when the structure is readable and too deep or cyclic.
    bool nestingWithin(int maxDepth)
    {
        if (!readTrailer()) return true; // not a readable table: the parser refuses it
        const uint64_t count = m_count, top = m_top;
        std::vector<int> depth(count, 0); // 0 unknown, -1 being walked, else the depth below and with it
        struct Frame {
            uint64_t object;
            std::vector<uint64_t> children;
            size_t next;
        };
        std::vector<Frame> stack;
        stack.push_back(Frame{top, children(top), 0});
        depth[top] = -1;
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (f.next < f.children.size()) {
                const uint64_t child = f.children[f.next++];
                if (child >= count) continue; // a broken reference: the parser's to refuse
                if (depth[child] == -1) return false; // holds itself
                if (depth[child] > 0) continue;
                if (static_cast<int>(stack.size()) >= maxDepth && !children(child).empty()) return false;
                depth[child] = -1;
                stack.push_back(Frame{child, children(child), 0});
                continue;
            }
            int deepest = 0;
            for (uint64_t c : f.children) {
                if (c < count && depth[c] > deepest) deepest = depth[c];
            }
            depth[f.object] = f.children.empty() ? 1 : deepest + 1;
            if (depth[f.object] > maxDepth) return false;
            stack.pop_back();
        }
        return true;
    }

    // False when a dictionary's key is a string holding a NUL (an ASCII byte
    // or a UTF-16 unit of zero): libplist asserts, and so aborts the process,
    // when such a key is read. Anything unreadable is left to the parser.
    bool keysWithoutNul()
    {
        if (!readTrailer()) return true;
        for (uint64_t object = 0; object < m_count; ++object) {
            const uint64_t at = offsetOf(object);
            if (at >= m_size || (m_data[at] >> 4) != 0xD) continue;
            const std::vector<uint64_t> refs = children(object);
            const size_t keys = refs.size() / 2;
            for (size_t i = 0; i < keys; ++i) {
                if (refs[i] < m_count && stringHoldsNul(offsetOf(refs[i]))) return false;
            }
        }
        return true;
    }

private:
    bool readTrailer()
    {
        const size_t kTrailer = 32;
        if (m_size < 8 + kTrailer) return false;
        const unsigned char* t = m_data + m_size - kTrailer;
        m_offsetSize = t[6];
        m_refSize = t[7];
        const uint64_t count = bigEndian(t + 8, 8);
        m_top = bigEndian(t + 16, 8);
        m_table = bigEndian(t + 24, 8);
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8 || count == 0 || m_top >= count ||
            m_table >= m_size || count > (m_size - m_table) / m_offsetSize) {
            return false;
        }
        m_count = count;
        return true;
    }

    uint64_t offsetOf(uint64_t object) const { return bigEndian(m_data + m_table + object * m_offsetSize, m_offsetSize); }

    // Whether the object at this offset is an ASCII or UTF-16 string with a zero in it.
    bool stringHoldsNul(uint64_t at) const
    {
        if (at >= m_size) return false;
        const unsigned kind = m_data[at] >> 4;
        if (kind != 0x5 && kind != 0x6) return false;
        uint64_t n = m_data[at] & 0x0F;
        uint64_t start = at + 1;
        if (n == 0x0F) {
            if (start >= m_size || (m_data[start] >> 4) != 0x1) return false;
            const size_t bytes = size_t(1) << (m_data[start] & 0x0F);
            if (bytes > 8 || start + 1 + bytes > m_size) return false;
            n = bigEndian(m_data + start + 1, bytes);
            start += 1 + bytes;
        }
        const uint64_t unit = kind == 0x6 ? 2 : 1;
        if (n > m_size || start + n * unit > m_size) return false;
        for (uint64_t i = 0; i < n; ++i) {
            const unsigned char* c = m_data + start + i * unit;
            if (c[0] == 0 && (unit == 1 || c[1] == 0)) return true;
        }
        return false;
    }

    // The objects an array or a dictionary refers to (keys included).
    std::vector<uint64_t> children(uint64_t object) const
    {
        std::vector<uint64_t> out;
        const uint64_t at = offsetOf(object);
        if (at >= m_size) return out;
        const unsigned char marker = m_data[at];
        const unsigned kind = marker >> 4;
        if (kind != 0xA && kind != 0xD) return out;
        uint64_t n = marker & 0x0F;
        uint64_t refs = at + 1;
        if (n == 0x0F) { // the count follows as an integer object
            if (refs >= m_size || (m_data[refs] >> 4) != 0x1) return out;
            const size_t bytes = size_t(1) << (m_data[refs] & 0x0F);
            if (bytes > 8 || refs + 1 + bytes > m_size) return out;
            n = bigEndian(m_data + refs + 1, bytes);
            refs += 1 + bytes;
        }
        const uint64_t total = kind == 0xD ? n * 2 : n;
        if (n > m_size || refs + total * m_refSize > m_size) return out;
        out.reserve(total);
        for (uint64_t i = 0; i < total; ++i) out.push_back(bigEndian(m_data + refs + i * m_refSize, m_refSize));
        return out;
    }

    const unsigned char* m_data;
    size_t m_size;
    size_t m_offsetSize = 0;
    size_t m_refSize = 0;
    uint64_t m_table = 0;
    uint64_t m_count = 0;
    uint64_t m_top = 0;
};

} // namespace

bool propertyListNestingWithin(const std::string& bytes, int maxDepth)
{
    if (bytes.compare(0, 6, "bplist") == 0) return BinaryPlist(bytes).nestingWithin(maxDepth);
    return xmlNestingWithin(bytes, maxDepth);
}

bool propertyListKeysWithoutNul(const std::string& bytes)
{
    // The XML parser itself refuses a key holding a NUL or stops it there.
    if (bytes.compare(0, 6, "bplist") != 0) return true;
    return BinaryPlist(bytes).keysWithoutNul();
}

} // namespace cc
