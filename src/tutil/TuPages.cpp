#include "TuPages.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace tutil {

namespace {

constexpr char kMagic[] = "SQLite format 3";
constexpr int kMaxDepth = 40;
constexpr int kMaxProblemsKept = 200;

quint32 U32(const uchar* p) {
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

int U16(const uchar* p) {
    return (int(p[0]) << 8) | int(p[1]);
}

// Reads an SQLite varint at p, not beyond end. Returns its length in bytes, 0 when it runs
// past end.
int ReadVarint(const uchar* p, const uchar* end, qint64* value) {
    quint64 v = 0;
    for (int i = 0; i < 9; ++i) {
        if (p + i >= end)
            return 0;
        if (i == 8) {
            v = (v << 8) | p[i];
            *value = qint64(v);
            return 9;
        }
        v = (v << 7) | (p[i] & 0x7f);
        if (!(p[i] & 0x80)) {
            *value = qint64(v);
            return i + 1;
        }
    }
    return 0;
}

bool ValidPageSize(int size) {
    return size >= 512 && size <= 65536 && (size & (size - 1)) == 0;
}

// Checks the header and cell pointers of a b-tree page held in p. Empty when it is valid.
QString CheckBtreeHeader(const uchar* p, int headerOffset, int usable) {
    const uchar* h = p + headerOffset;
    const unsigned char type = h[0];
    if (type != IndexInterior && type != TableInterior && type != IndexLeaf && type != TableLeaf)
        return QStringLiteral("is no page of a table or an index (type %1)").arg(type);
    const bool leaf = type == IndexLeaf || type == TableLeaf;
    const int headerSize = leaf ? 8 : 12;
    const int cells = U16(h + 3);
    int contentStart = U16(h + 5);
    if (contentStart == 0)
        contentStart = 65536;
    const int pointersEnd = headerOffset + headerSize + 2 * cells;
    if (pointersEnd > usable)
        return QStringLiteral("holds more cells (%1) than fit on a page").arg(cells);
    if (cells > 0 && (contentStart < pointersEnd || contentStart > usable))
        return QStringLiteral("has its cell area outside the page");
    if (h[7] > 60)
        return QStringLiteral("has too many free fragments");
    const int firstFree = U16(h + 1);
    if (firstFree != 0 && (firstFree < pointersEnd || firstFree > usable - 4))
        return QStringLiteral("has its free list outside the page");
    const uchar* pointers = h + headerSize;
    const int lowest = cells > 0 ? contentStart : pointersEnd;
    for (int i = 0; i < cells; ++i) {
        const int at = U16(pointers + 2 * i);
        if (at < lowest || at >= usable)
            return QStringLiteral("has cell %1 outside the page").arg(i + 1);
    }
    return {};
}

int LocalPayload(int usable, unsigned char type, qint64 payload) {
    const qint64 maxLocal = type == TableLeaf ? usable - 35 : ((usable - 12) * 64 / 255) - 23;
    if (payload <= maxLocal)
        return int(payload);
    const qint64 minLocal = ((usable - 12) * 32 / 255) - 23;
    const qint64 k = minLocal + ((payload - minLocal) % (usable - 4));
    return int(k <= maxLocal ? k : minLocal);
}

QString DecodeText(const uchar* p, int bytes, int encoding) {
    if (encoding == 2)
        return QStringDecoder(QStringDecoder::Utf16LE)(
            QByteArrayView(reinterpret_cast<const char*>(p), bytes));
    if (encoding == 3)
        return QStringDecoder(QStringDecoder::Utf16BE)(
            QByteArrayView(reinterpret_cast<const char*>(p), bytes));
    return QString::fromUtf8(reinterpret_cast<const char*>(p), bytes);
}

} // namespace

// ---- the file -----------------------------------------------------------------------------

bool PageFile::Open(const QString& path) {
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = m_file.errorString();
        return false;
    }
    m_size = m_file.size();
    if (m_size > 0)
        m_map = m_file.map(0, m_size);
    uchar head[100] = {};
    if (m_size >= 100) {
        if (m_map) {
            std::memcpy(head, m_map, 100);
        } else if (m_file.read(reinterpret_cast<char*>(head), 100) != 100) {
            m_error = m_file.errorString();
            return false;
        }
    }
    m_header = FileHeader();
    m_header.magic = m_size >= 100 && std::memcmp(head, kMagic, 16) == 0;
    if (m_header.magic) {
        int size = U16(head + 16);
        if (size == 1)
            size = 65536;
        m_header.pageSize = ValidPageSize(size) ? size : 0;
        m_header.reserved = head[20];
        m_header.freeTrunk = U32(head + 32);
        m_header.freeCount = U32(head + 36);
        m_header.autoVacuum = U32(head + 52) != 0;
        const quint32 encoding = U32(head + 56);
        m_header.encoding = encoding >= 1 && encoding <= 3 ? int(encoding) : 0;
        m_header.userVersion = U32(head + 60);
        m_header.applicationId = U32(head + 68);
        if (m_header.pageSize && m_header.reserved < m_header.pageSize - 480 && m_header.encoding)
            SetGeometry(m_header.pageSize, m_header.reserved, m_header.encoding);
    }
    return true;
}

