// Node tree dumps, depth first in child order. What a node shows is read
// through the engine's own getters: a label's string and size, a sprite's
// texture file or the sprite frame it displays.
#include "app/SceneDump.h"

#include "gui/widgets/CCScale9Sprite.h"

#include "base/CCArray.h"
#include "base/CCGeometry.h"
#include "platform/CCFileUtils.h"
#include "render/CCSprite.h"
#include "render/CCSpriteBatchNode.h"
#include "render/CCSpriteFrameCache.h"
#include "render/CCTexture2D.h"
#include "scene/CCNode.h"
#include "text/CCLabelBMFont.h"
#include "text/CCLabelProtocol.h"
#include "text/CCLabelTTF.h"
#include "text/ccUTF8.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <typeinfo>
#include <vector>

namespace quibo {

namespace {

// The picture a texture region comes from: the sprite frame showing exactly
// that region, else the texture's file.
void describeImage(const cc::CCTexture2D* texture, const cc::CCRect& rect, Json::Value& object, std::string& line)
{
    if (!texture) return;
    const std::string frame = cc::CCSpriteFrameCache::sharedSpriteFrameCache()->nameOfFrame(texture, rect);
    if (!frame.empty()) {
        object["frame"] = asUtf8(frame);
        line += " frame=" + quotedText(asUtf8(frame));
    } else if (!texture->getPath().empty()) {
        const std::string file = asUtf8(resourceRelative(texture->getPath()));
        object["texture"] = file;
        line += " texture=" + quotedText(file);
    }
}

// What the node shows: a label's text (and a TTF label's font size, a bitmap
// label's font file), or the picture of a sprite or a nine-slice sprite.
void describeContent(cc::CCNode* node, Json::Value& object, std::string& line)
{
    if (cc::CCLabelProtocol* label = dynamic_cast<cc::CCLabelProtocol*>(node)) {
        const std::string text = asUtf8(label->getString() ? label->getString() : "");
        object["text"] = text;
        line += " text=" + quotedText(text);
        if (cc::CCLabelTTF* ttf = dynamic_cast<cc::CCLabelTTF*>(node)) {
            object["fontSize"] = ttf->getFontSize();
            char size[32];
            std::snprintf(size, sizeof size, " fontSize=%g", ttf->getFontSize());
            line += size;
        } else if (cc::CCLabelBMFont* bm = dynamic_cast<cc::CCLabelBMFont*>(node)) {
            object["font"] = asUtf8(resourceRelative(bm->getFntFile()));
        }
        return;
    }
    if (cc::CCSprite* sprite = dynamic_cast<cc::CCSprite*>(node)) {
        describeImage(sprite->getTexture(), sprite->getTextureRect(), object, line);
    } else if (cc::CCScale9Sprite* nine = dynamic_cast<cc::CCScale9Sprite*>(node)) {
        if (cc::CCSpriteBatchNode* batch = nine->getBatchNode())
            describeImage(batch->getTexture(), nine->getSpriteRect(), object, line);
    }
}

Json::Value pair(float a, float b)
{
    Json::Value v(Json::arrayValue);
    v.append(a);
    v.append(b);
    return v;
}

Json::Value describe(cc::CCNode* node, int depth, std::string& text, const std::vector<NodeDescriber>& describers)
{
    const cc::CCPoint& pos = node->getPosition();
    const cc::CCSize& size = node->getContentSize();
    const cc::CCRect box = cc::CCRectApplyAffineTransform(cc::CCRect(0, 0, size.width, size.height),
                                                          node->nodeToWorldTransform());
    Json::Value object(Json::objectValue);
    object["class"] = nodeClassName(node);
    object["position"] = pair(pos.x, pos.y);
    object["size"] = pair(size.width, size.height);
    object["z"] = node->getZOrder();
    object["visible"] = node->isVisible();
    Json::Value boxValue(Json::arrayValue);
    boxValue.append(box.origin.x);
    boxValue.append(box.origin.y);
    boxValue.append(box.size.width);
    boxValue.append(box.size.height);
    object["box"] = boxValue;

    char buf[256];
    std::snprintf(buf, sizeof buf, "%s pos=(%g,%g) size=(%g,%g) z=%d visible=%d", nodeClassName(node).c_str(), pos.x,
                  pos.y, size.width, size.height, node->getZOrder(), node->isVisible() ? 1 : 0);
    std::string line = std::string(static_cast<size_t>(depth) * 2, ' ') + buf;
    describeContent(node, object, line);
    for (const NodeDescriber& d : describers) {
        d(node, object, line);
    }
    text += line + "\n";

    Json::Value children(Json::arrayValue);
    cc::CCObject* child = nullptr;
    CCARRAY_FOREACH(node->getChildren(), child)
    {
        if (cc::CCNode* n = dynamic_cast<cc::CCNode*>(child)) {
            children.append(describe(n, depth + 1, text, describers));
        }
    }
    object["children"] = children;
    return object;
}

} // namespace

std::string nodeClassName(const cc::CCNode* node)
{
    if (!node) {
        return std::string();
    }
    const char* mangled = typeid(*node).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    const size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

SceneDump dumpNodeTree(cc::CCNode* root, const std::vector<NodeDescriber>& describers)
{
    SceneDump dump;
    dump.tree = Json::Value(Json::arrayValue);
    if (root) {
        dump.tree.append(describe(root, 0, dump.text, describers));
    }
    return dump;
}

std::string quotedText(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else {
            if (c == '"' || c == '\\') out += '\\';
            out += c;
        }
    }
    return out + "\"";
}

std::string asUtf8(const std::string& text)
{
    if (cc::utf8::isValid(text)) return text;
    std::string out;
    for (size_t at = 0; at < text.size();) {
        const unsigned int code = cc::utf8::decode(text, at);
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::string resourceRelative(const std::string& path)
{
    for (std::string dir : cc::CCFileUtils::sharedFileUtils()->getSearchPaths()) {
        if (dir.empty()) continue;
        if (dir.back() != '/') dir += '/';
        if (path.size() > dir.size() && path.compare(0, dir.size(), dir) == 0) return path.substr(dir.size());
    }
    return path;
}

} // namespace quibo
