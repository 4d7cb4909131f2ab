#pragma once
// Zip packages, as far as the program needs them: reading every entry of a package (stored or
// deflated) and writing a package whose entries are stored uncompressed. The OpenDocument
// files the program writes are such packages.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct ZipEntry {
    QString name;
    QByteArray data;
};

// The entries of a package in the order of its central directory; nothing when the bytes
// are not a package the reader understands or an entry is damaged.
std::optional<QList<ZipEntry>> ReadZip(const QByteArray& package);

// A package holding the entries in the given order, each stored uncompressed.
QByteArray WriteZip(const QList<ZipEntry>& entries);
