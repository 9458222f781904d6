// The trace of a simulate run: one JSON object a line, each with the virtual
// time "t" in seconds and a "kind". What to record and when is the runner's.
#pragma once

#include <json/value.h>

#include <fstream>
#include <string>

namespace quibo {

class TraceWriter {
public:
    // Opens (truncates) the file; isOpen() tells whether that worked.
    explicit TraceWriter(const std::string& path);
    bool isOpen() const { return m_out.is_open() && m_out.good(); }

    void log(double t, const std::string& text);
    // op "play" / "ended" carry "file"; "volume" carries "value".
    void audioFile(double t, const char* op, const std::string& file);
    void audioValue(double t, const char* op, double value);
    void audio(double t, const char* op);
    // "layer" names the screen's layer class; the members of `where` (the
    // page shown, the grid's first entry) are added as they are.
    void scene(double t, const std::string& layerClass, const Json::Value& where = Json::Value());
    void dump(double t, const Json::Value& tree);
    void stats(double t, long liveObjects);

    // The one-line form of a value, as every record is written.
    static std::string oneLine(const Json::Value& value);

private:
    Json::Value record(double t, const char* kind) const;
    void write(const Json::Value& value);

    std::ofstream m_out;
};

} // namespace quibo
