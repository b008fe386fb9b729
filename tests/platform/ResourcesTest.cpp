#include "platform/Resources.h"

#include "platform/PropertyList.h"

#include <gtest/gtest.h>

namespace decant {
namespace {

TEST(Resources, findsACompiledInResourceByNameAndType) {
    const auto data = resourceData(QStringLiteral("TestSettings"), QStringLiteral("plist"));
    ASSERT_TRUE(data.has_value());
    const auto map = dictionaryFromPropertyList(*data);
    ASSERT_TRUE(map.has_value());
    EXPECT_EQ(map->value("TITLE").toMap().value("key"), QStringLiteral("name"));
}

TEST(Resources, givesNothingForAMissingResource) {
    EXPECT_FALSE(resourceData(QStringLiteral("TestSettings"), QStringLiteral("xml")));
    EXPECT_FALSE(resourceData(QStringLiteral("Missing"), QStringLiteral("plist")));
}

} // namespace
} // namespace decant
