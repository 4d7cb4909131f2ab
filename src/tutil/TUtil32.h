#pragma once
// The table utility library: verifies the program's table files and rebuilds damaged
// ones. It is a shared library of its own, which the program loads by file name when the
// table verify and repair window opens (TTUtility resolves these functions by name), so
// this header is its whole interface: plain C, UTF-8 texts, full paths of table files.
//
// A typical verify:
//
//     hTUses session = nullptr;
//     TUInit(&session);
//     int status = 0;
//     TUVerifyTable(session, "/data/vtxRosterT.DB", "Paradox", "/tmp/p/__VERERR.DB", nullptr,
//                   0, expectedDesc, &status);
//     TUExit(session);
//
// Status numbers of a verification:
//   0  no error;
//   1  index damage: every row reads, but an index is damaged, missing, added or differs
//      from the table's definition, or pages belong to no part of the table: a rebuild from
//      the table's own structure repairs it;
//   2  data damage: the file's own structure reads, but pages holding rows are damaged or
//      missing: a rebuild from the table's own structure keeps every row of every readable
//      page;
//   3  header damage: the file's header or the page that describes its table cannot be
//      read, yet the file still holds pages of rows: only a rebuild from a borrowed
//      structure (the same table's file from another folder) can read them;
//   4  not repairable: an empty file, a file that is no table file, a file holding another
//      table;
//   5  the file cannot be read at all.

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define TU_API __declspec(dllexport)
#else
#define TU_API __attribute__((visibility("default")))
#endif

typedef struct TUSession* hTUses;
typedef int TUResult;

// Results of the functions (0: no error). TUGetErrorString gives their texts.
enum {
    TUERR_NONE = 0,
    TUERR_INVALIDSESSION = 1,
    TUERR_VERIFYPARAMS = 2,  // "Invalid TUVerify parameters"
    TUERR_REBUILDPARAMS = 3, // "Invalid TURebuild parameters"
    TUERR_INVALIDDESC = 4,   // "Invalid table description pointer parameter"
    TUERR_INVALIDDIR = 5,    // "Invalid directory path"
    TUERR_NOTFOUND = 6,      // "Table not found."
    TUERR_UNREADABLE = 7,    // the table's structure or rows could not be read
    TUERR_WRITE = 8,         // a table could not be written
    TUERR_REPLACE = 9,       // the rebuilt table could not be put in the old one's place
    TUERR_BUFFER = 10,       // the caller's buffer is too small
    TUERR_INTERNAL = 11
};

// Verify options.
enum {
    TU_APPEND_ERRORS = 1, // add to an existing error table instead of starting a new one
    TU_HEADER_ONLY = 2    // only the header and the structure (phase 0)
};

// Progress, reported through the call-back while an operation runs.
enum { TU_PROGRESS_VERIFY = 1, TU_PROGRESS_REBUILD = 2, TU_PROGRESS_TEXT = 3 };

typedef struct TUProgress {
    int kind;        // TU_PROGRESS_...
    int phase;       // verify: 0 header, 1 index, 2 data of the table; 3 header, 4 index,
                     // 5 data, 6 integrity of its secondary indexes
    int percent;     // 0 to 100
    int indexNumber; // verify phases 3 to 6: secondary index n of m
    int indexCount;
    const char* text; // TU_PROGRESS_TEXT: a line for the user (UTF-8)
} TUProgress;

typedef void (*TUCallBack)(void* user, const TUProgress* progress);

// Properties of a table.
typedef struct TUCurProps {
    long long records;
    int fields;
    int recordSize; // bytes of a stored row, on average
} TUCurProps;

typedef struct TUExtTblProps {
    int masterPassword; // 0 or 1
    int auxPasswords;
} TUExtTblProps;

// A session for the operations that follow; TUExit frees it.
TU_API TUResult TUInit(hTUses* session);
TU_API TUResult TUExit(hTUses session);
TU_API TUResult TUSetCallBack(hTUses session, TUCallBack callBack, void* user);

// Verifies a table file. driverType must be "Paradox" (the program's table files).
// errorTable: full path of the error table that receives one row per problem (may be
// null); without TU_APPEND_ERRORS an existing error table is removed first, and one is
// written only when problems are found. expectedDesc: the table's definition as
// TUFillCRTblDesc gives it (may be null: the file's own structure is taken as right).
TU_API TUResult TUVerifyTable(hTUses session, const char* tableName, const char* driverType,
                              const char* errorTable, const char* password, int options,
                              const char* expectedDesc, int* status);

// Rebuilds a table file in place to the structure of tableDesc: every readable row is
// kept; a row that a unique index of the structure refuses goes to the key-violation
// table, a row that cannot be written for another reason to the problem table (full
// paths); the old file is kept under backupTable. Nothing is changed when the rebuild
// fails.
TU_API TUResult TURebuildTable(hTUses session, const char* tableName, const char* driverType,
                               const char* keyViolTable, const char* problemTable,
                               const char* backupTable, const char* tableDesc);

// The description of a table file's structure: TUGetCRTblDescCount gives its size in
// bytes (with the closing zero), TUFillCRTblDesc writes it into the caller's buffer.
TU_API TUResult TUGetCRTblDescCount(hTUses session, const char* tableName, int* bytes);
TU_API TUResult TUFillCRTblDesc(hTUses session, const char* tableName, char* buffer, int size);

TU_API TUResult TUFillCURProps(hTUses session, const char* tableName, TUCurProps* props);
TU_API TUResult TUGetExtTblProps(hTUses session, const char* tableName, TUExtTblProps* props);

// The text of a result, with what the session knows of its last error; written into the
// caller's buffer (cut to fit).
TU_API TUResult TUGetErrorString(hTUses session, TUResult result, char* buffer, int size);

#ifdef __cplusplus
}
#endif
