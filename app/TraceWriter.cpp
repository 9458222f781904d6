// Trace records through jsoncpp's stream writer with no indentation, so each
// record is exactly one line.
#include "app/TraceWriter.h"

#include <json/writer.h>

#include <cmath>
#include <memory>
#include <sstream>

namespace quibo {

namespace {
const double kMicro = 1e6;
}

TraceWriter::TraceWriter(const std::string& path) : m_out(path, std::ios::out | std::ios::trunc) {}

std::string TraceWriter::oneLine(const Json::Value& value)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    // Times are whole microseconds; print them without binary noise.
    builder["precision"] = 10;
    builder["precisionType"] = "decimal";
    return Json::writeString(builder, value);
}

Json::Value TraceWriter::record(double t, const char* kind) const
{
    Json::Value v(Json::objectValue);
    // Frame times add up in float; microseconds are all a reader needs.
    v["t"] = std::round(t * kMicro) / kMicro;
    v["kind"] = kind;
    return v;
}

void TraceWriter::write(const Json::Value& value)
{
    m_out << oneLine(value) << '\n';
    m_out.flush();
}

void TraceWriter::log(double t, const std::string& text)
{
    Json::Value v = record(t, "log");
    v["text"] = text;
    write(v);
}

void TraceWriter::audioFile(double t, const char* op, const std::string& file)
{
    Json::Value v = record(t, "audio");
    v["op"] = op;
    v["file"] = file;
    write(v);
}

void TraceWriter::audioValue(double t, const char* op, double value)
{
    Json::Value v = record(t, "audio");
    v["op"] = op;
    v["value"] = value;
    write(v);
}

void TraceWriter::audio(double t, const char* op)
{
    Json::Value v = record(t, "audio");
    v["op"] = op;
    write(v);
}

void TraceWriter::scene(double t, const std::string& layerClass, const Json::Value& where)
{
    Json::Value v = record(t, "scene");
    v["layer"] = layerClass;
    if (where.isObject()) {
        for (const std::string& key : where.getMemberNames()) v[key] = where[key];
    }
    write(v);
}

void TraceWriter::dump(double t, const Json::Value& tree)
{
    Json::Value v = record(t, "dump");
    v["tree"] = tree;
    write(v);
}

void TraceWriter::stats(double t, long liveObjects)
{
    Json::Value v = record(t, "stats");
    v["liveObjects"] = static_cast<Json::Int64>(liveObjects);
    write(v);
}

} // namespace quibo
