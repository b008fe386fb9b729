#include "store/JsonMemberOrder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <algorithm>
#include <optional>

namespace decant {
namespace {

struct Member {
    QString name;
    qsizetype valueStart;
};

// A cursor over a JSON text that is known to be well formed. Every step
// still checks its bounds, so a text the parser would refuse ends the scan
// instead of reading past the end.
class Scanner {
public:
    explicit Scanner(QByteArrayView json)
        : json_(json) {}

    // The members of the object that starts at `start`, in text order.
    std::optional<QList<Member>> membersOfObjectAt(qsizetype start) {
        position_ = start;
        skipWhiteSpace();
        if (!consume('{')) {
            return std::nullopt;
        }
        QList<Member> members;
        skipWhiteSpace();
        if (consume('}')) {
            return members;
        }
        do {
            skipWhiteSpace();
            std::optional<QString> name = readString();
            skipWhiteSpace();
            if (!name || !consume(':')) {
                return std::nullopt;
            }
            skipWhiteSpace();
            members.append({std::move(*name), position_});
            if (!skipValue()) {
                return std::nullopt;
            }
            skipWhiteSpace();
        } while (consume(','));
        if (!consume('}')) {
            return std::nullopt;
        }
        return members;
    }

    qsizetype startOfDocument() {
        position_ = 0;
        // The parser accepts a leading byte order mark.
        if (json_.startsWith("\xEF\xBB\xBF")) {
            position_ = 3;
        }
        skipWhiteSpace();
        return position_;
    }

private:
    bool atEnd() const { return position_ >= json_.size(); }
    char current() const { return json_[position_]; }

    bool consume(char expected) {
        if (!atEnd() && current() == expected) {
            ++position_;
            return true;
        }
        return false;
    }

    void skipWhiteSpace() {
        while (!atEnd() &&
               (current() == ' ' || current() == '\t' || current() == '\n' || current() == '\r')) {
            ++position_;
        }
    }

    // Moves past a string's closing quote; false when there is none.
    bool skipString() {
        if (!consume('"')) {
            return false;
        }
        while (!atEnd()) {
            const char character = current();
            ++position_;
            if (character == '\\') {
                ++position_;
            } else if (character == '"') {
                return true;
            }
        }
        return false;
    }

    std::optional<QString> readString() {
        const qsizetype start = position_;
        if (!skipString()) {
            return std::nullopt;
        }
        const QByteArrayView token = json_.sliced(start, position_ - start);
        if (!token.contains('\\')) {
            return QString::fromUtf8(token.sliced(1, token.size() - 2));
        }
        // Escapes are rare in member names; let the parser undo them, so a
        // name compares equal to the key it made.
        const QByteArray wrapped = '[' + token.toByteArray() + ']';
        return QJsonDocument::fromJson(wrapped).array().at(0).toString();
    }

    // Moves past one value of any kind; nesting is counted, not recursed, so
    // deep documents cost no stack.
    bool skipValue() {
        qsizetype depth = 0;
        do {
            skipWhiteSpace();
            if (atEnd()) {
                return false;
            }
            const char character = current();
            if (character == '"') {
                if (!skipString()) {
                    return false;
                }
            } else if (character == '{' || character == '[') {
                ++depth;
                ++position_;
            } else if (character == '}' || character == ']') {
                if (--depth < 0) {
                    return false;
                }
                ++position_;
            } else if (character == ',' || character == ':') {
                ++position_;
            } else {
                skipScalar();
            }
        } while (depth > 0);
        return true;
    }

    // A number, true, false or null: runs up to the next delimiter.
    void skipScalar() {
        while (!atEnd() && current() != ',' && current() != '}' && current() != ']' &&
               current() != ' ' && current() != '\t' && current() != '\n' && current() != '\r') {
            ++position_;
        }
    }

    QByteArrayView json_;
    qsizetype position_ = 0;
};

// Keeps each name once, where it last occurs.
QStringList namesAtLastOccurrence(const QList<Member>& members) {
    QStringList names;
    QSet<QString> seen;
    for (auto member = members.crbegin(); member != members.crend(); ++member) {
        if (!seen.contains(member->name)) {
            seen.insert(member->name);
            names.append(member->name);
        }
    }
    std::reverse(names.begin(), names.end());
    return names;
}

std::optional<qsizetype> valueOfLastMemberNamed(const QList<Member>& members, const QString& name) {
    for (auto member = members.crbegin(); member != members.crend(); ++member) {
        if (member->name == name) {
            return member->valueStart;
        }
    }
    return std::nullopt;
}

} // namespace

QStringList memberNamesInTextOrder(QByteArrayView json, const QStringList& path) {
    Scanner scanner(json);
    qsizetype objectStart = scanner.startOfDocument();
    for (const QString& name : path) {
        const auto members = scanner.membersOfObjectAt(objectStart);
        const auto value = members ? valueOfLastMemberNamed(*members, name) : std::nullopt;
        if (!value) {
            return {};
        }
        objectStart = *value;
    }
    const auto members = scanner.membersOfObjectAt(objectStart);
    return members ? namesAtLastOccurrence(*members) : QStringList{};
}

} // namespace decant
