// The entry points of the table utility library. Nothing thrown inside ever crosses them:
// each returns a result, and the session keeps the text of its last error.
#include "TUtil32.h"

#include "TuDesc.h"
#include "TuRebuild.h"
#include "TuVerify.h"
#include "engine/EDatabaseError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <exception>

struct TUSession {
    TUCallBack callBack = nullptr;
    void* user = nullptr;
    QString lastError;
};

namespace {

constexpr char kDriver[] = "Paradox";

QString Text(const char* utf8) {
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

bool FolderExists(const QString& path) {
    return path.isEmpty() || QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

void Report(TUSession* s, const TUProgress& progress) {
    if (s->callBack)
        s->callBack(s->user, &progress);
}

void ReportText(TUSession* s, const QString& line) {
    const QByteArray utf8 = line.toUtf8();
    TUProgress p{TU_PROGRESS_TEXT, 0, 0, 0, 0, utf8.constData()};
    Report(s, p);
}

TUResult Fail(TUSession* s, TUResult result, const QString& text = {}) {
    s->lastError = text;
    return result;
}

// Runs an entry point's body with every error turned into a result.
template <typename Body> TUResult Guarded(hTUses session, Body body) {
    if (!session)
        return TUERR_INVALIDSESSION;
    session->lastError.clear();
    try {
        return body(session);
    } catch (const tutil::RebuildError& error) {
        return Fail(session, error.code, error.text);
    } catch (const EDatabaseError& error) {
        return Fail(session, TUERR_INTERNAL, error.Message());
    } catch (const std::exception& error) {
        return Fail(session, TUERR_INTERNAL, QString::fromUtf8(error.what()));
    } catch (...) {
        return Fail(session, TUERR_INTERNAL);
    }
}

QString BaseText(TUResult result) {
    switch (result) {
    case TUERR_NONE:
        return QStringLiteral("No error.");
    case TUERR_INVALIDSESSION:
        return QStringLiteral("Invalid table utility session.");
    case TUERR_VERIFYPARAMS:
        return QStringLiteral("Invalid TUVerify parameters");
    case TUERR_REBUILDPARAMS:
        return QStringLiteral("Invalid TURebuild parameters");
    case TUERR_INVALIDDESC:
        return QStringLiteral("Invalid table description pointer parameter");
    case TUERR_INVALIDDIR:
        return QStringLiteral("Invalid directory path");
    case TUERR_NOTFOUND:
        return QStringLiteral("Table not found.");
    case TUERR_UNREADABLE:
        return QStringLiteral("The table cannot be read.");
    case TUERR_WRITE:
        return QStringLiteral("The table cannot be written.");
    case TUERR_REPLACE:
        return QStringLiteral("The rebuilt table cannot take the old one's place.");
    case TUERR_BUFFER:
        return QStringLiteral("The buffer is too small.");
    default:
        return QStringLiteral("Unexpected error in the table utility.");
    }
}

TUResult ReadDesc(TUSession* s, const char* tableName, QByteArray* json) {
    const QString path = Text(tableName);
    if (path.isEmpty())
        return Fail(s, TUERR_INVALIDDESC);
    if (!QFileInfo(path).isFile())
        return Fail(s, TUERR_NOTFOUND, path);
    tutil::TableDesc desc;
    QString why;
    if (tutil::ReadTableDesc(path, &desc, &why) != tutil::DescRead::Ok)
        return Fail(s, TUERR_UNREADABLE, QStringLiteral("%1: %2.").arg(path, why));
    *json = desc.ToJson();
    return TUERR_NONE;
}

} // namespace

extern "C" {

TUResult TUInit(hTUses* session) {
    if (!session)
        return TUERR_INVALIDSESSION;
    *session = new (std::nothrow) TUSession;
    return *session ? TUERR_NONE : TUERR_INTERNAL;
}

TUResult TUExit(hTUses session) {
    if (!session)
        return TUERR_INVALIDSESSION;
    delete session;
    return TUERR_NONE;
}

TUResult TUSetCallBack(hTUses session, TUCallBack callBack, void* user) {
    return Guarded(session, [&](TUSession* s) -> TUResult {
        s->callBack = callBack;
        s->user = user;
        return TUERR_NONE;
    });
}

TUResult TUVerifyTable(hTUses session, const char* tableName, const char* driverType,
                       const char* errorTable, const char* /*password*/, int options,
                       const char* expectedDesc, int* status) {
    return Guarded(session, [&](TUSession* s) -> TUResult {
        const QString path = Text(tableName);
        if (path.isEmpty() || !status || Text(driverType) != kDriver)
            return Fail(s, TUERR_VERIFYPARAMS);
        const QString errors = Text(errorTable);
        if (!FolderExists(errors))
            return Fail(s, TUERR_INVALIDDIR, QFileInfo(errors).absolutePath());
        if (!QFileInfo(path).isFile())
            return Fail(s, TUERR_NOTFOUND, path);
        tutil::TableDesc expected;
        if (expectedDesc) {
            QString why;
            if (!tutil::TableDesc::FromJson(QByteArray(expectedDesc), &expected, &why))
                return Fail(s, TUERR_INVALIDDESC, why);
        }
        if (!errors.isEmpty() && !(options & TU_APPEND_ERRORS) && QFile::exists(errors))
            QFile::remove(errors);
        const tutil::VerifyResult result = tutil::VerifyTableFile(
            path, expectedDesc ? &expected : nullptr, options & TU_HEADER_ONLY,
            [s](int phase, int percent, int index, int count) {
                Report(s, {TU_PROGRESS_VERIFY, phase, percent, index, count, nullptr});
            });
        if (!errors.isEmpty() && !result.findings.isEmpty())
            tutil::WriteErrorTable(errors, QFileInfo(path).fileName(), result.findings);
        *status = result.status;
        return TUERR_NONE;
    });
}

TUResult TURebuildTable(hTUses session, const char* tableName, const char* driverType,
                        const char* keyViolTable, const char* problemTable, const char* backupTable,
                        const char* tableDesc) {
    return Guarded(session, [&](TUSession* s) -> TUResult {
        const QString path = Text(tableName);
        const QString keyViol = Text(keyViolTable);
        const QString problems = Text(problemTable);
        const QString backup = Text(backupTable);
        if (path.isEmpty() || keyViol.isEmpty() || problems.isEmpty() || backup.isEmpty() ||
            Text(driverType) != kDriver)
            return Fail(s, TUERR_REBUILDPARAMS);
        if (!tableDesc)
            return Fail(s, TUERR_INVALIDDESC);
        for (const QString& work : {keyViol, problems, backup})
            if (!FolderExists(work))
                return Fail(s, TUERR_INVALIDDIR, QFileInfo(work).absolutePath());
        if (!QFileInfo(path).isFile())
            return Fail(s, TUERR_NOTFOUND, path);
        tutil::TableDesc desc;
        QString why;
        if (!tutil::TableDesc::FromJson(QByteArray(tableDesc), &desc, &why))
            return Fail(s, TUERR_INVALIDDESC, why);
        tutil::RebuildTableFile(
            path, desc, keyViol, problems, backup,
            [s](int percent) {
                Report(s, {TU_PROGRESS_REBUILD, 0, percent, 0, 0, nullptr});
            },
            [s](const QString& line) { ReportText(s, line); });
        return TUERR_NONE;
    });
}

TUResult TUGetCRTblDescCount(hTUses session, const char* tableName, int* bytes) {
    return Guarded(session, [&](TUSession* s) -> TUResult {
        if (!bytes)
            return Fail(s, TUERR_INVALIDDESC);
        QByteArray json;
        const TUResult result = ReadDesc(s, tableName, &json);
        if (result == TUERR_NONE)
            *bytes = int(json.size()) + 1;
        return result;
    });
}

TUResult TUFillCRTblDesc(hTUses session, const char* tableName, char* buffer, int size) {
    return Guarded(session, [&](TUSession* s) -> TUResult {
        if (!buffer)
            return Fail(s, TUERR_INVALIDDESC);
        QByteArray json;
        const TUResult result = ReadDesc(s, tableName, &json);
        if (result != TUERR_NONE)
            return result;
        if (json.size() + 1 > size)
            return Fail(s, TUERR_BUFFER);
        std::memcpy(buffer, json.constData(), size_t(json.size()) + 1);
        return TUERR_NONE;
    });
}

TUResult TUFillCURProps(hTUses session, const char* tableName, TUCurProps* props) {
    return Guarded(session, [&](TUSession* s) -> TUResult {
        const QString path = Text(tableName);
        if (path.isEmpty() || !props)
            return Fail(s, TUERR_VERIFYPARAMS);
        if (!QFileInfo(path).isFile())
            return Fail(s, TUERR_NOTFOUND, path);
        tutil::TableProperties p;
        QString why;
        if (!tutil::ReadTableProperties(path, &p, &why))
            return Fail(s, TUERR_UNREADABLE, why);
        props->records = p.records;
        props->fields = p.fields;
        props->recordSize = p.recordSize;
        return TUERR_NONE;
    });
}

TUResult TUGetExtTblProps(hTUses session, const char* tableName, TUExtTblProps* props) {
    return Guarded(session, [&](TUSession* s) -> TUResult {
        const QString path = Text(tableName);
        if (path.isEmpty() || !props)
            return Fail(s, TUERR_VERIFYPARAMS);
        if (!QFileInfo(path).isFile())
            return Fail(s, TUERR_NOTFOUND, path);
        // The program's table files carry no passwords.
        props->masterPassword = 0;
        props->auxPasswords = 0;
        return TUERR_NONE;
    });
}

TUResult TUGetErrorString(hTUses session, TUResult result, char* buffer, int size) {
    if (!buffer || size <= 0)
        return TUERR_BUFFER;
    QString text = BaseText(result);
    if (session && result != TUERR_NONE && !session->lastError.isEmpty())
        text += ' ' + session->lastError;
    QByteArray utf8 = text.toUtf8();
    while (utf8.size() >= size) {
        text.chop(1);
        utf8 = text.toUtf8();
    }
    std::memcpy(buffer, utf8.constData(), size_t(utf8.size()));
    buffer[utf8.size()] = '\0';
    return TUERR_NONE;
}

} // extern "C"
