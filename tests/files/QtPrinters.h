// Readable failure messages for Qt's strings (gtest would list them element by element).
#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    constexpr qsizetype shown = 64;
    *out << bytes.size() << " bytes \"" << bytes.left(shown).toStdString()
         << (bytes.size() > shown ? "...\"" : "\"");
}
