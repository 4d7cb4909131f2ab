// Feeds any bytes to the readers of the options file and the access file: the same
// bytes are the content of both files. Each reading must end in its message or in a
// record whose texts read back to the same bytes, and the password check must work
// on whatever was read.
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

void WriteFile(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

// A text must read back to exactly the bytes it holds.
template <int Capacity> void CheckText(const TShortString<Capacity>& field) {
    TShortString<Capacity> copy;
    copy.SetText(field.Text());
    if (copy.Count() != field.Count() || memcmp(copy.Chars, field.Chars, size_t(copy.Count())))
        abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_option_files";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    const QString base = QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath();
    static QTemporaryDir folder(base + "/vtxfuzz-XXXXXX");
    ProgramFolder = folder.path() + "/";
    Dialogs::SetScripted(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFile(ProgramFolder + OptionsFileName, data, size);
    WriteFile(ProgramFolder + AccessFileName, data, size);
    OptionsRecord = DefaultOptionsRecord();
    AccessFileRead = false;
    Dialogs::ClearScript();

    ReadOptionsFile();
    if ((size >= sizeof(TOptionsRecord)) != Dialogs::ShownLog().isEmpty())
        abort();
    CheckText(OptionsRecord.StreetAddress);
    CheckText(OptionsRecord.City);
    CheckText(OptionsRecord.OrganizationName);
    CheckText(OptionsRecord.Pastor);
    CheckText(OptionsRecord.Postal);
    CheckText(OptionsRecord.State);

    if (ReadAccessFile() != (size >= sizeof(TAccessRecord)))
        abort();
    if (!AccessFileRead)
        return 0;
    for (int level = 1; level <= 3; ++level) {
        CheckText(PasswordsInForce.PasswordText(level));
        const QString stored = StoredPassword(PasswordsInForce, level);
        if (stored.size() > 100)
            abort();
        // The stored password itself passes; anything else but a no-password level asks.
        Dialogs::ClearScript();
        Dialogs::QueueInput(true, stored);
        const bool passed = CheckAccessPassword(level);
        if (!HasNoPassword(PasswordsInForce, level) && !stored.isEmpty() && !passed)
            abort();
        Dialogs::QueueInput(true, stored + "x");
        if (!HasNoPassword(PasswordsInForce, level) && CheckAccessPassword(level))
            abort();
    }
    return 0;
}