void PageFile::Close() {
    if (m_map)
        m_file.unmap(const_cast<uchar*>(m_map));
    m_map = nullptr;
    m_file.close();
    m_size = 0;
}

void PageFile::SetGeometry(int pageSize, int reserved, int encoding) {
    m_pageSize = pageSize;
    m_reserved = reserved;
    m_encoding = encoding;
    m_buffer.resize(pageSize);
}

quint32 PageFile::PageCount() const {
    return m_pageSize > 0 ? quint32(m_size / m_pageSize) : 0;
}

const uchar* PageFile::Page(quint32 number) const {
    if (number < 1 || number > PageCount())
        return nullptr;
    const qint64 offset = qint64(number - 1) * m_pageSize;
    if (m_map)
        return m_map + offset;
    auto& file = const_cast<QFile&>(m_file);
    if (!file.seek(offset) || file.read(m_buffer.data(), m_pageSize) != m_pageSize)
        return nullptr;
    return reinterpret_cast<const uchar*>(m_buffer.constData());
}

int PageFile::GuessPageSize(quint32* pagesThatRead) const {
    int best = 0;
    double bestShare = 0;
    quint32 bestCount = 0;
    QByteArray page;
    for (int size = 512; size <= 65536; size *= 2) {
        const quint32 pages = quint32(m_size / size);
        if (pages < 2)
            continue;
        // At most about 2000 pages, spread over the file.
        const quint32 step = std::max<quint32>(1, (pages - 1) / 2000);
        quint32 checked = 0, valid = 0;
        for (quint32 n = 2; n <= pages; n += step) {
            const qint64 offset = qint64(n - 1) * size;
            const uchar* p = nullptr;
            if (m_map) {
                p = m_map + offset;
            } else {
                auto& file = const_cast<QFile&>(m_file);
                page.resize(size);
                if (!file.seek(offset) || file.read(page.data(), size) != size)
                    continue;
                p = reinterpret_cast<const uchar*>(page.constData());
            }
            ++checked;
            if (CheckBtreeHeader(p, 0, size).isEmpty())
                ++valid;
        }
        const double share = checked ? double(valid) / checked : 0;
        if (valid > 0 && share > bestShare + 1e-9) {
            best = size;
            bestShare = share;
            bestCount = valid;
        }
    }
    // Pages of garbage read as b-tree pages now and then; a file of pages reads nearly
    // always.
    if (bestShare < 0.5)
        best = 0;
    if (pagesThatRead)
        *pagesThatRead = best ? bestCount : 0;
    return best;
}

// ---- pages and cells ----------------------------------------------------------------------

bool ReadBtreePage(const PageFile& file, quint32 number, BtreePage* page, QString* problem) {
    const uchar* p = file.Page(number);
    if (!p) {
        *problem = QStringLiteral("Page %1 lies beyond the end of the file").arg(number);
        return false;
    }
    const int headerOffset = number == 1 ? 100 : 0;
    const QString why = CheckBtreeHeader(p, headerOffset, file.UsableSize());
    if (!why.isEmpty()) {
        *problem = QStringLiteral("Page %1 %2").arg(number).arg(why);
        return false;
    }
    page->number = number;
    page->data = p;
    page->headerOffset = headerOffset;
    page->type = p[headerOffset];
    page->cellCount = U16(p + headerOffset + 3);
    page->rightChild = page->IsLeaf() ? 0 : U32(p + headerOffset + 8);
    return true;
}

