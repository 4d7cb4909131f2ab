#pragma once
// The work of the Data Backup window, as plain functions: which files of a folder it lists
// and which it leaves out, and the copy of each file into the destination folder.
//
// Table files are copied through the table engine's backup (a consistent copy even while
// the program holds the tables open and posts to them); other files are copied as they
// are. Every copy is written beside its target under a temporary name and replaces the
// target only when complete. A copy that fails is reported as failed and not counted.

#include <QString>
#include <QStringList>
#include <functional>

// The ordinary files of a folder (not hidden, not system files, not folders), with their
// extensions, in the order the window's file list shows them (by name, ignoring case).
QStringList BackupListFiles(const QString& folder);

// True for a file the backup leaves out: the extensions ".LCK" and ".INI" (exactly so, in
// capitals), and the rollback journal of a table file that is listed too (a journal copied
// beside its table's copy would be played back into that copy when it is opened).
bool ExcludedFromBackup(const QString& fileName, const QStringList& listed);

struct TBackupFileResult {
    QString fileName;
    bool copied = false;
    QString error; // why the copy failed
};

// Copies the listed files of sourceFolder into destinationFolder (existing files of the
// same names are replaced), in list order, leaving out the excluded ones. fileDone is
// called after each file that was not left out; progress with the bytes copied so far and
// the bytes of all the files to copy. Returns the number of files copied.
int BackupFiles(const QString& sourceFolder, const QStringList& files,
                const QString& destinationFolder,
                const std::function<void(const TBackupFileResult&)>& fileDone = {},
                const std::function<void(qint64 done, qint64 total)>& progress = {});
