#include "app/vtxOptionsU.h"

#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSaveFile>
#include <array>
#include <iconv.h>

// ----- Single-byte texts -------------------------------------------------------------

namespace {

// The Unicode character of each byte of the code page, found once through iconv. The
// five bytes that Windows-1252 leaves unassigned read as the control characters of
// the same number, as Windows reads them; without the converter the bytes read as
// Latin-1.
struct CodePage {
    std::array<char32_t, 256> toUnicode{};
    QHash<char32_t, char> fromUnicode;

    CodePage() {
        for (int b = 0; b < 256; ++b)
            toUnicode[size_t(b)] = char32_t(b);
        iconv_t cd = iconv_open("UTF-32LE", "WINDOWS-1252");
        if (cd != iconv_t(-1)) {
            for (int b = 0; b < 256; ++b) {
                char in = char(b);
                unsigned char out[4] = {};
                char* inPtr = &in;
                char* outPtr = reinterpret_cast<char*>(out);
                size_t inLeft = 1;
                size_t outLeft = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) && outLeft == 0)
                    toUnicode[size_t(b)] = char32_t(out[0]) | char32_t(out[1]) << 8 |
                                           char32_t(out[2]) << 16 | char32_t(out[3]) << 24;
            }
            iconv_close(cd);
        }
        for (int b = 0; b < 256; ++b)
            fromUnicode.insert(toUnicode[size_t(b)], char(b));
    }
};

const CodePage& Page() {
    static const CodePage page;
    return page;
}

} // namespace

QByteArray ToCodePage(const QString& text) {
    const CodePage& page = Page();
    const QList<uint> chars = text.normalized(QString::NormalizationForm_C).toUcs4();
    QByteArray bytes;
    bytes.reserve(chars.size());
    for (uint c : chars)
        bytes.append(page.fromUnicode.value(char32_t(c), '?'));
    return bytes;
}

QString FromCodePage(const char* bytes, int count) {
    const CodePage& page = Page();
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i) {
        const char32_t c = page.toUnicode[size_t(static_cast<unsigned char>(bytes[i]))];
        text.append(QChar(char16_t(c))); // every character of the page is in the BMP
    }
    return text;
}

bool FitsCodePage(const QString& text) {
    const CodePage& page = Page();
    const QList<uint> chars = text.normalized(QString::NormalizationForm_C).toUcs4();
    for (uint c : chars)
        if (!page.fromUnicode.contains(char32_t(c)))
            return false;
    return true;
}

// ----- The records ---------------------------------------------------------------------

quint8& TAccessRecord::PasswordLength(int level) {
    return level == 1 ? PasswordLength1 : level == 2 ? PasswordLength2 : PasswordLength3;
}

quint8 TAccessRecord::PasswordLength(int level) const {
    return level == 1 ? PasswordLength1 : level == 2 ? PasswordLength2 : PasswordLength3;
}

TShortString<100>& TAccessRecord::PasswordText(int level) {
    return level == 1 ? PasswordText1 : level == 2 ? PasswordText2 : PasswordText3;
}

const TShortString<100>& TAccessRecord::PasswordText(int level) const {
    return level == 1 ? PasswordText1 : level == 2 ? PasswordText2 : PasswordText3;
}

TOptionsRecord DefaultOptionsRecord() {
    TOptionsRecord r;
    r.StreetAddress.SetText(QStringLiteral("Your Address"));
    r.City.SetText(QStringLiteral("Your City"));
    r.ConfirmCritical = true;
    r.OrganizationName.SetText(QStringLiteral("Your House of Worship"));
    r.Pastor.SetText(QStringLiteral("Your Spiritual Leader"));
    r.Postal.SetText(QStringLiteral("Postal"));
    r.ShowHints = true;
    r.SoundOn = true;
    r.State.SetText(QStringLiteral("Your State"));
    return r;
}

// ----- Program-wide values ---------------------------------------------------------------

TOptionsRecord OptionsRecord = DefaultOptionsRecord();
TAccessRecord AccessRecord;
TAccessRecord PasswordsInForce;
bool AccessFileRead = false;

// ----- The files -------------------------------------------------------------------------

namespace {

// Reads the first sizeof(Record) bytes of the file into the record; false (and the
// record untouched) when the file cannot be opened or is shorter.
template <typename Record> bool ReadRecord(const QString& path, Record& record) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    char bytes[sizeof(Record)];
    if (file.read(bytes, qint64(sizeof bytes)) != qint64(sizeof bytes))
        return false;
    std::memcpy(static_cast<void*>(&record), bytes, sizeof bytes);
    return true;
}

// Creates the file anew with the record as its whole content; a failed write leaves
// the previous file as it was.
template <typename Record> bool WriteRecord(const QString& path, const Record& record) {
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(reinterpret_cast<const char*>(&record), qint64(sizeof record)) !=
        qint64(sizeof record)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

void ReadOptionsFile() {
    const QString path = ProgramFolder + OptionsFileName;
    if (!ReadRecord(path, OptionsRecord)) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw EInOutError(QStringLiteral("Cannot create file \"%1\". %2")
                                  .arg(QFileInfo(path).absoluteFilePath(), file.errorString()));
        file.close();
        Dialogs::ShowMessage(
            QStringLiteral("Local configuration file missing.  Defaults not loaded.\n"
                           "A new configuration file has been created.  Please\n"
                           "reselect your configuration choices by clicking\n"
                           "Utilities and then selecting Program Options."));
    }
    ApplyOptions();
}

bool WriteOptionsFile() {
    if (WriteRecord(ProgramFolder + OptionsFileName, OptionsRecord))
        return true;
    Dialogs::ShowMessage(QStringLiteral("The program configuration file could not be written."));
    return false;
}

bool ReadAccessFile() {
    const QString path = ProgramFolder + AccessFileName;
    if (!QFileInfo::exists(path)) {
        Dialogs::ShowMessage(QStringLiteral("Program data file QFSYS.FIL not found.\n"
                                            "   You must reinstall the missing file.\n"
                                            "            Program teminating."));
        return false;
    }
    if (!ReadRecord(path, AccessRecord)) {
        Dialogs::ShowMessage(QStringLiteral("Could not read qfsys.fil.  Application terminating."));
        return false;
    }
    PasswordsInForce = AccessRecord;
    AccessFileRead = true;
    return true;
}

bool WriteAccessFile() {
    return WriteRecord(ProgramFolder + AccessFileName, AccessRecord);
}

// ----- The switches ------------------------------------------------------------------------

namespace {

// Swallows every tooltip of the program while hints are off.
class HintSwitch : public QObject {
public:
    bool on = true;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!on && event->type() == QEvent::ToolTip)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

HintSwitch* Hints() {
    static QPointer<HintSwitch> hints;
    if (!hints && QCoreApplication::instance()) {
        hints = new HintSwitch;
        hints->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(hints);
    }
    return hints;
}

bool HintsOn = true;

} // namespace

void SetShowHints(bool on) {
    HintsOn = on;
    if (HintSwitch* hints = Hints())
        hints->on = on;
}

bool ShowHintsOn() {
    return HintsOn;
}

void ApplyOptions() {
    SetShowHints(OptionsRecord.ShowHints);
    Dialogs::SetAlertSound(OptionsRecord.SoundOn);
}

QString ReportHeading(const QString& subject) {
    return OptionsRecord.OrganizationName.Text() + QStringLiteral(":  ") + subject;
}
