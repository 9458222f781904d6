// Reading one page layout of 60 widgets (49 word buttons on sprite-sheet
// frames, labels, an image and panels, every option written out the way the
// layout editor writes it): jsoncpp's parse alone, then the whole read and
// build through the layout reader with the sheet and textures already warm.
// The reader's own share is the difference between the two.
#include "base/CCAutoreleasePool.h"
#include "gui/CCSGUIReader.h"
#include "gui/UIWidget.h"
#include "gui/UiSingletons.h"
#include "platform/FrameDriver.h"

#include <json/reader.h>
#include <json/writer.h>

#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

using namespace cc;

namespace {

const int kButtons = 49;
const int kLabels = 6;
const int kButtonsPerRow = 7;

std::string folder()
{
    static const std::string dir = [] {
        const std::string d = "/tmp/quibo-bench-layout-" + std::to_string(getpid());
        mkdir(d.c_str(), 0700);
        return d;
    }();
    return dir;
}

void writePNG(const std::string& path, int w, int h)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 200, 180, 60, 255));
    IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
}

// A sheet of kButtons frames of 40 x 30 in one 280 x 210 texture.
void writeSheet()
{
    writePNG(folder() + "/words.png", 280, 210);
    std::ostringstream plist;
    plist << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>frames</key><dict>";
    for (int i = 0; i < kButtons; ++i) {
        const int x = (i % kButtonsPerRow) * 40, y = (i / kButtonsPerRow) * 30;
        plist << "<key>word_" << i << ".png</key><dict><key>frame</key><string>{{" << x << "," << y
              << "},{40,30}}</string><key>offset</key><string>{0,0}</string><key>rotated</key><false/>"
              << "<key>sourceColorRect</key><string>{{0,0},{40,30}}</string><key>sourceSize</key><string>{40,30}"
              << "</string></dict>";
    }
    plist << "</dict><key>metadata</key><dict><key>format</key><integer>2</integer><key>textureFileName</key>"
          << "<string>words.png</string></dict></dict></plist>\n";
    std::ofstream(folder() + "/words.plist") << plist.str();
    writePNG(folder() + "/page.png", 640, 960);
}

// The options every node of an editor file carries.
Json::Value commonOptions(const std::string& name, int tag, float x, float y, float w, float h)
{
    Json::Value o(Json::objectValue);
    o["name"] = name;
    o["x"] = x;
    o["y"] = y;
    o["width"] = w;
    o["height"] = h;
    o["tag"] = tag;
    o["actiontag"] = tag + 100;
    o["touchAble"] = false;
    o["ZOrder"] = 0;
    o["visible"] = true;
    o["scaleX"] = 1.0;
    o["scaleY"] = 1.0;
    o["rotation"] = 0;
    o["opacity"] = 255;
    o["colorR"] = 255;
    o["colorG"] = 255;
    o["colorB"] = 255;
    o["anchorPointX"] = 0.5;
    o["anchorPointY"] = 0.5;
    o["flipX"] = false;
    o["flipY"] = false;
    o["ignoreSize"] = false;
    return o;
}

Json::Value widgetNode(const char* className, const Json::Value& options)
{
    Json::Value n(Json::objectValue);
    n["classname"] = className;
    n["options"] = options;
    n["children"] = Json::Value(Json::arrayValue);
    return n;
}

Json::Value panel(const std::string& name, int tag, float w, float h)
{
    Json::Value o = commonOptions(name, tag, 0, 0, w, h);
    o["anchorPointX"] = 0;
    o["anchorPointY"] = 0;
    o["clipAble"] = false;
    o["backGroundScale9Enable"] = false;
    o["colorType"] = 0;
    for (const char* k : {"bgColorR", "bgColorG", "bgColorB", "bgStartColorR", "bgStartColorG", "bgStartColorB",
                          "bgEndColorR", "bgEndColorG", "bgEndColorB"})
        o[k] = 255;
    o["bgColorOpacity"] = 0;
    o["vectorX"] = 0;
    o["vectorY"] = -1;
    for (const char* k : {"capInsetsX", "capInsetsY", "capInsetsWidth", "capInsetsHeight"}) o[k] = 0;
    o["backGroundImageData"] = Json::Value(Json::nullValue);
    return widgetNode("Panel", o);
}

Json::Value frameRef(const std::string& frame)
{
    Json::Value r(Json::objectValue);
    r["resourceType"] = 1;
    r["path"] = frame;
    return r;
}

