#pragma once

#include <QVariantMap>

#include <optional>

namespace decant {

// The shipped table from tag field names to track properties: each row is
// a dictionary with the property's scripting name under "key" and,
// optionally, "integer" or "boolean" under "type". Nothing when the
// resource is missing or is not a dictionary.
std::optional<QVariantMap> loadCommentMap();

} // namespace decant
