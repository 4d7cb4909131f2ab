#include "engine/TableBackup.h"

#include "engine/EDatabaseError.h"
#include "engine/Sqlite.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <sqlite3.h>

namespace {

constexpr int kPagesPerStep = 1024;
constexpr int kBusyRetries = 250; // 20 ms apart: about five seconds
constexpr int kBusyWaitMs = 20;

QString Reason(int code) {
    return QString::fromUtf8(sqlite3_errstr(code));
}

} // namespace

bool IsTableFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}

void BackupTableFile(const QString& source, const QString& target,
                     const TableBackupProgress& progress, bool* sourceDamaged) {
    const QString label = QFileInfo(source).fileName();
    if (sourceDamaged)
        *sourceDamaged = false;
    const QString temp = target + ".vtxcopy";
    QFile::remove(temp);
    int rc = SQLITE_OK;
    bool damaged = false;
    {
        SqliteConnection from(source, false, label);
        SqliteConnection to(temp, true, label);
        // A scratch file until it is complete: no journal needed.
        to.Exec("PRAGMA journal_mode=OFF");
        to.Exec("PRAGMA synchronous=OFF");
        sqlite3_backup* backup = sqlite3_backup_init(to.Handle(), "main", from.Handle(), "main");
        if (!backup) {
            const QString why = QString::fromUtf8(sqlite3_errmsg(to.Handle()));
            QFile::remove(temp);
            throw EDatabaseError(QString("Table %1 cannot be copied: %2.").arg(label, why),
                                 ErrorKind::Storage);
        }
        int busy = 0;
        for (;;) {
            rc = sqlite3_backup_step(backup, kPagesPerStep);
            if (rc == SQLITE_OK || rc == SQLITE_DONE) {
                busy = 0;
                if (progress) {
                    const qint64 pages = sqlite3_backup_pagecount(backup);
                    const qint64 left = sqlite3_backup_remaining(backup);
                    const qint64 pageSize = QFileInfo(source).size() / std::max<qint64>(1, pages);
                    progress((pages - left) * pageSize, pages * pageSize);
                }
                if (rc == SQLITE_DONE)
                    break;
                continue;
            }
            if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && ++busy < kBusyRetries) {
                QThread::msleep(kBusyWaitMs);
                continue;
            }
            break;
        }
        const int finish = sqlite3_backup_finish(backup);
        if (rc == SQLITE_DONE)
            rc = finish;
        damaged = (rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB;
    }
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        QFile::remove(temp);
        if (sourceDamaged)
            *sourceDamaged = damaged;
        throw EDatabaseError(QString("Table %1 cannot be copied: %2.").arg(label, Reason(rc)),
                             ErrorKind::Storage);
    }
    if ((QFile::exists(target) && !QFile::remove(target)) || !QFile::rename(temp, target)) {
        QFile::remove(temp);
        throw EDatabaseError(QString("Table %1 cannot be copied: the copy cannot be written to "
                                     "%2.")
                                 .arg(label, QFileInfo(target).absolutePath()),
                             ErrorKind::Storage);
    }
}
