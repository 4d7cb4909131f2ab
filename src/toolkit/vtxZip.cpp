#include "toolkit/vtxZip.h"

#include <QtEndian>
#include <zlib.h>

namespace {

constexpr quint32 LocalHeaderSignature = 0x04034b50;
constexpr quint32 CentralHeaderSignature = 0x02014b50;
constexpr quint32 EndSignature = 0x06054b50;
constexpr int LocalHeaderSize = 30;
constexpr int CentralHeaderSize = 46;
constexpr int EndSize = 22;

quint16 U16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 U32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
void Put16(QByteArray& bytes, quint16 value) {
    char b[2];
    qToLittleEndian(value, b);
    bytes.append(b, 2);
}
void Put32(QByteArray& bytes, quint32 value) {
    char b[4];
    qToLittleEndian(value, b);
    bytes.append(b, 4);
}

quint32 Crc32(const QByteArray& data) {
    return quint32(crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(data.constData()),
                         uInt(data.size())));
}

std::optional<QByteArray> Inflate(const char* data, qsizetype size, qsizetype expected) {
    QByteArray out(expected, Qt::Uninitialized);
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = uInt(size);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool complete = result == Z_STREAM_END && stream.total_out == uLong(expected);
    inflateEnd(&stream);
    if (!complete)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<QList<ZipEntry>> ReadZip(const QByteArray& package) {
    // The end record is the last thing in the package, followed only by its comment.
    qsizetype end = -1;
    for (qsizetype at = package.size() - EndSize;
         at >= 0 && at >= package.size() - EndSize - 0xffff; --at) {
        if (U32(package, at) == EndSignature) {
            end = at;
            break;
        }
    }
    if (end < 0)
        return std::nullopt;
    const int count = U16(package, end + 10);
    qsizetype at = U32(package, end + 16);
    QList<ZipEntry> entries;
    for (int i = 0; i < count; ++i) {
        if (at < 0 || at + CentralHeaderSize > end || U32(package, at) != CentralHeaderSignature)
            return std::nullopt;
        const quint16 method = U16(package, at + 10);
        const quint32 crc = U32(package, at + 16);
        const qsizetype packed = U32(package, at + 20);
        const qsizetype size = U32(package, at + 24);
        const int nameLength = U16(package, at + 28);
        const int extraLength = U16(package, at + 30);
        const int commentLength = U16(package, at + 32);
        const qsizetype local = U32(package, at + 42);
        if (at + CentralHeaderSize + nameLength > end)
            return std::nullopt;
        ZipEntry entry;
        entry.name = QString::fromUtf8(package.mid(at + CentralHeaderSize, nameLength));
        at += CentralHeaderSize + nameLength + extraLength + commentLength;

        if (local + LocalHeaderSize > package.size() || U32(package, local) != LocalHeaderSignature)
            return std::nullopt;
        const qsizetype data =
            local + LocalHeaderSize + U16(package, local + 26) + U16(package, local + 28);
        if (data + packed > package.size())
            return std::nullopt;
        if (method == 0 && packed == size) {
            entry.data = package.mid(data, size);
        } else if (method == 8) {
            std::optional<QByteArray> inflated = Inflate(package.constData() + data, packed, size);
            if (!inflated)
                return std::nullopt;
            entry.data = *inflated;
        } else {
            return std::nullopt;
        }
        if (Crc32(entry.data) != crc)
            return std::nullopt;
        entries.append(entry);
    }
    return entries;
}

QByteArray WriteZip(const QList<ZipEntry>& entries) {
    constexpr quint16 Version = 20; // 2.0: what a stored entry needs
    constexpr quint16 Utf8Names = 0x0800;
    constexpr quint16 DosDate = 0x21; // 1 January 1980: no time is kept
    QByteArray package;
    QByteArray directory;
    for (const ZipEntry& entry : entries) {
        const QByteArray name = entry.name.toUtf8();
        const quint32 crc = Crc32(entry.data);
        const quint32 offset = quint32(package.size());
        Put32(package, LocalHeaderSignature);
        Put16(package, Version);
        Put16(package, Utf8Names);
        Put16(package, 0); // stored
        Put16(package, 0);
        Put16(package, DosDate);
        Put32(package, crc);
        Put32(package, quint32(entry.data.size()));
        Put32(package, quint32(entry.data.size()));
        Put16(package, quint16(name.size()));
        Put16(package, 0);
        package += name;
        package += entry.data;

        Put32(directory, CentralHeaderSignature);
        Put16(directory, Version);
        Put16(directory, Version);
        Put16(directory, Utf8Names);
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, DosDate);
        Put32(directory, crc);
        Put32(directory, quint32(entry.data.size()));
        Put32(directory, quint32(entry.data.size()));
        Put16(directory, quint16(name.size()));
        Put16(directory, 0); // extra
        Put16(directory, 0); // comment
        Put16(directory, 0); // disk
        Put16(directory, 0); // internal attributes
        Put32(directory, 0); // external attributes
        Put32(directory, offset);
        directory += name;
    }
    const quint32 directoryOffset = quint32(package.size());
    package += directory;
    Put32(package, EndSignature);
    Put16(package, 0);
    Put16(package, 0);
    Put16(package, quint16(entries.size()));
    Put16(package, quint16(entries.size()));
    Put32(package, quint32(directory.size()));
    Put32(package, directoryOffset);
    Put16(package, 0);
    return package;
}