// 1 root + 1 image + 2 panels + 1 text box + 6 labels + 49 buttons = 60 widgets.
std::string pageText()
{
    Json::Value root = panel("page", 1, 640, 960);
    Json::Value image(Json::objectValue);
    {
        Json::Value o = commonOptions("picture", 2, 320, 480, 640, 960);
        Json::Value file(Json::objectValue);
        file["resourceType"] = 0;
        file["path"] = "page.png";
        o["fileNameData"] = file;
        o["scale9Enable"] = false;
        image = widgetNode("ImageView", o);
    }
    root["children"].append(image);
    Json::Value textbox = panel("textbox", 3, 640, 400);
    for (int i = 0; i < kLabels; ++i) {
        Json::Value o = commonOptions("line" + std::to_string(i), 10 + i, 320, 380 - 40.0f * i, 600, 36);
        o["text"] = "Momo ran up the hill with the red kite " + std::to_string(i);
        o["fontName"] = "Arial"; // what the bundled book names
        o["fontSize"] = 26;
        o["touchScaleEnable"] = false;
        textbox["children"].append(widgetNode("Label", o));
    }
    root["children"].append(textbox);
    for (int p = 0; p < 2; ++p) {
        Json::Value words = panel("words" + std::to_string(p), 20 + p, 640, 400);
        const int first = p == 0 ? 0 : 25, last = p == 0 ? 25 : kButtons;
        for (int i = first; i < last; ++i) {
            Json::Value o = commonOptions("word_" + std::to_string(i), 100 + i, 40.0f + 45 * (i % 13),
                                          60.0f + 40 * (i / 13), 40, 30);
            o["touchAble"] = true;
            o["scale9Enable"] = false;
            o["normalData"] = frameRef("word_" + std::to_string(i) + ".png");
            o["pressedData"] = frameRef("word_" + std::to_string(i) + ".png");
            o["disabledData"] = frameRef("word_" + std::to_string(i) + ".png");
            for (const char* k : {"capInsetsX", "capInsetsY", "capInsetsWidth", "capInsetsHeight"}) o[k] = 0;
            words["children"].append(widgetNode("Button", o));
        }
        root["children"].append(words);
    }
    Json::Value doc(Json::objectValue);
    doc["classname"] = Json::Value(Json::nullValue);
    doc["version"] = "1.2.0.0";
    doc["designWidth"] = 640;
    doc["designHeight"] = 960;
    doc["textures"].append("words.plist");
    doc["widgetTree"] = root;
    doc["animation"]["name"] = "AnimationManager";
    doc["animation"]["actionlist"] = Json::Value(Json::arrayValue);
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "  ";
    return Json::writeString(writer, doc);
}

struct Page {
    std::string path;
    std::string text;
    Page()
    {
        writeSheet();
        text = pageText();
        path = folder() + "/page_1.json";
        std::ofstream(path) << text;
    }
};

const Page& page()
{
    static const Page p;
    return p;
}

void BM_JsonParseOnly(benchmark::State& state)
{
    const std::string& text = page().text;
    Json::CharReaderBuilder builder;
    builder.settings_["stackLimit"] = CCSGUIReader::kParserStackLimit;
    std::unique_ptr<Json::CharReader> parser(builder.newCharReader());
    for (auto _ : state) {
        Json::Value doc;
        bool ok = parser->parse(text.data(), text.data() + text.size(), &doc, nullptr);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(doc);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_JsonParseOnly)->Unit(benchmark::kMicrosecond);

void BM_ReadLayoutFileWarm(benchmark::State& state)
{
    FrameDriver driver;
    const std::string& path = page().path;
    // Warm: the sheet, its texture and the picture are loaded by a first read.
    UIWidget* first = CCSGUIReader::shareReader()->readLayoutFile(path.c_str());
    if (!first) {
        state.SkipWithError("the page layout was refused");
        return;
    }
    int widgets = 0;
    for (auto _ : state) {
        UIWidget* root = CCSGUIReader::shareReader()->readLayoutFile(path.c_str());
        benchmark::DoNotOptimize(root);
        state.PauseTiming();
        widgets = root ? 1 : 0;
        std::function<void(UIWidget*)> count = [&](UIWidget* w) {
            for (CCObject* c : *w->getChildren()) {
                ++widgets;
                count(static_cast<UIWidget*>(c));
            }
        };
        if (root) count(root);
        CCPoolManager::sharedPoolManager()->pop();
        state.ResumeTiming();
    }
    state.counters["widgets"] = widgets;
    releaseUiSingletons();
}
BENCHMARK(BM_ReadLayoutFileWarm)->Unit(benchmark::kMicrosecond);

// The reader's own work alone: building the tree from an already parsed
// document (no file read, no parse), with the reader set up for this file.
void BM_BuildTreeFromParsedDocument(benchmark::State& state)
{
    FrameDriver driver;
    const std::string& text = page().text;
    if (!CCSGUIReader::shareReader()->readLayoutFile(page().path.c_str())) {
        state.SkipWithError("the page layout was refused");
        return;
    }
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> parser(builder.newCharReader());
    Json::Value doc;
    parser->parse(text.data(), text.data() + text.size(), &doc, nullptr);
    const Json::Value& tree = doc["widgetTree"];
    for (auto _ : state) {
        UIWidget* root = CCSGUIReader::shareReader()->buildWidget(&tree);
        benchmark::DoNotOptimize(root);
        state.PauseTiming();
        CCPoolManager::sharedPoolManager()->pop();
        state.ResumeTiming();
    }
    releaseUiSingletons();
}
BENCHMARK(BM_BuildTreeFromParsedDocument)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
