#include "store/JsonDocument.h"

#include <limits>
#include <nlohmann/json.hpp>

namespace decant {
namespace {

constexpr std::size_t maximumDepth = 1024;

// Builds the tree from the parser's events with a stack of open containers,
// so deep documents cost no stack of ours, and refuses nesting deeper than
// the limit (the store's walk converts values recursively).
class TreeBuilder final : public nlohmann::json_sax<nlohmann::json> {
public:
    bool null() override { return add(JsonValue(nullptr)); }
    bool boolean(bool value) override { return add(JsonValue(value)); }
    bool number_integer(number_integer_t value) override { return add(JsonValue(int64_t(value))); }
    // The parser gives every integer without a sign as unsigned.
    bool number_unsigned(number_unsigned_t value) override {
        return value <= uint64_t(std::numeric_limits<int64_t>::max())
                   ? add(JsonValue(int64_t(value)))
                   : add(JsonValue(uint64_t(value)));
    }
    bool number_float(number_float_t value, const string_t&) override {
        return add(JsonValue(double(value)));
    }
    bool string(string_t& value) override {
        return add(JsonValue(QByteArray(value.data(), qsizetype(value.size()))));
    }
    bool binary(binary_t&) override { return false; } // JSON text has none
    bool start_object(std::size_t) override { return open(JsonValue(JsonValue::Object{})); }
    bool key(string_t& name) override {
        open_.back()->object().emplace_back(QByteArray(name.data(), qsizetype(name.size())),
                                            JsonValue());
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(JsonValue(JsonValue::Array{})); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

    std::optional<JsonValue> take() { return std::move(root_); }

private:
    // Where the next value goes: the root, an array's end, or the member
    // whose name came last.
    JsonValue* slot() {
        if (open_.empty()) {
            root_ = JsonValue();
            return &*root_;
        }
        JsonValue& container = *open_.back();
        if (container.isArray()) {
            return &container.array().emplace_back();
        }
        return &container.object().back().second;
    }
    bool add(JsonValue value) {
        *slot() = std::move(value);
        return true;
    }
    bool open(JsonValue container) {
        if (open_.size() >= maximumDepth) {
            return false;
        }
        JsonValue* placed = slot();
        *placed = std::move(container);
        // Pointers into a vector stay valid: a container's own elements are
        // only appended to while it is the innermost open one, and it is
        // closed before its parent grows again.
        open_.push_back(placed);
        return true;
    }
    bool close() {
        open_.pop_back();
        return true;
    }

    std::optional<JsonValue> root_;
    std::vector<JsonValue*> open_;
};

QVariant numberValue(const JsonValue& number) {
    if (number.isInt64()) {
        return QVariant(qint64(number.toInt64()));
    }
    if (number.isUint64()) {
        return QVariant(qulonglong(number.toUint64()));
    }
    return QVariant(number.toDouble());
}

} // namespace

std::optional<JsonValue> parseStrictJson(const QByteArray& text) {
    // A byte-order mark is no white space, and a raw NUL is valid nowhere in
    // JSON, but the parser takes the one for a prefix to skip and the other
    // for the end of the input.
    if (text.startsWith("\xEF\xBB\xBF") || text.contains('\0')) {
        return std::nullopt;
    }
    TreeBuilder builder;
    const auto* begin = reinterpret_cast<const unsigned char*>(text.constData());
    const bool parsed = nlohmann::json::sax_parse(begin, begin + text.size(), &builder,
                                                  nlohmann::json::input_format_t::json, true);
    return parsed ? builder.take() : std::nullopt;
}

const JsonValue* member(const JsonValue* object, QByteArrayView name) {
    if (object == nullptr || !object->isObject()) {
        return nullptr;
    }
    const JsonValue* found = nullptr;
    for (const auto& [memberName, value] : object->object()) {
        if (memberName == name) {
            found = &value;
        }
    }
    return found;
}

// Nesting is bounded by the parser, so the recursion is too.
QVariant commentsValue(const JsonValue& value) {
    if (value.isNull()) {
        return {};
    }
    if (value.isBool()) {
        return QVariant(value.toBool());
    }
    if (value.isString()) {
        return QVariant(value.text());
    }
    if (value.isArray()) {
        QVariantList list;
        for (const JsonValue& element : value.array()) {
            list.append(commentsValue(element));
        }
        return list;
    }
    if (value.isObject()) {
        QVariantMap map;
        for (const auto& [name, item] : value.object()) {
            map.insert(QString::fromUtf8(name), commentsValue(item));
        }
        return map;
    }
    return numberValue(value);
}

} // namespace decant
