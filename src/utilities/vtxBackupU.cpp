#include "utilities/vtxBackupU.h"

#include "engine/EDatabaseError.h"
#include "engine/TableBackup.h"
#include "toolkit/vtxFolderLists.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString WithSeparator(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.isEmpty() && !f.endsWith('/'))
        f += '/';
    return f;
}

// A plain copy of a file that is no table file, written under a temporary name first.
QString CopyPlainFile(const QString& source, const QString& target) {
    const QString temp = target + ".vtxcopy";
    QFile::remove(temp);
    QFile from(source);
    if (!from.copy(temp)) {
        const QString why = from.errorString();
        QFile::remove(temp);
        return why;
    }
    if ((QFile::exists(target) && !QFile::remove(target)) || !QFile::rename(temp, target)) {
        QFile::remove(temp);
        return QStringLiteral("the copy cannot be written to %1")
            .arg(QFileInfo(target).absolutePath());
    }
    return {};
}

} // namespace

QStringList BackupListFiles(const QString& folder) {
    return TFileListBox::ListFiles(folder);
}

bool ExcludedFromBackup(const QString& fileName, const QStringList& listed) {
    if (fileName.endsWith(".LCK") || fileName.endsWith(".INI"))
        return true;
    static const QString journal = QStringLiteral("-journal");
    return fileName.endsWith(journal) && listed.contains(fileName.chopped(journal.size()));
}

int BackupFiles(const QString& sourceFolder, const QStringList& files,
                const QString& destinationFolder,
                const std::function<void(const TBackupFileResult&)>& fileDone,
                const std::function<void(qint64 done, qint64 total)>& progress) {
    const QString from = WithSeparator(sourceFolder);
    const QString to = WithSeparator(destinationFolder);
    QStringList toCopy;
    qint64 total = 0;
    for (const QString& name : files) {
        if (ExcludedFromBackup(name, files))
            continue;
        toCopy << name;
        total += QFileInfo(from + name).size();
    }
    qint64 before = 0; // bytes of the files done
    if (progress)
        progress(0, total);
    int copied = 0;
    for (const QString& name : toCopy) {
        TBackupFileResult result;
        result.fileName = name;
        const QString source = from + name;
        const QString target = to + name;
        const qint64 size = QFileInfo(source).size();
        if (!QFileInfo(to).isDir()) {
            result.error = QStringLiteral("the folder %1 does not exist").arg(to);
        } else if (!QFileInfo(source).isFile()) {
            result.error = QStringLiteral("the file is no longer there");
        } else if (IsTableFile(source)) {
            bool damaged = false;
            try {
                BackupTableFile(
                    source, target,
                    [&](qint64 done, qint64 all) {
                        if (progress && all > 0)
                            progress(before + size * done / all, total);
                    },
                    &damaged);
                result.copied = true;
            } catch (const EDatabaseError& error) {
                result.error = error.Message();
            }
            // A table file that cannot be read as a table is kept as it is, damage and all.
            if (damaged) {
                result.error = CopyPlainFile(source, target);
                result.copied = result.error.isEmpty();
            }
        } else {
            result.error = CopyPlainFile(source, target);
            result.copied = result.error.isEmpty();
        }
        before += size;
        if (progress)
            progress(before, total);
        if (result.copied)
            ++copied;
        if (fileDone)
            fileDone(result);
    }
    return copied;
}
