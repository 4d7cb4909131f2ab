#include "app/vtxPasswordsU.h"

#include "toolkit/Dialogs.h"

#include <QRandomGenerator>

namespace {

bool ValidLevel(int level) {
    return level >= 1 && level <= 3;
}

constexpr int PasswordStringLength = 100;

char Filler() {
    return char(QRandomGenerator::global()->bounded(48, 123));
}

// Stores a whole string of 100 code-page bytes.
void PutString(TShortString<PasswordStringLength>& field, const QByteArray& text) {
    std::memcpy(field.Chars, text.constData(), PasswordStringLength);
    field.Length = PasswordStringLength;
}

} // namespace

int PasswordPosition(int level) {
    return 2 * level + 18;
}

QString NoPasswordMarker(int level) {
    switch (level) {
    case 1:
        return QStringLiteral("7kd2w");
    case 2:
        return QStringLiteral("mZ4t9ab");
    case 3:
        return QStringLiteral("p31xne");
    }
    return {};
}

int LongestPassword(int level) {
    return 82 - 2 * level;
}

bool HasNoPassword(const TAccessRecord& record, int level) {
    if (!ValidLevel(level))
        return false;
    const QString marker = NoPasswordMarker(level);
    return record.PasswordText(level).Text().mid(PasswordPosition(level) - 1, marker.size()) ==
           marker;
}

QString StoredPassword(const TAccessRecord& record, int level) {
    if (!ValidLevel(level))
        return {};
    return record.PasswordText(level).Text().mid(PasswordPosition(level) - 1,
                                                 record.PasswordLength(level));
}

bool PasswordFits(int level, const QString& password) {
    if (!ValidLevel(level) || !FitsCodePage(password))
        return false;
    const qsizetype length = ToCodePage(password).size();
    return length >= 1 && length <= LongestPassword(level);
}

void SetPassword(TAccessRecord& record, int level, const QString& password) {
    if (!PasswordFits(level, password))
        return;
    const QByteArray bytes = ToCodePage(password);
    QByteArray text;
    text.reserve(PasswordStringLength);
    while (text.size() < PasswordPosition(level) - 1)
        text.append(Filler());
    text.append(bytes);
    while (text.size() < PasswordStringLength)
        text.append(Filler());
    PutString(record.PasswordText(level), text);
    record.PasswordLength(level) = quint8(bytes.size());
}

TAccessRecord FreshAccessRecord() {
    TAccessRecord record;
    for (int level = 1; level <= 3; ++level) {
        const QByteArray marker = NoPasswordMarker(level).toLatin1();
        QByteArray text;
        while (text.size() < PasswordPosition(level) - 1)
            text.append(Filler());
        text.append(marker);
        while (text.size() < PasswordStringLength)
            text.append(Filler());
        PutString(record.PasswordText(level), text);
        record.PasswordLength(level) = quint8(marker.size());
    }
    return record;
}

bool CheckAccessPassword(int level) {
    if (!ValidLevel(level) || !AccessFileRead)
        return false;
    if (HasNoPassword(PasswordsInForce, level))
        return true;
    QString answer;
    if (!Dialogs::InputQuery(QStringLiteral("Password"), QStringLiteral("Enter Password"), answer,
                             true) ||
        answer.isEmpty())
        return false;
    if (answer.normalized(QString::NormalizationForm_C) == StoredPassword(PasswordsInForce, level))
        return true;
    Dialogs::ShowMessage(
        QStringLiteral("Sorry, the level %1 password you entered is incorrect.").arg(level));
    return false;
}
