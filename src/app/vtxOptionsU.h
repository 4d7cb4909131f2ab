#pragma once
// The two small record files beside the program: the options file "vtxConfig.fil"
// (organisation, address, default pastor and three switches) and the access file
// "qfsys.fil" (the three access passwords). Each file is exactly one fixed-length
// record, laid out byte for byte as the records below; the earlier Windows program
// wrote the same bytes, so its files read the same here.

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <cstring>
#include <stdexcept>

// ----- Single-byte texts -------------------------------------------------------------

// Texts in the record files are single-byte characters in the Windows-1252 code page.
// A character that the code page lacks is stored as "?".
QByteArray ToCodePage(const QString& text);
QString FromCodePage(const char* bytes, int count);
// True when every character of the text has its own byte in the code page.
bool FitsCodePage(const QString& text);

// A length-prefixed text: one byte with the length n, then Capacity character bytes
// of which the first n are the text. The bytes after the n-th character keep what
// the field held before; a length byte beyond the capacity counts as the capacity.
template <int Capacity> struct TShortString {
    static_assert(Capacity > 0 && Capacity < 256);
    quint8 Length = 0;
    char Chars[Capacity] = {};

    int Count() const { return Length < Capacity ? int(Length) : Capacity; }
    QString Text() const { return FromCodePage(Chars, Count()); }
    // Stores at most Capacity characters; the bytes after them are left as they were.
    void SetText(const QString& text) {
        const QByteArray bytes = ToCodePage(text).left(Capacity);
        std::memcpy(Chars, bytes.constData(), size_t(bytes.size()));
        Length = quint8(bytes.size());
    }
};

// A logical field: one byte, 0 for false and 1 for true (any other byte reads as true).
struct TLogical {
    quint8 Byte = 0;
    constexpr TLogical() = default;
    constexpr TLogical(bool on) : Byte(on ? 1 : 0) {}
    constexpr operator bool() const { return Byte != 0; }
};

// ----- The records ---------------------------------------------------------------------

// The whole content of "vtxConfig.fil", 334 bytes.
struct TOptionsRecord {
    TShortString<80> StreetAddress;
    TShortString<40> City;
    TLogical ConfirmCritical;
    TShortString<100> OrganizationName;
    TShortString<80> Pastor;
    TShortString<10> Postal;
    TLogical ShowHints;
    TLogical SoundOn;
    TShortString<15> State;
};
static_assert(sizeof(TOptionsRecord) == 334);
static_assert(offsetof(TOptionsRecord, City) == 81);
static_assert(offsetof(TOptionsRecord, ConfirmCritical) == 122);
static_assert(offsetof(TOptionsRecord, OrganizationName) == 123);
static_assert(offsetof(TOptionsRecord, Pastor) == 224);
static_assert(offsetof(TOptionsRecord, Postal) == 305);
static_assert(offsetof(TOptionsRecord, ShowHints) == 316);
static_assert(offsetof(TOptionsRecord, SoundOn) == 317);
static_assert(offsetof(TOptionsRecord, State) == 318);

// The whole content of "qfsys.fil", 306 bytes: per level the password's length and a
// string of 100 characters that holds the password at position 2 x level + 18.
struct TAccessRecord {
    quint8 PasswordLength1 = 0;
    quint8 PasswordLength2 = 0;
    quint8 PasswordLength3 = 0;
    TShortString<100> PasswordText1;
    TShortString<100> PasswordText2;
    TShortString<100> PasswordText3;

    // Level 1, 2 or 3.
    quint8& PasswordLength(int level);
    quint8 PasswordLength(int level) const;
    TShortString<100>& PasswordText(int level);
    const TShortString<100>& PasswordText(int level) const;
};
static_assert(sizeof(TAccessRecord) == 306);
static_assert(offsetof(TAccessRecord, PasswordText1) == 3);
static_assert(offsetof(TAccessRecord, PasswordText2) == 104);
static_assert(offsetof(TAccessRecord, PasswordText3) == 205);

// The options in force when nothing has been read: "Your Address", "Your City", ...,
// all three switches on, zero bytes after each text.
TOptionsRecord DefaultOptionsRecord();

// ----- Program-wide values ---------------------------------------------------------------

// Both files are looked for in ProgramFolder (vtxGlobalsU).
// The options of this run: the defaults until ReadOptionsFile, then the file's record;
// changed by the options window's Save Changes.
extern TOptionsRecord OptionsRecord;
// The access record as read at start-up and as changed by the password window.
extern TAccessRecord AccessRecord;
// The passwords in force for the whole run: copied from the access file at start-up
// and never changed afterwards. CheckAccessPassword reads these.
extern TAccessRecord PasswordsInForce;
// True once ReadAccessFile has read the access file; without it the program must end.
extern bool AccessFileRead;

// ----- The files -------------------------------------------------------------------------

inline const QString OptionsFileName = QStringLiteral("vtxConfig.fil");
inline const QString AccessFileName = QStringLiteral("qfsys.fil");

// The system's file error, raised when a file cannot even be created.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Reads the first 334 bytes of ProgramFolder + "vtxConfig.fil" into OptionsRecord.
// When the file is missing or shorter, it is created anew and empty, the
// configuration message is shown and OptionsRecord keeps what it held. Raises
// EInOutError when the file cannot even be created. The options read are put in force.
void ReadOptionsFile();
// Writes OptionsRecord to ProgramFolder + "vtxConfig.fil" (the file is created anew).
// On failure shows "The program configuration file could not be written." and
// returns false.
bool WriteOptionsFile();
// Reads the first 306 bytes of ProgramFolder + "qfsys.fil" into AccessRecord and puts
// its passwords in force. A missing file, or one that cannot be read whole, shows its
// message and returns false: the caller then ends the program.
bool ReadAccessFile();
// Writes AccessRecord to ProgramFolder + "qfsys.fil" (created anew); false on failure.
// Shows nothing.
bool WriteAccessFile();

// The heading of a menu report: the organisation name of the options, a colon, two blanks
// and the report's subject ("St. Olaf:  Phone List").
QString ReportHeading(const QString& subject);

// Puts the switches of OptionsRecord in force for the whole program: tooltips
// ("Show Hints at Cursor Position") and the alert sound with every message box
// ("Play an Alert Sound With Messages").
void ApplyOptions();
// Switches the tooltips of every window of the program on or off.
void SetShowHints(bool on);
bool ShowHintsOn();
