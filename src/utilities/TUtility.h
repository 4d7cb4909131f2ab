#pragma once
// TTUtility: the program's side of the table utility library (src/tutil/TUtil32.h). It
// loads the library by file name, sets up one table at a time (its file, the structure it
// can be rebuilt from, the work tables), and verifies, rebuilds and describes it, each
// operation in a library session of its own.
//
//     TTUtility utility;                          // raises "Unable to Load libtutil32.so"
//     utility.SetUpTable(dataFolder, "vtxRosterT.DB", borrowFolder);
//     utility.ReadProperties();
//     const int status = utility.Verify();        // 0: no error
//     if (status > 0 && status <= 2 && utility.OwnStructureUsable)
//         utility.Rebuild(false);                 // from the table's own structure
//
// Errors of the library are raised as EDatabaseError with the library's text.

#include "engine/EDatabaseError.h"
#include "tutil/TUtil32.h"

#include <QLibrary>
#include <QString>
#include <functional>

// The library could not be loaded; the text is "Unable to Load " and its file name.
class ETUtilityLoadError : public EDatabaseError {
public:
    using EDatabaseError::EDatabaseError;
};

class TTUtility {
public:
    // Loads the library (LibraryFile() when empty).
    explicit TTUtility(const QString& libraryFile = {});
    ~TTUtility();
    TTUtility(const TTUtility&) = delete;
    TTUtility& operator=(const TTUtility&) = delete;

    // The library's file name on this system ("libtutil32.so", "tutil32.dll").
    static QString LibraryFileName();
    // Where the program loads it from: beside the program, unless set otherwise (tests).
    static QString LibraryFile();
    // Where an installed program finds the library, from the program file's folder.
    static QString InstalledLibraryFile(const QString& programFolder);
    static void SetLibraryFile(const QString& path); // empty: beside the program again

    // ---- the table being processed ---------------------------------------------------
    QString TableName;     // full path of the table file
    QString AltStructName; // the borrow folder's file of the same name, or empty
    bool AltStructAlways = false;
    QString ErrorTableName; // "__VERERR.DB" in the private folder
    QString KeyViolName;    // "KEYVIOL.DB" in the table's folder
    QString ProblemName;    // "PROBLEMS.DB" in the table's folder
    QString BackupName;     // the table's base name with an underscore added
    bool OwnStructureUsable = false;
    bool AlwaysRebuild = false;
    bool AppendErrors = false; // the verify option: add to an existing error table
    int Status = 0;            // of the last verification

    // Properties of the current table.
    qint64 RecordCount = 0;
    int FieldCount = 0;
    int RecordSize = 0;
    bool MasterPassword = false;
    int AuxPasswords = 0;

    // Progress of the library's operations.
    std::function<void(const TUProgress&)> OnProgress;

    // The folder of the session's private files (the error table): made on first use.
    static QString PrivateFolder();
    static void SetPrivateFolder(const QString& folder); // tests
    // The error table of a batch: "__VERERR.DB" in the private folder.
    static QString ErrorTableFile();

    // Sets up a table of the source folder: raises "Table not found." for a file that does
    // not exist and "TUtility only currently supports the ttParadox table type." for one
    // that is not a table file name (*.DB). Finds the borrowed structure in borrowFolder
    // (may be empty) and decides whether the table's own structure is usable.
    void SetUpTable(const QString& sourceFolder, const QString& tableFile,
                    const QString& borrowFolder = {});
    // Reads the properties of the table (zero when they cannot be read).
    void ReadProperties();
    // Verifies the table; returns and keeps the status.
    int Verify();
    // Rebuilds the table from the borrowed structure, or from its own.
    void Rebuild(bool fromBorrowed);

    // The table's own structure: the program's definition of a table file it knows,
    // otherwise the file's own description; empty when there is none.
    QByteArray OwnDescription();
    // The description of a table file, read by the library.
    QByteArray FileDescription(const QString& path);

private:
    class Session;
    QString ErrorText(hTUses session, TUResult result) const;
    void Check(hTUses session, TUResult result) const;

    QLibrary m_library;
    decltype(&::TUInit) m_init = nullptr;
    decltype(&::TUExit) m_exit = nullptr;
    decltype(&::TUSetCallBack) m_setCallBack = nullptr;
    decltype(&::TUVerifyTable) m_verify = nullptr;
    decltype(&::TURebuildTable) m_rebuild = nullptr;
    decltype(&::TUGetCRTblDescCount) m_descCount = nullptr;
    decltype(&::TUFillCRTblDesc) m_fillDesc = nullptr;
    decltype(&::TUFillCURProps) m_curProps = nullptr;
    decltype(&::TUGetExtTblProps) m_extProps = nullptr;
    decltype(&::TUGetErrorString) m_errorString = nullptr;
    QByteArray m_ownDesc;
    bool m_ownDescRead = false;
};
