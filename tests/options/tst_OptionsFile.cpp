// The options file: byte layout, defaults, reading files of every size, writing, the
// code page, and the switches the options put in force.
#include "OptionsFixture.h"

#include <QHelpEvent>
#include <QRandomGenerator>
#include <QTest>
#include <QWidget>

namespace {

const QString ConfigMessage = "Local configuration file missing.  Defaults not loaded.\n"
                              "A new configuration file has been created.  Please\n"
                              "reselect your configuration choices by clicking\n"
                              "Utilities and then selecting Program Options.";

// The text at a field's offset: length byte, then the characters.
QByteArray FieldAt(const QByteArray& bytes, int offset) {
    return bytes.mid(offset + 1, quint8(bytes.at(offset)));
}

TOptionsRecord SampleOptions() {
    TOptionsRecord r;
    r.StreetAddress.SetText("12 Church Lane");
    r.City.SetText("Millbrook");
    r.ConfirmCritical = false;
    r.OrganizationName.SetText("Grace Chapel");
    r.Pastor.SetText("Rev. Anna Holt");
    r.Postal.SetText("12545");
    r.ShowHints = true;
    r.SoundOn = false;
    r.State.SetText("NY");
    return r;
}

// Counts the tooltip events that reach it.
class TipCounter : public QWidget {
public:
    int tips = 0;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip)
            ++tips;
        return QWidget::event(e);
    }
};

} // namespace

class TestOptionsFile : public QObject {
    Q_OBJECT
    ProgramFixture fx;

private slots:
    void init() { fx.Setup(); }
    void cleanupTestCase() {
        SetShowHints(true);
        Dialogs::SetAlertSound(false);
    }

    void defaultRecordLayout() {
        const QByteArray b = RecordBytes(DefaultOptionsRecord());
        QCOMPARE(b.size(), 334);
        QCOMPARE(FieldAt(b, 0), QByteArray("Your Address"));
        QCOMPARE(FieldAt(b, 81), QByteArray("Your City"));
        QCOMPARE(FieldAt(b, 123), QByteArray("Your House of Worship"));
        QCOMPARE(FieldAt(b, 224), QByteArray("Your Spiritual Leader"));
        QCOMPARE(FieldAt(b, 305), QByteArray("Postal"));
        QCOMPARE(FieldAt(b, 318), QByteArray("Your State"));
        QCOMPARE(int(b.at(122)), 1);
        QCOMPARE(int(b.at(316)), 1);
        QCOMPARE(int(b.at(317)), 1);
        // Zero bytes after each text.
        QCOMPARE(b.mid(1 + 12, 80 - 12), QByteArray(68, '\0'));
        QCOMPARE(b.mid(124 + 21, 100 - 21), QByteArray(79, '\0'));
        QCOMPARE(b.mid(319 + 10), QByteArray(5, '\0'));
    }

