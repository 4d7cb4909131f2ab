#pragma once
// Shared pieces of the options tests: the program fixture (a program folder of its own per
// test, scripted dialogs, raw bytes of records and files), typing and reading files back.

#include "ProgramFixture.h"

#include <QLineEdit>
#include <QTest>

// Types the text into the edit box as a user would (QTest types ASCII only; other
// characters are inserted as an input method would).
inline void TypeInto(QLineEdit* edit, const QString& text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