bool ReadCell(const PageFile& file, const BtreePage& page, int i, Cell* cell, QString* problem) {
    const int usable = file.UsableSize();
    const int headerSize = page.IsLeaf() ? 8 : 12;
    const uchar* pointer = page.data + page.headerOffset + headerSize + 2 * i;
    const uchar* p = page.data + U16(pointer);
    const uchar* end = page.data + usable;
    *cell = Cell();
    auto fail = [&](const char* what) {
        *problem = QStringLiteral("Page %1 cell %2 %3").arg(page.number).arg(i + 1).arg(what);
        return false;
    };
    if (page.type == TableInterior || page.type == IndexInterior) {
        if (p + 4 > end)
            return fail("runs out of the page");
        cell->leftChild = U32(p);
        p += 4;
    }
    if (page.type == TableInterior) {
        const int n = ReadVarint(p, end, &cell->rowid);
        return n ? true : fail("runs out of the page");
    }
    int n = ReadVarint(p, end, &cell->payloadSize);
    if (!n)
        return fail("runs out of the page");
    p += n;
    if (cell->payloadSize < 0 || cell->payloadSize > 0x7fffffff)
        return fail("has an impossible size");
    if (page.type == TableLeaf) {
        n = ReadVarint(p, end, &cell->rowid);
        if (!n)
            return fail("runs out of the page");
        p += n;
    }
    cell->localSize = LocalPayload(usable, page.type, cell->payloadSize);
    const bool overflow = cell->localSize < cell->payloadSize;
    if (p + cell->localSize + (overflow ? 4 : 0) > end)
        return fail("runs out of the page");
    cell->local = p;
    if (overflow) {
        cell->firstOverflow = U32(p + cell->localSize);
        if (cell->firstOverflow < 2 || cell->firstOverflow > file.PageCount())
            return fail("continues on a page beyond the end of the file");
    }
    return true;
}

qint64 OverflowPageCount(const PageFile& file, const Cell& cell) {
    const qint64 rest = cell.payloadSize - cell.localSize;
    const int chunk = file.UsableSize() - 4;
    return rest <= 0 ? 0 : (rest + chunk - 1) / chunk;
}

bool ReadPayload(const PageFile& file, const Cell& cell, QByteArray* payload, QString* problem,
                 QBitArray* used) {
    if (payload) {
        payload->resize(cell.payloadSize);
        std::memcpy(payload->data(), cell.local, cell.localSize);
    }
    qint64 done = cell.localSize;
    quint32 next = cell.firstOverflow;
    const int chunk = file.UsableSize() - 4;
    while (done < cell.payloadSize) {
        const uchar* p = file.Page(next);
        if (!p || next < 2) {
            *problem = QStringLiteral("Overflow page %1 lies beyond the end of the file").arg(next);
            return false;
        }
        if (used) {
            if (used->testBit(int(next))) {
                *problem = QStringLiteral("Overflow page %1 is used twice").arg(next);
                return false;
            }
            used->setBit(int(next));
        }
        const qint64 take = std::min<qint64>(chunk, cell.payloadSize - done);
        if (payload)
            std::memcpy(payload->data() + done, p + 4, size_t(take));
        done += take;
        next = U32(p);
    }
    return true;
}

bool DecodeRecord(const QByteArray& payload, int encoding, QVariantList* values) {
    const auto* begin = reinterpret_cast<const uchar*>(payload.constData());
    const uchar* end = begin + payload.size();
    qint64 headerSize = 0;
    int n = ReadVarint(begin, end, &headerSize);
    if (!n || headerSize < n || headerSize > payload.size())
        return false;
    const uchar* types = begin + n;
    const uchar* typesEnd = begin + headerSize;
    const uchar* body = typesEnd;
    values->clear();
    while (types < typesEnd) {
        qint64 type = 0;
        n = ReadVarint(types, typesEnd, &type);
        if (!n)
            return false;
        types += n;
        qint64 size = 0;
        switch (type) {
        case 0:
        case 8:
        case 9:
            size = 0;
            break;
        case 1:
        case 2:
        case 3:
        case 4:
            size = type;
            break;
        case 5:
            size = 6;
            break;
        case 6:
        case 7:
            size = 8;
            break;
        case 10:
        case 11:
            return false;
        default:
            size = (type - 12) / 2;
        }
        if (size < 0 || body + size > end)
            return false;
        if (type == 0) {
            values->append(QVariant());
        } else if (type == 8 || type == 9) {
            values->append(QVariant(qint64(type == 9 ? 1 : 0)));
        } else if (type <= 6) {
            qint64 v = (body[0] & 0x80) ? -1 : 0;
            for (qint64 k = 0; k < size; ++k)
                v = qint64((quint64(v) << 8) | body[k]);
            values->append(QVariant(v));
        } else if (type == 7) {
            quint64 bits = 0;
            for (int k = 0; k < 8; ++k)
                bits = (bits << 8) | body[k];
            double d;
            std::memcpy(&d, &bits, 8);
            values->append(QVariant(d));
        } else if (type % 2 == 0) {
            values->append(QVariant(QByteArray(reinterpret_cast<const char*>(body), int(size))));
        } else {
            values->append(QVariant(DecodeText(body, int(size), encoding)));
        }
        body += size;
    }
    return body == end && !values->isEmpty();
}

