// The access file: reading files of every size, the messages that end the program,
// and the fresh file that the build puts beside the program.
#include "OptionsFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString MissingMessage = "Program data file QFSYS.FIL not found.\n"
                               "   You must reinstall the missing file.\n"
                               "            Program teminating.";
const QString UnreadableMessage = "Could not read qfsys.fil.  Application terminating.";

} // namespace

class TestAccessFile : public QObject {
    Q_OBJECT
    ProgramFixture fx;

private slots:
    void init() { fx.Setup(); }

    void missingFile() {
        QVERIFY(!ReadAccessFile());
        QVERIFY(!AccessFileRead);
        QCOMPARE(Dialogs::ShownTexts(), QStringList{MissingMessage});
        QVERIFY(!QFile::exists(fx.AccessPath())); // never created by the program
        // Without the passwords every level is refused, without a question.
        for (int level = 1; level <= 3; ++level)
            QVERIFY(!CheckAccessPassword(level));
        QCOMPARE(Dialogs::ShownLog().size(), 1);
    }

    void readBySize_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("read");
        QTest::newRow("empty") << 0 << false;
        QTest::newRow("1 byte") << 1 << false;
        QTest::newRow("305 bytes") << 305 << false;
        QTest::newRow("306 bytes") << 306 << true;
        QTest::newRow("307 bytes") << 307 << true;
        QTest::newRow("400 bytes") << 400 << true;
    }
    void readBySize() {
        QFETCH(int, size);
        QFETCH(bool, read);
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 2, "Usher9");
        QByteArray content = RecordBytes(record) + QByteArray(94, 'z');
        content.truncate(size);
        PutFile(fx.AccessPath(), content);

        QCOMPARE(ReadAccessFile(), read);
        QCOMPARE(AccessFileRead, read);
        if (read) {
            QVERIFY(Dialogs::ShownLog().isEmpty());
            QCOMPARE(RecordBytes(AccessRecord), content.left(306));
            QCOMPARE(RecordBytes(PasswordsInForce), content.left(306));
            QCOMPARE(StoredPassword(PasswordsInForce, 2), QString("Usher9"));
        } else {
            QCOMPARE(Dialogs::ShownTexts(), QStringList{UnreadableMessage});
            QCOMPARE(RecordBytes(AccessRecord), RecordBytes(TAccessRecord()));
        }
        QCOMPARE(FileBytes(fx.AccessPath()), content); // never rewritten by reading
    }

    void folderInPlaceOfFile() {
        QVERIFY(QDir(fx.folder->path()).mkdir(AccessFileName));
        QVERIFY(!ReadAccessFile());
        QCOMPARE(Dialogs::ShownTexts(), QStringList{UnreadableMessage});
    }

    void writeWholeRecord() {
        AccessRecord = FreshAccessRecord();
        SetPassword(AccessRecord, 3, "Admin");
        QVERIFY(WriteAccessFile());
        QCOMPARE(FileBytes(fx.AccessPath()), RecordBytes(AccessRecord));
        ProgramFolder = fx.folder->file("gone/");
        QVERIFY(!WriteAccessFile());
        QVERIFY(Dialogs::ShownLog().isEmpty()); // the caller tells
    }

    // The build writes the fresh file with cmake/WriteFreshAccessFile.cmake.
    void freshFileOfTheBuild() {
        const QString cmake = QStandardPaths::findExecutable("cmake");
        const QString script = QFileInfo(QStringLiteral(__FILE__))
                                   .absoluteDir()
                                   .absoluteFilePath("../../cmake/WriteFreshAccessFile.cmake");
        if (cmake.isEmpty() || !QFile::exists(script))
            QSKIP("cmake or the script is not at hand");
        auto runScript = [&] {
            QProcess process;
            process.start(cmake, {"-DACCESS_FILE=" + fx.AccessPath(), "-P", script});
            return process.waitForFinished(60000) && process.exitCode() == 0;
        };
        QVERIFY(runScript());
        const QByteArray bytes = FileBytes(fx.AccessPath());
        QCOMPARE(bytes.size(), 306);
        QVERIFY(ReadAccessFile());
        for (int level = 1; level <= 3; ++level) {
            QVERIFY2(HasNoPassword(PasswordsInForce, level), qPrintable(QString::number(level)));
            QCOMPARE(int(PasswordsInForce.PasswordText(level).Length), 100);
            QVERIFY(CheckAccessPassword(level));
        }
        QVERIFY(Dialogs::ShownLog().isEmpty()); // nothing asked
        // Two fresh files differ in their filler.
        const QString other = fx.folder->file("other.fil");
        QProcess process;
        process.start(cmake, {"-DACCESS_FILE=" + other, "-P", script});
        QVERIFY(process.waitForFinished(60000) && process.exitCode() == 0);
        QVERIFY(FileBytes(other) != bytes);

        // A file that holds an installed password is left alone by the next build.
        SetPassword(AccessRecord, 1, "Tithe");
        QVERIFY(WriteAccessFile());
        const QByteArray installed = FileBytes(fx.AccessPath());
        QVERIFY(runScript());
        QCOMPARE(FileBytes(fx.AccessPath()), installed);
    }
};

VTX_REGISTER_TEST(TestAccessFile)
#include "tst_AccessFile.moc"
