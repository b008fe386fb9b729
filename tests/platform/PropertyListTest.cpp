#include "platform/PropertyList.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <plist/plist.h>

#include <cstdlib>

namespace decant {
namespace {

const QByteArray everyType = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
  <key>text</key><string>Grüße</string>
  <key>integer</key><integer>-42</integer>
  <key>real</key><real>2.5</real>
  <key>yes</key><true/>
  <key>no</key><false/>
  <key>list</key><array><string>a</string><integer>7</integer></array>
  <key>row</key><dict><key>key</key><string>trackNumber</string></dict>
  <key>data</key><data>AAEC</data>
  <key>date</key><date>2001-01-01T00:01:00Z</date>
</dict>
</plist>)";

TEST(PropertyList, readsEveryValueTypeOfAnXMLDictionary) {
    const auto map = dictionaryFromPropertyList(everyType);
    ASSERT_TRUE(map.has_value());
    EXPECT_EQ(map->value("text").toString(), QStringLiteral("Grüße"));
    EXPECT_EQ(map->value("integer").typeId(), QMetaType::LongLong);
    EXPECT_EQ(map->value("integer").toLongLong(), -42);
    EXPECT_EQ(map->value("real").toDouble(), 2.5);
    EXPECT_EQ(map->value("yes").typeId(), QMetaType::Bool);
    EXPECT_TRUE(map->value("yes").toBool());
    EXPECT_FALSE(map->value("no").toBool());
    EXPECT_EQ(map->value("list").toList(), (QVariantList{QStringLiteral("a"), qint64(7)}));
    EXPECT_EQ(map->value("row").toMap().value("key").toString(), QStringLiteral("trackNumber"));
    EXPECT_EQ(map->value("data").toByteArray(), QByteArray("\x00\x01\x02", 3));
    EXPECT_EQ(map->value("date").toDateTime(), QDateTime(QDate(2001, 1, 1), QTime(0, 1), Qt::UTC));
}

TEST(PropertyList, readsABinaryDictionary) {
    const auto xml = dictionaryFromPropertyList(everyType);
    plist_t root = nullptr;
    plist_from_xml(everyType.constData(), uint32_t(everyType.size()), &root);
    ASSERT_NE(root, nullptr);
    char* binary = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &binary, &length);
    plist_free(root);
    const QByteArray bytes(binary, length);
    std::free(binary);

    ASSERT_TRUE(bytes.startsWith("bplist00"));
    EXPECT_EQ(dictionaryFromPropertyList(bytes), xml);
}

TEST(PropertyList, givesNothingForWhatIsNotADictionary) {
    EXPECT_FALSE(dictionaryFromPropertyList(QByteArray()));
    EXPECT_FALSE(dictionaryFromPropertyList("not a property list"));
    EXPECT_FALSE(dictionaryFromPropertyList(R"(<?xml version="1.0"?>
<plist version="1.0"><array><string>a</string></array></plist>)"));
    EXPECT_FALSE(dictionaryFromPropertyList(R"(<?xml version="1.0"?>
<plist version="1.0"><dict><key>a</key>)"));
}

} // namespace
} // namespace decant
