#include "utilities/TUtility.h"

#include "data/vtxTableDefs.h"
#include "engine/Database.h"
#include "engine/Table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#ifndef VTX_TUTIL_FROM_BIN
#define VTX_TUTIL_FROM_BIN "../lib/x86_64-linux-gnu/vestrix"
#endif

namespace {

QString& LibraryFileOverride() {
    static QString path;
    return path;
}

QString& PrivateFolderPath() {
    static QString path;
    return path;
}

QString WithSeparator(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.isEmpty() && !f.endsWith('/'))
        f += '/';
    return f;
}

// Adds to a table description what its text columns hold beyond text (the "form" of
// a column: "date" or "time"), so that verify and rebuild can tell a date that is none.
QByteArray WithFieldForms(const QByteArray& desc, const TableDef& def) {
    QJsonDocument doc = QJsonDocument::fromJson(desc);
    if (!doc.isObject())
        return desc;
    QJsonObject root = doc.object();
    QJsonArray columns = root["columns"].toArray();
    for (qsizetype i = 0; i < columns.size(); ++i) {
        QJsonObject column = columns[i].toObject();
        const FieldDef* field = def.FindField(column["name"].toString());
        if (field && field->type == FieldType::Date)
            column["form"] = "date";
        else if (field && field->type == FieldType::Time)
            column["form"] = "time";
        else
            continue;
        columns[i] = column;
    }
    root["columns"] = columns;
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

void OnLibraryProgress(void* user, const TUProgress* progress) {
    auto* handler = static_cast<std::function<void(const TUProgress&)>*>(user);
    try {
        if (handler && *handler && progress)
            (*handler)(*progress);
    } catch (...) {
        // Nothing may be thrown through the library.
    }
}

// An alias bound to a folder for as long as the object lives.
class ScratchAlias {
public:
    explicit ScratchAlias(const QString& folder) { Aliases::SetPath(Name(), folder); }
    ~ScratchAlias() { Aliases::Remove(Name()); }
    static QString Name() { return QStringLiteral("VTXTUtilityScratch"); }
};

} // namespace

// A library session for one operation, with the progress handler attached.
class TTUtility::Session {
public:
    explicit Session(TTUtility& utility) : m_utility(utility) {
        utility.Check(nullptr, utility.m_init(&m_handle));
        utility.m_setCallBack(m_handle, OnLibraryProgress, &utility.OnProgress);
    }
    ~Session() { m_utility.m_exit(m_handle); }
    hTUses Handle() const { return m_handle; }

private:
    TTUtility& m_utility;
    hTUses m_handle = nullptr;
};