// ---- walking the trees --------------------------------------------------------------------

TreeWalker::TreeWalker(const PageFile& file) : m_file(file), m_used(int(file.PageCount()) + 1) {}

void TreeWalker::Problem(TreeReport& report, quint32 page, const QString& text) {
    ++report.problemCount;
    if (report.problems.size() < kMaxProblemsKept)
        report.problems.append({page, text});
}

void TreeWalker::ReportProgress(double share) {
    if (!m_progress)
        return;
    const int percent = std::clamp(int(share * 100), 0, 100);
    if (percent != m_lastPercent) {
        m_lastPercent = percent;
        m_progress(percent);
    }
}

TreeReport TreeWalker::Walk(quint32 root, bool table, const std::function<void(int)>& progress,
                            const LeafCellFn& leafCell) {
    TreeReport report;
    m_progress = progress;
    m_leafCell = leafCell;
    m_lastPercent = -1;
    m_haveRowid = false;
    ReportProgress(0);
    WalkPage(root, table, 0, 0.0, 1.0, Bounds(), report);
    ReportProgress(1.0);
    m_progress = {};
    m_leafCell = {};
    return report;
}

void TreeWalker::WalkPage(quint32 number, bool table, int depth, double from, double to,
                          Bounds bounds, TreeReport& report) {
    if (depth > kMaxDepth) {
        Problem(report, number, QStringLiteral("Page %1 lies too deep in its tree").arg(number));
        return;
    }
    if (number < 1 || number > m_file.PageCount()) {
        Problem(report, number,
                QStringLiteral("Page %1 lies beyond the end of the file").arg(number));
        report.damagedPages.append(number);
        return;
    }
    if (m_used.testBit(int(number))) {
        Problem(report, number, QStringLiteral("Page %1 is used twice").arg(number));
        return;
    }
    // A page is marked as this tree's only once it reads as one of its pages: a damaged
    // tree must not claim the pages of another.
    BtreePage page;
    QString problem;
    if (!ReadBtreePage(m_file, number, &page, &problem)) {
        Problem(report, number, problem);
        report.damagedPages.append(number);
        return;
    }
    if (page.IsTable() != table) {
        Problem(report, number,
                QStringLiteral("Page %1 belongs to another kind of tree").arg(number));
        report.damagedPages.append(number);
        return;
    }
    m_used.setBit(int(number));
    ++report.pages;
    bool pageDamaged = false;
    Cell cell;
    if (page.IsLeaf()) {
        for (int i = 0; i < page.cellCount; ++i) {
            if (!ReadCell(m_file, page, i, &cell, &problem)) {
                Problem(report, number, problem);
                pageDamaged = true;
                continue;
            }
            if (table) {
                if ((m_haveRowid && cell.rowid <= m_lastRowid) ||
                    (bounds.hasLow && cell.rowid <= bounds.low) ||
                    (bounds.hasHigh && cell.rowid > bounds.high)) {
                    Problem(report, number,
                            QStringLiteral("Page %1 holds rows out of order").arg(number));
                    pageDamaged = true;
                }
                m_lastRowid = cell.rowid;
                m_haveRowid = true;
            }
            if (cell.firstOverflow && !ReadPayload(m_file, cell, nullptr, &problem, &m_used)) {
                Problem(report, number, problem);
                pageDamaged = true;
                continue;
            }
            report.pages += quint32(OverflowPageCount(m_file, cell));
            ++report.entries;
            report.payloadBytes += cell.payloadSize;
            if (m_leafCell)
                m_leafCell(page, cell);
        }
        if (pageDamaged)
            report.damagedPages.append(number);
        ReportProgress(to);
        return;
    }
    const int children = page.cellCount + 1;
    const double share = (to - from) / children;
    Bounds childBounds = bounds;
    for (int i = 0; i < page.cellCount; ++i) {
        if (!ReadCell(m_file, page, i, &cell, &problem)) {
            Problem(report, number, problem);
            report.damagedPages.append(number);
            return;
        }
        if (!table) {
            // An index keeps entries on its interior pages too.
            if (cell.firstOverflow && !ReadPayload(m_file, cell, nullptr, &problem, &m_used)) {
                Problem(report, number, problem);
            } else {
                report.pages += quint32(OverflowPageCount(m_file, cell));
                ++report.entries;
                report.payloadBytes += cell.payloadSize;
            }
        } else {
            childBounds.hasHigh = true;
            childBounds.high = cell.rowid;
        }
        WalkPage(cell.leftChild, table, depth + 1, from + share * i, from + share * (i + 1),
                 childBounds, report);
        if (table) {
            childBounds.hasLow = true;
            childBounds.low = cell.rowid;
            childBounds.hasHigh = bounds.hasHigh;
            childBounds.high = bounds.high;
        }
    }
    WalkPage(page.rightChild, table, depth + 1, from + share * page.cellCount, to, childBounds,
             report);
}

