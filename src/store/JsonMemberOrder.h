#pragma once

#include <QByteArrayView>
#include <QStringList>

namespace decant {

// QJsonObject hands out its members sorted by name, and the parser keeps no
// trace of the order the text wrote them in. This recovers that order for
// one object by scanning the text itself.
//
// `json` must be a text that QJsonDocument::fromJson accepted. From its
// top-level object, `path` names the member to enter at each level (when a
// name occurs twice, the last occurrence is entered, as the parser keeps the
// last value). Returns the names of the members of the object reached, in
// text order, each once, at the place of its last occurrence. Empty when the
// path does not lead to an object.
QStringList memberNamesInTextOrder(QByteArrayView json, const QStringList& path);

} // namespace decant