    void readBySize_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("read");
        QTest::newRow("missing") << false << 0 << false;
        QTest::newRow("empty") << true << 0 << false;
        QTest::newRow("1 byte") << true << 1 << false;
        QTest::newRow("300 bytes") << true << 300 << false;
        QTest::newRow("333 bytes") << true << 333 << false;
        QTest::newRow("334 bytes") << true << 334 << true;
        QTest::newRow("335 bytes") << true << 335 << true;
        QTest::newRow("400 bytes") << true << 400 << true;
    }
    void readBySize() {
        QFETCH(bool, exists);
        QFETCH(int, size);
        QFETCH(bool, read);
        QByteArray content = RecordBytes(SampleOptions()) + QByteArray(66, '\x7f');
        content.truncate(size);
        if (exists)
            PutFile(fx.OptionsPath(), content);

        ReadOptionsFile();

        if (read) {
            QVERIFY(Dialogs::ShownLog().isEmpty());
            QCOMPARE(RecordBytes(OptionsRecord), content.left(334));
            QCOMPARE(OptionsRecord.OrganizationName.Text(), QString("Grace Chapel"));
            QVERIFY(!OptionsRecord.SoundOn);
            QCOMPARE(FileBytes(fx.OptionsPath()), content); // left as it was
        } else {
            QCOMPARE(Dialogs::ShownTexts(), QStringList{ConfigMessage});
            QCOMPARE(RecordBytes(OptionsRecord), RecordBytes(DefaultOptionsRecord()));
            QVERIFY(QFile::exists(fx.OptionsPath()));
            QCOMPARE(QFileInfo(fx.OptionsPath()).size(), 0); // recreated empty
        }
    }

    void emptyFileAsksAgainUntilSaved() {
        ReadOptionsFile();
        ReadOptionsFile();
        QCOMPARE(Dialogs::ShownTexts(), (QStringList{ConfigMessage, ConfigMessage}));
        QVERIFY(WriteOptionsFile());
        Dialogs::ClearScript();
        ReadOptionsFile();
        QVERIFY(Dialogs::ShownLog().isEmpty());
    }

    void fileThatCannotBeCreated() {
        ProgramFolder = fx.folder->file("no such folder/");
        try {
            ReadOptionsFile();
            QFAIL("no error raised");
        } catch (const EInOutError& e) {
            QVERIFY(QString(e.what()).contains(OptionsFileName));
        }
        QVERIFY(Dialogs::ShownLog().isEmpty());
        QCOMPARE(RecordBytes(OptionsRecord), RecordBytes(DefaultOptionsRecord()));
    }

    void writeStMark() {
        OptionsRecord.OrganizationName.SetText("St. Mark");
        QVERIFY(WriteOptionsFile());
        const QByteArray b = FileBytes(fx.OptionsPath());
        QCOMPARE(b.size(), 334);
        QCOMPARE(b.mid(123, 9), QByteArray("\x08St. Mark"));
        QCOMPARE(b, RecordBytes(OptionsRecord));
        QVERIFY(Dialogs::ShownLog().isEmpty());
        OptionsRecord = DefaultOptionsRecord();
        ReadOptionsFile();
        QVERIFY(Dialogs::ShownLog().isEmpty());
        QCOMPARE(OptionsRecord.OrganizationName.Text(), QString("St. Mark"));
    }

    void shorterTextKeepsTail() {
        OptionsRecord.OrganizationName.SetText("Holy Trinity Lutheran Church");
        QVERIFY(WriteOptionsFile());
        OptionsRecord.OrganizationName.SetText("St. Mark");
        QVERIFY(WriteOptionsFile());
        const QByteArray b = FileBytes(fx.OptionsPath());
        QCOMPARE(b.mid(123, 29), QByteArray("\x08St. Marknity Lutheran Church"));
        QCOMPARE(b.mid(152, 72), QByteArray(72, '\0'));
        OptionsRecord = DefaultOptionsRecord();
        ReadOptionsFile();
        QCOMPARE(OptionsRecord.OrganizationName.Text(), QString("St. Mark"));
    }

    void textLongerThanCapacity() {
        OptionsRecord.Postal.SetText("123456789012345");
        OptionsRecord.OrganizationName.SetText(QString(130, 'x'));
        QCOMPARE(OptionsRecord.Postal.Text(), QString("1234567890"));
        QCOMPARE(int(OptionsRecord.OrganizationName.Length), 100);
        // The neighbours are untouched.
        QCOMPARE(OptionsRecord.Pastor.Text(), QString("Your Spiritual Leader"));
        QVERIFY(OptionsRecord.ShowHints);
    }

    void writeFailure_data() {
        QTest::addColumn<bool>("folderMissing");
        QTest::newRow("folder missing") << true;
        QTest::newRow("file name taken by a folder") << false;
    }
    void writeFailure() {
        QFETCH(bool, folderMissing);
        if (folderMissing)
            ProgramFolder = fx.folder->file("gone/");
        else
            QVERIFY(QDir(fx.folder->path()).mkdir(OptionsFileName));
        OptionsRecord.OrganizationName.SetText("St. Mark");
        QVERIFY(!WriteOptionsFile());
        QCOMPARE(Dialogs::ShownTexts(),
                 QStringList{"The program configuration file could not be written."});
        QCOMPARE(OptionsRecord.OrganizationName.Text(), QString("St. Mark"));
    }

    void lengthBytesBeyondCapacity() {
        QByteArray b = RecordBytes(SampleOptions());
        b[123] = char(255); // organisation: capacity 100
        b[318] = char(16);  // state: capacity 15, the last byte of the file
        b[122] = char(7);   // logical: any byte but 0 is true
        b[316] = char(0);
        PutFile(fx.OptionsPath(), b);
        ReadOptionsFile();
        QVERIFY(Dialogs::ShownLog().isEmpty());
        QCOMPARE(OptionsRecord.OrganizationName.Text().size(), 100);
        QVERIFY(OptionsRecord.OrganizationName.Text().startsWith("Grace Chapel"));
        QCOMPARE(OptionsRecord.State.Text().size(), 15);
        QVERIFY(OptionsRecord.ConfirmCritical);
        QVERIFY(!OptionsRecord.ShowHints);
        // Writing a logical gives 0 or 1 again.
        OptionsRecord.ConfirmCritical = bool(OptionsRecord.ConfirmCritical);
        QCOMPARE(int(OptionsRecord.ConfirmCritical.Byte), 1);
    }

    void randomFilesNeverFail() {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes(int(random.bounded(420)), '\0');
            for (char& c : bytes)
                c = char(random.bounded(256));
            PutFile(fx.OptionsPath(), bytes);
            PutFile(fx.AccessPath(), bytes);
            OptionsRecord = DefaultOptionsRecord();
            ReadOptionsFile();
            const bool accessRead = ReadAccessFile();
            QCOMPARE(accessRead, bytes.size() >= 306);
            for (const auto* t : {&OptionsRecord.StreetAddress, &OptionsRecord.Pastor})
                QVERIFY(t->Text().size() <= 80);
            QVERIFY(OptionsRecord.OrganizationName.Text().size() <= 100);
            for (int level = 1; level <= 3; ++level)
                QVERIFY(StoredPassword(AccessRecord, level).size() <= 100);
        }
    }

    // Texts are Windows-1252: files of the earlier Windows program read the same, and a
    // character the code page lacks is stored as "?".
    void codePage_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("plain") << "St. Mark" << QByteArray("St. Mark") << "St. Mark";
        QTest::newRow("Latin-1 letter") << "Café" << QByteArray("Caf\xe9") << "Café";
        QTest::newRow("euro and quotes") << "\u20ac5 \u201cDeo\u201d"
                                         << QByteArray("\x80"
                                                       "5 \x93"
                                                       "Deo\x94")
                                         << "\u20ac5 \u201cDeo\u201d";
        QTest::newRow("outside the code page") << "Łódź"
                                               << QByteArray("?\xf3"
                                                             "d?")
                                               << "?ód?";
        QTest::newRow("outside the BMP") << "a\U0001F600b" << QByteArray("a?b") << "a?b";
        QTest::newRow("decomposed accent") << "Jose\u0301" << QByteArray("Jos\xe9") << "José";
    }
    void codePage() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        TShortString<15> field;
        field.SetText(text);
        QCOMPARE(QByteArray(field.Chars, field.Count()), bytes);
        QCOMPARE(field.Text(), readBack);
    }

    void switchesTakeEffect() {
        OptionsRecord.SoundOn = true;
        OptionsRecord.ShowHints = true;
        ApplyOptions();
        QVERIFY(Dialogs::AlertSound());
        TipCounter widget;
        widget.setToolTip("tip");
        QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
        QApplication::sendEvent(&widget, &tip);
        QCOMPARE(widget.tips, 1);

        OptionsRecord.SoundOn = false;
        OptionsRecord.ShowHints = false;
        ApplyOptions();
        QVERIFY(!Dialogs::AlertSound());
        QVERIFY(!ShowHintsOn());
        QApplication::sendEvent(&widget, &tip);
        QCOMPARE(widget.tips, 1); // swallowed

        SetShowHints(true);
        QApplication::sendEvent(&widget, &tip);
        QCOMPARE(widget.tips, 2);
    }

    void readingPutsOptionsInForce() {
        TOptionsRecord r = SampleOptions(); // sound off, hints on
        r.ShowHints = false;
        PutFile(fx.OptionsPath(), RecordBytes(r));
        Dialogs::SetAlertSound(true);
        ReadOptionsFile();
        QVERIFY(!Dialogs::AlertSound());
        QVERIFY(!ShowHintsOn());
        // A failed read leaves the defaults in force: sound and hints on.
        QFile::remove(fx.OptionsPath());
        OptionsRecord = DefaultOptionsRecord();
        ReadOptionsFile();
        QVERIFY(Dialogs::AlertSound());
        QVERIFY(ShowHintsOn());
    }
};

VTX_REGISTER_TEST(TestOptionsFile)
#include "tst_OptionsFile.moc"