TreeReport TreeWalker::WalkFreeList() {
    TreeReport report;
    const FileHeader& header = m_file.Header();
    quint32 trunk = header.freeTrunk;
    quint32 counted = 0;
    const quint32 maxLeaves = quint32(m_file.UsableSize() / 4 - 2);
    while (trunk != 0) {
        const uchar* p = m_file.Page(trunk);
        if (!p || trunk < 2) {
            Problem(report, trunk,
                    QStringLiteral("Free page %1 lies beyond the end of the file").arg(trunk));
            return report;
        }
        if (m_used.testBit(int(trunk))) {
            Problem(report, trunk, QStringLiteral("Free page %1 is used twice").arg(trunk));
            return report;
        }
        m_used.setBit(int(trunk));
        ++counted;
        const quint32 leaves = U32(p + 4);
        if (leaves > maxLeaves) {
            Problem(report, trunk, QStringLiteral("Free page %1 lists too many pages").arg(trunk));
            return report;
        }
        for (quint32 i = 0; i < leaves; ++i) {
            const quint32 leaf = U32(p + 8 + 4 * i);
            if (leaf < 2 || leaf > m_file.PageCount()) {
                Problem(report, trunk,
                        QStringLiteral("Free page %1 lies beyond the end of the file").arg(leaf));
                continue;
            }
            if (m_used.testBit(int(leaf))) {
                Problem(report, leaf, QStringLiteral("Free page %1 is used twice").arg(leaf));
                continue;
            }
            m_used.setBit(int(leaf));
            ++counted;
        }
        trunk = U32(p);
    }
    report.pages = counted;
    if (counted != header.freeCount)
        Problem(report, 0,
                QStringLiteral("The list of free pages holds %1 pages, the header says %2")
                    .arg(counted)
                    .arg(header.freeCount));
    return report;
}

QList<quint32> TreeWalker::UnusedPages() const {
    QList<quint32> unused;
    if (m_file.Header().autoVacuum)
        return unused; // pointer-map pages belong to no tree
    const quint32 lockPage = quint32(qint64(1) << 30) / quint32(m_file.PageSize()) + 1;
    for (quint32 n = 1; n <= m_file.PageCount(); ++n)
        if (!m_used.testBit(int(n)) && n != lockPage)
            unused.append(n);
    return unused;
}

quint32 ScanTableLeaves(const PageFile& file, const QBitArray& skip,
                        const std::function<void(qint64, const QVariantList&)>& row,
                        const std::function<void(int)>& progress) {
    const quint32 pages = file.PageCount();
    quint32 leaves = 0;
    int lastPercent = -1;
    QByteArray payload;
    QVariantList values;
    QString problem;
    for (quint32 n = 2; n <= pages; ++n) {
        if (progress) {
            const int percent = int(qint64(n) * 100 / pages);
            if (percent != lastPercent) {
                lastPercent = percent;
                progress(percent);
            }
        }
        if (n < quint32(skip.size()) && skip.testBit(int(n)))
            continue;
        const uchar* p = file.Page(n);
        if (!p || p[0] != TableLeaf)
            continue;
        BtreePage page;
        if (!ReadBtreePage(file, n, &page, &problem))
            continue;
        ++leaves;
        Cell cell;
        for (int i = 0; i < page.cellCount; ++i) {
            if (!ReadCell(file, page, i, &cell, &problem))
                continue;
            if (!ReadPayload(file, cell, &payload, &problem))
                continue;
            if (DecodeRecord(payload, file.Encoding(), &values))
                row(cell.rowid, values);
        }
    }
    return leaves;
}

} // namespace tutil
