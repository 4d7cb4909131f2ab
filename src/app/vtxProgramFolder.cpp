#include "app/vtxProgramFolder.h"

#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

// Where an installation puts the help file, seen from the program file's folder.
#ifndef VTX_SHARE_FROM_BIN
#define VTX_SHARE_FROM_BIN "../share/vestrix"
#endif

namespace {

const QString kHelpFileName = QStringLiteral("Vestrix2.hlp");

QString WithSeparator(const QString& folder) {
    return QDir::toNativeSeparators(QDir::cleanPath(folder) + QLatin1Char('/'));
}

} // namespace

TProgramFolderChoice DecideProgramFolder(const TProgramFolderFacts& facts) {
    TProgramFolderChoice choice;
    const bool installed = !facts.shareFolder.isEmpty();
    choice.inUserFolder = installed || !facts.programFileFolderWritable;
    choice.programFolder = choice.inUserFolder ? facts.userFolder : facts.programFileFolder;
    choice.helpFile = (installed ? facts.shareFolder : facts.programFileFolder) + kHelpFileName;
    return choice;
}

QString RunningProgramFolder() {
    return WithSeparator(QCoreApplication::applicationDirPath());
}

QString InstalledShareFolder(const QString& programFileFolder) {
    const QString share =
        QDir(programFileFolder).absoluteFilePath(QStringLiteral(VTX_SHARE_FROM_BIN));
    if (!QFileInfo(QDir(share).filePath(kHelpFileName)).isFile())
        return {};
    return WithSeparator(share);
}

bool FolderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString UserDataFolder() {
    return WithSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/Vestrix"));
}

TProgramFolderFacts RunningProgramFolderFacts() {
    TProgramFolderFacts facts;
    facts.programFileFolder = RunningProgramFolder();
    facts.programFileFolderWritable = FolderWritable(facts.programFileFolder);
    facts.shareFolder = InstalledShareFolder(facts.programFileFolder);
    facts.userFolder = UserDataFolder();
    return facts;
}

QString PrepareUserFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        return QStringLiteral("Vestrix could not create its folder \"%1\".\n"
                              "It keeps its options, passwords and data there.")
            .arg(QDir::toNativeSeparators(folder));
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(AccessFileName)) ||
        QFileInfo::exists(dir.filePath(OptionsFileName)))
        return {};
    // The first start: the access file of a fresh installation.
    const TAccessRecord fresh = FreshAccessRecord();
    QSaveFile file(dir.filePath(AccessFileName));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(&fresh), qint64(sizeof fresh)) !=
            qint64(sizeof fresh) ||
        !file.commit())
        return QStringLiteral("Vestrix could not write the file \"%1\": %2")
            .arg(QDir::toNativeSeparators(dir.filePath(AccessFileName)), file.errorString());
    return {};
}
