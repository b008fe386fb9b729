#include "platform/PropertyList.h"

#include <QDateTime>
#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <memory>

namespace decant {
namespace {

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistHandle = std::unique_ptr<void, PlistDeleter>;

// libplist hands out strings and iterators allocated with malloc.
struct MallocDeleter {
    void operator()(void* memory) const { std::free(memory); }
};
using MallocText = std::unique_ptr<char, MallocDeleter>;

QVariant toVariant(plist_t node);

QVariantMap toMap(plist_t dictionary) {
    QVariantMap map;
    plist_dict_iter rawIterator = nullptr;
    plist_dict_new_iter(dictionary, &rawIterator);
    std::unique_ptr<void, MallocDeleter> iterator(rawIterator);
    for (;;) {
        char* rawKey = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dictionary, rawIterator, &rawKey, &value);
        MallocText key(rawKey);
        if (key == nullptr) {
            return map;
        }
        map.insert(QString::fromUtf8(key.get()), toVariant(value));
    }
}

QVariantList toList(plist_t array) {
    QVariantList list;
    const uint32_t count = plist_array_get_size(array);
    list.reserve(count);
    for (uint32_t index = 0; index < count; ++index) {
        list.append(toVariant(plist_array_get_item(array, index)));
    }
    return list;
}

QVariant toVariant(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_DICT:
        return toMap(node);
    case PLIST_ARRAY:
        return toList(node);
    case PLIST_STRING:
    case PLIST_KEY: {
        char* raw = nullptr;
        plist_get_string_val(node, &raw);
        MallocText text(raw);
        return text ? QString::fromUtf8(text.get()) : QString();
    }
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return value != 0;
    }
    case PLIST_UINT: {
        // This libplist stores every integer as 64 unsigned bits; negative
        // integers come back in two's complement.
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return static_cast<qint64>(value);
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return value;
    }
    case PLIST_DATE: {
        int32_t seconds = 0;
        int32_t microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        // Property-list dates count from 2001-01-01 00:00:00 UTC.
        const QDateTime epoch(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
        return epoch.addMSecs(qint64(seconds) * 1000 + microseconds / 1000);
    }
    case PLIST_DATA: {
        char* raw = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &raw, &length);
        MallocText data(raw);
        return QByteArray(data.get(), static_cast<qsizetype>(length));
    }
    default:
        return {};
    }
}

} // namespace

std::optional<QVariantMap> dictionaryFromPropertyList(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.size() > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    plist_t rawRoot = nullptr;
    plist_from_memory(bytes.constData(), static_cast<uint32_t>(bytes.size()), &rawRoot);
    const PlistHandle root(rawRoot);
    if (root == nullptr || plist_get_node_type(root.get()) != PLIST_DICT) {
        return std::nullopt;
    }
    return toMap(root.get());
}

} // namespace decant
