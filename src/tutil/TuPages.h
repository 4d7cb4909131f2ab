#pragma once
// Reading a table file page by page, without SQLite: its header, its b-tree pages and the
// rows they hold. The library uses it where SQLite refuses a damaged file: to tell which
// part of a file is damaged, and to read every row of every readable page.
//
// A table file is an SQLite database file: a 100-byte header on the first page, then pages
// of one size, each a page of a b-tree (the table's rows by row id, or an index), an
// overflow page of a long row, or a free page.

#include <QBitArray>
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace tutil {

struct FileHeader {
    bool magic = false; // the file begins with "SQLite format 3\0"
    int pageSize = 0;   // 0 when the header gives no valid page size
    int reserved = 0;   // bytes reserved at the end of each page
    quint32 freeTrunk = 0;
    quint32 freeCount = 0;
    int encoding = 1; // 1 UTF-8, 2 UTF-16 little-endian, 3 UTF-16 big-endian
    quint32 userVersion = 0;
    quint32 applicationId = 0;
    bool autoVacuum = false;
};

enum PageType : unsigned char {
    IndexInterior = 2,
    TableInterior = 5,
    IndexLeaf = 10,
    TableLeaf = 13,
};

class PageFile {
public:
    PageFile() = default;
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    // Opens the file for reading and reads its header. False when it cannot be read.
    bool Open(const QString& path);
    void Close();
    QString ErrorText() const { return m_error; }
    qint64 Size() const { return m_size; }
    const FileHeader& Header() const { return m_header; }

    // The page size in force: the header's, or the one set for a file whose header is
    // damaged (with the encoding to read its texts in).
    void SetGeometry(int pageSize, int reserved, int encoding);
    int PageSize() const { return m_pageSize; }
    int UsableSize() const { return m_pageSize - m_reserved; }
    int Encoding() const { return m_encoding; }
    // Whole pages in the file.
    quint32 PageCount() const;
    // The bytes of a page (numbered from 1); null beyond the last whole page.
    const uchar* Page(quint32 number) const;

    // For a file without a valid header: the page size at which the file's pages read as
    // b-tree pages best (0 when none does), and how many pages then read.
    int GuessPageSize(quint32* pagesThatRead = nullptr) const;

private:
    QFile m_file;
    const uchar* m_map = nullptr;
    mutable QByteArray m_buffer; // one page, when the file cannot be mapped
    qint64 m_size = 0;
    FileHeader m_header;
    int m_pageSize = 0;
    int m_reserved = 0;
    int m_encoding = 1;
    QString m_error;
};

// A b-tree page as its header describes it.
struct BtreePage {
    quint32 number = 0;
    const uchar* data = nullptr; // the whole page
    int headerOffset = 0;        // 100 on the first page
    unsigned char type = 0;
    int cellCount = 0;
    quint32 rightChild = 0; // interior pages

    bool IsLeaf() const { return type == IndexLeaf || type == TableLeaf; }
    bool IsTable() const { return type == TableLeaf || type == TableInterior; }
};

// Reads the header of a b-tree page and checks its cell pointers. False, with the
// problem, when the page is missing or is no valid b-tree page.
bool ReadBtreePage(const PageFile& file, quint32 number, BtreePage* page, QString* problem);

struct Cell {
    quint32 leftChild = 0; // interior pages
    qint64 rowid = 0;      // table pages
    qint64 payloadSize = 0;
    int localSize = 0;
    const uchar* local = nullptr;
    quint32 firstOverflow = 0; // 0: the payload lies wholly on the page
};

// Reads cell i of a page. False, with the problem, when the cell runs out of its page.
bool ReadCell(const PageFile& file, const BtreePage& page, int i, Cell* cell, QString* problem);

// The pages of the overflow chain a cell needs beyond its page.
qint64 OverflowPageCount(const PageFile& file, const Cell& cell);

// The whole payload of a cell, following its overflow pages (marked in used, when given).
// False, with the problem, when a page of the chain is missing or already used.
bool ReadPayload(const PageFile& file, const Cell& cell, QByteArray* payload, QString* problem,
                 QBitArray* used = nullptr);

// Decodes a record: one value per column (null, qint64, double, QString, QByteArray).
// False when the bytes are no valid record.
bool DecodeRecord(const QByteArray& payload, int encoding, QVariantList* values);

struct PageProblem {
    quint32 page = 0;
    QString text;
};

// What a walk over one b-tree found.
struct TreeReport {
    quint32 pages = 0;  // pages of the tree and its overflow chains
    qint64 entries = 0; // rows (table) or index entries read from its leaves
    qint64 payloadBytes = 0;
    qint64 problemCount = 0;
    QList<PageProblem> problems; // the first ones
    QList<quint32> damagedPages; // the pages the walk could not read
    bool Sound() const { return problemCount == 0; }
};

// Walks the b-trees of a file, marking each page it reaches in a shared map of used pages,
// so that a page reached twice (from two trees or twice in one) is found.
class TreeWalker {
public:
    explicit TreeWalker(const PageFile& file);

    // Walks the tree rooted at root: a table tree (rows by row id) or an index tree.
    // progress gets the share of the tree walked so far, in percent; leafCell each
    // cell of each leaf page.
    using LeafCellFn = std::function<void(const BtreePage&, const Cell&)>;
    TreeReport Walk(quint32 root, bool table, const std::function<void(int)>& progress = {},
                    const LeafCellFn& leafCell = {});
    // Walks the free-page list that the header names.
    TreeReport WalkFreeList();
    // Pages that no walk reached (the first page counts as reached once the schema's tree
    // has been walked).
    QList<quint32> UnusedPages() const;
    const QBitArray& Used() const { return m_used; }
    QBitArray& Used() { return m_used; }

private:
    struct Bounds {
        bool hasLow = false;
        qint64 low = 0; // keys must be greater
        bool hasHigh = false;
        qint64 high = 0; // keys must not be greater
    };
    void WalkPage(quint32 number, bool table, int depth, double from, double to, Bounds bounds,
                  TreeReport& report);
    void Problem(TreeReport& report, quint32 page, const QString& text);
    void ReportProgress(double share);

    const PageFile& m_file;
    QBitArray m_used;
    std::function<void(int)> m_progress;
    LeafCellFn m_leafCell;
    int m_lastPercent = -1;
    qint64 m_lastRowid = 0;
    bool m_haveRowid = false;
};

// Reads every valid cell of every table leaf page that is not marked in skip: the rows of
// a table whose tree cannot be walked. row gets the row id and the record's values.
// Returns the number of pages that read as table leaves.
quint32 ScanTableLeaves(const PageFile& file, const QBitArray& skip,
                        const std::function<void(qint64, const QVariantList&)>& row,
                        const std::function<void(int)>& progress = {});

} // namespace tutil
