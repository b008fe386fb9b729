#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace decant {

// The application's own resources are compiled into the program, the way a
// bundle carries them on other platforms: "CommentMap" of type "plist" is
// ":/CommentMap.plist". Nothing when there is no such resource.
std::optional<QByteArray> resourceData(const QString& name, const QString& type);

} // namespace decant
