#pragma once

// Lets GoogleTest print Qt values in failure messages. Included in every test.
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << "{ ";
    for (const QString& text : texts) {
        PrintTo(text, out);
        *out << ' ';
    }
    *out << '}';
}

inline void PrintTo(const QVariant& value, std::ostream* out) {
    *out << value.typeName() << '(' << value.toString().toStdString() << ')';
}
