// The zip packages of the exports: what is written reads back the same, and a damaged or
// foreign package is refused rather than read wrongly.

#include "TestSupport.h"
#include "toolkit/vtxZip.h"

#include <QRandomGenerator>
#include <QTest>

class ZipTest : public QObject {
    Q_OBJECT

    static QList<ZipEntry> Sample() {
        QByteArray binary;
        for (int i = 0; i < 600; ++i)
            binary.append(char(i * 7));
        return {{"mimetype", "application/vnd.oasis.opendocument.text"},
                {"empty.txt", {}},
                {QString::fromUtf8("Pictures/Sch\xc3\xb6n.bin"), binary}};
    }

private slots:
    void writtenPackagesReadBack() {
        const QList<ZipEntry> entries = Sample();
        const std::optional<QList<ZipEntry>> read = ReadZip(WriteZip(entries));
        QVERIFY(read);
        QCOMPARE(read->size(), entries.size());
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(read->at(i).name, entries[i].name);
            QCOMPARE(read->at(i).data, entries[i].data);
        }
        QVERIFY(ReadZip(WriteZip({})));
        QVERIFY(ReadZip(WriteZip({}))->isEmpty());
    }

    void damagedPackagesAreRefused_data() {
        QTest::addColumn<QByteArray>("package");
        const QByteArray good = WriteZip(Sample());
        QByteArray flipped = good;
        flipped[30 + 8 + 5] = char(flipped[30 + 8 + 5] ^ 0x20); // a byte of the first entry
        QTest::newRow("changed data") << flipped;
        QTest::newRow("cut short") << good.left(good.size() - 10);
        QTest::newRow("cut in the middle") << good.left(good.size() / 2);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("this is not a package at all");
        QByteArray noise(4096, Qt::Uninitialized);
        QRandomGenerator random(7);
        for (char& c : noise)
            c = char(random.bounded(256));
        QTest::newRow("noise") << noise;
        QByteArray badOffset = good;
        badOffset[badOffset.size() - 6] = char(0xff); // the directory's offset, far away
        QTest::newRow("directory elsewhere") << badOffset;
    }
    void damagedPackagesAreRefused() {
        QFETCH(QByteArray, package);
        QVERIFY(!ReadZip(package));
    }
};

VTX_REGISTER_TEST(ZipTest)
#include "tst_zip.moc"
