#include "itunes/CommentMap.h"

#include "platform/PropertyList.h"
#include "platform/Resources.h"

namespace decant {

std::optional<QVariantMap> loadCommentMap() {
    const auto data = resourceData(QStringLiteral("CommentMap"), QStringLiteral("plist"));
    return data ? dictionaryFromPropertyList(*data) : std::nullopt;
}

} // namespace decant