QString TTUtility::LibraryFileName() {
#if defined(Q_OS_WIN)
    return QStringLiteral("tutil32.dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("libtutil32.dylib");
#else
    return QStringLiteral("libtutil32.so");
#endif
}

QString TTUtility::LibraryFile() {
    if (!LibraryFileOverride().isEmpty())
        return LibraryFileOverride();
    // Beside the program (the build folder), else in the installation's library folder.
    const QDir program(QCoreApplication::applicationDirPath());
    const QString beside = program.absoluteFilePath(LibraryFileName());
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = InstalledLibraryFile(program.path());
    return QFileInfo::exists(installed) ? installed : beside;
}

QString TTUtility::InstalledLibraryFile(const QString& programFolder) {
    return QDir::cleanPath(
        QDir(programFolder)
            .absoluteFilePath(QStringLiteral(VTX_TUTIL_FROM_BIN "/") + LibraryFileName()));
}

void TTUtility::SetLibraryFile(const QString& path) {
    LibraryFileOverride() = path;
}

QString TTUtility::PrivateFolder() {
    QString& folder = PrivateFolderPath();
    if (folder.isEmpty())
        folder = QDir::tempPath() +
                 QStringLiteral("/vestrix-private-%1/").arg(QCoreApplication::applicationPid());
    QDir().mkpath(folder);
    return folder;
}

QString TTUtility::ErrorTableFile() {
    return PrivateFolder() + QStringLiteral("__VERERR.DB");
}

void TTUtility::SetPrivateFolder(const QString& folder) {
    PrivateFolderPath() = WithSeparator(folder);
}

TTUtility::TTUtility(const QString& libraryFile) {
    const QString file = libraryFile.isEmpty() ? LibraryFile() : libraryFile;
    const QString unable = QStringLiteral("Unable to Load %1").arg(QFileInfo(file).fileName());
    m_library.setFileName(file);
    if (!m_library.load())
        throw ETUtilityLoadError(unable);
    auto resolve = [&](auto& function, const char* name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(m_library.resolve(name));
        if (!function)
            throw ETUtilityLoadError(unable);
    };
    resolve(m_init, "TUInit");
    resolve(m_exit, "TUExit");
    resolve(m_setCallBack, "TUSetCallBack");
    resolve(m_verify, "TUVerifyTable");
    resolve(m_rebuild, "TURebuildTable");
    resolve(m_descCount, "TUGetCRTblDescCount");
    resolve(m_fillDesc, "TUFillCRTblDesc");
    resolve(m_curProps, "TUFillCURProps");
    resolve(m_extProps, "TUGetExtTblProps");
    resolve(m_errorString, "TUGetErrorString");
}

TTUtility::~TTUtility() {
    m_library.unload();
}

QString TTUtility::ErrorText(hTUses session, TUResult result) const {
    char text[1024];
    if (m_errorString(session, result, text, int(sizeof text)) != TUERR_NONE)
        return QStringLiteral("Table utility error %1").arg(result);
    return QString::fromUtf8(text);
}

void TTUtility::Check(hTUses session, TUResult result) const {
    if (result != TUERR_NONE)
        throw EDatabaseError(ErrorText(session, result));
}

void TTUtility::SetUpTable(const QString& sourceFolder, const QString& tableFile,
                           const QString& borrowFolder) {
    const QString folder = WithSeparator(sourceFolder);
    TableName = folder + tableFile;
    m_ownDesc.clear();
    m_ownDescRead = false;
    Status = 0;
    RecordCount = 0;
    FieldCount = 0;
    RecordSize = 0;
    MasterPassword = false;
    AuxPasswords = 0;
    const QFileInfo info(TableName);
    if (!info.isFile())
        throw EDatabaseError(QStringLiteral("Table not found."));
    if (info.suffix().compare("db", Qt::CaseInsensitive) != 0)
        throw EDatabaseError(
            QStringLiteral("TUtility only currently supports the ttParadox table type."));
    const QString borrowed =
        borrowFolder.isEmpty() ? QString() : WithSeparator(borrowFolder) + tableFile;
    AltStructAlways = !borrowed.isEmpty() && QFileInfo(borrowed).isFile();
    AltStructName = AltStructAlways ? borrowed : QString();
    ErrorTableName = ErrorTableFile();
    KeyViolName = folder + QStringLiteral("KEYVIOL.DB");
    ProblemName = folder + QStringLiteral("PROBLEMS.DB");
    BackupName = folder + info.completeBaseName() + "_." + info.suffix();
    // A verification of the header alone tells whether the table's own structure reads.
    Session session(*this);
    int status = 0;
    Check(session.Handle(), m_verify(session.Handle(), TableName.toUtf8().constData(), "Paradox",
                                     nullptr, nullptr, TU_HEADER_ONLY, nullptr, &status));
    OwnStructureUsable = status < 3;
}

void TTUtility::ReadProperties() {
    Session session(*this);
    TUCurProps cur{};
    TUExtTblProps ext{};
    const QByteArray path = TableName.toUtf8();
    if (m_curProps(session.Handle(), path.constData(), &cur) == TUERR_NONE) {
        RecordCount = cur.records;
        FieldCount = cur.fields;
        RecordSize = cur.recordSize;
    } else {
        RecordCount = 0;
        FieldCount = 0;
        RecordSize = 0;
    }
    if (m_extProps(session.Handle(), path.constData(), &ext) == TUERR_NONE) {
        MasterPassword = ext.masterPassword != 0;
        AuxPasswords = ext.auxPasswords;
    }
}

QByteArray TTUtility::FileDescription(const QString& path) {
    Session session(*this);
    const QByteArray file = path.toUtf8();
    int bytes = 0;
    Check(session.Handle(), m_descCount(session.Handle(), file.constData(), &bytes));
    QByteArray desc(bytes, '\0');
    Check(session.Handle(), m_fillDesc(session.Handle(), file.constData(), desc.data(), bytes));
    desc.truncate(qsizetype(qstrlen(desc.constData())));
    return desc;
}

QByteArray TTUtility::OwnDescription() {
    if (m_ownDescRead)
        return m_ownDesc;
    m_ownDescRead = true;
    const QString fileName = QFileInfo(TableName).fileName();
    const DataTableDef* def = FindDataTableDef(fileName);
    if (def && def->def.tableName.compare(fileName, Qt::CaseInsensitive) == 0) {
        // The program's own definition, written by the engine into a scratch file once per
        // table for the whole run (it does not change while the program runs).
        static QHash<QString, QByteArray> described;
        if (const auto it = described.constFind(def->def.tableName); it != described.constEnd())
            return m_ownDesc = *it;
        const QString scratch = PrivateFolder() + QStringLiteral("__TMP/");
        QDir(scratch).removeRecursively();
        QDir().mkpath(scratch);
        try {
            ScratchAlias alias(scratch);
            Table table(def->def, def->name);
            table.DatabaseName = ScratchAlias::Name();
            table.CreateTable();
            m_ownDesc = WithFieldForms(FileDescription(scratch + def->def.tableName), def->def);
        } catch (...) {
            QDir(scratch).removeRecursively();
            throw;
        }
        QDir(scratch).removeRecursively();
        described.insert(def->def.tableName, m_ownDesc);
        return m_ownDesc;
    }
    try {
        m_ownDesc = FileDescription(TableName);
    } catch (const EDatabaseError&) {
        m_ownDesc.clear();
    }
    return m_ownDesc;
}

int TTUtility::Verify() {
    // A table the program defines is held to its definition; another to its own structure.
    const QString fileName = QFileInfo(TableName).fileName();
    const DataTableDef* def = FindDataTableDef(fileName);
    const bool known = def && def->def.tableName.compare(fileName, Qt::CaseInsensitive) == 0;
    const QByteArray expected = known ? OwnDescription() : QByteArray();
    Session session(*this);
    int status = 0;
    Check(session.Handle(), m_verify(session.Handle(), TableName.toUtf8().constData(), "Paradox",
                                     ErrorTableName.toUtf8().constData(), nullptr,
                                     AppendErrors ? TU_APPEND_ERRORS : 0,
                                     expected.isEmpty() ? nullptr : expected.constData(), &status));
    Status = status;
    return status;
}

void TTUtility::Rebuild(bool fromBorrowed) {
    const QByteArray desc = fromBorrowed ? FileDescription(AltStructName) : OwnDescription();
    Session session(*this);
    Check(session.Handle(),
          m_rebuild(session.Handle(), TableName.toUtf8().constData(), "Paradox",
                    KeyViolName.toUtf8().constData(), ProblemName.toUtf8().constData(),
                    BackupName.toUtf8().constData(), desc.isEmpty() ? nullptr : desc.constData()));
}
