#include "store/JsonDocument.h"

#include <algorithm>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

namespace decant {
namespace {

constexpr int maximumDepth = 1024;

// Iterative: deep documents cost no stack. Stopping after the value lets us
// judge what follows it ourselves: the reader takes a NUL byte for the end.
constexpr unsigned parseFlags =
    rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag |
    rapidjson::kParseFullPrecisionFlag | rapidjson::kParseStopWhenDoneFlag;

// Hands the reader's events on to the document, and ends the parse at the
// first array or object nested deeper than the limit.
class DepthLimitedBuilder {
public:
    explicit DepthLimitedBuilder(JsonDocument& document)
        : document_(document) {}

    // The reader's handler interface, named as it calls it.
    bool Null() { return document_.Null(); }
    bool Bool(bool value) { return document_.Bool(value); }
    bool Int(int value) { return document_.Int(value); }
    bool Uint(unsigned value) { return document_.Uint(value); }
    bool Int64(int64_t value) { return document_.Int64(value); }
    bool Uint64(uint64_t value) { return document_.Uint64(value); }
    bool Double(double value) { return document_.Double(value); }
    bool RawNumber(const char* text, rapidjson::SizeType length, bool copy) {
        return document_.RawNumber(text, length, copy);
    }
    bool String(const char* text, rapidjson::SizeType length, bool copy) {
        return document_.String(text, length, copy);
    }
    bool Key(const char* text, rapidjson::SizeType length, bool copy) {
        return document_.Key(text, length, copy);
    }
    bool StartObject() { return enter() && document_.StartObject(); }
    bool EndObject(rapidjson::SizeType members) {
        --depth_;
        return document_.EndObject(members);
    }
    bool StartArray() { return enter() && document_.StartArray(); }
    bool EndArray(rapidjson::SizeType elements) {
        --depth_;
        return document_.EndArray(elements);
    }

private:
    bool enter() { return ++depth_ <= maximumDepth; }

    JsonDocument& document_;
    int depth_ = 0;
};

bool isJsonWhiteSpace(char character) {
    return character == ' ' || character == '\t' || character == '\n' || character == '\r';
}

} // namespace

bool parseStrictJson(const QByteArray& text, JsonDocument& document) {
    rapidjson::MemoryStream stream(text.constData(), size_t(text.size()));
    rapidjson::Reader reader;
    bool parsed = false;
    auto generate = [&](JsonDocument& handler) {
        DepthLimitedBuilder builder(handler);
        parsed = !reader.Parse<parseFlags>(stream, builder).IsError();
        return parsed;
    };
    document.Populate(generate);
    if (!parsed) {
        return false;
    }
    const QByteArrayView rest = QByteArrayView(text).sliced(qsizetype(stream.Tell()));
    return std::all_of(rest.begin(), rest.end(), isJsonWhiteSpace);
}

const JsonValue* member(const JsonValue* object, QByteArrayView name) {
    if (object == nullptr || !object->IsObject()) {
        return nullptr;
    }
    const JsonValue* found = nullptr;
    for (const auto& item : object->GetObject()) {
        if (QByteArrayView(item.name.GetString(), qsizetype(item.name.GetStringLength())) == name) {
            found = &item.value;
        }
    }
    return found;
}

} // namespace decant
