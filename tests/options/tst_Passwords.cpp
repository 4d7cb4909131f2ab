// The password check of the guarded commands and the way a password is stored.
#include "OptionsFixture.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

QString Incorrect(int level) {
    return QString("Sorry, the level %1 password you entered is incorrect.").arg(level);
}

// Which levels ask for a password: a level asks when it records a question.
QList<int> AskingLevels() {
    QList<int> asking;
    for (int level = 1; level <= 3; ++level) {
        Dialogs::ClearScript();
        Dialogs::QueueInput(false);
        CheckAccessPassword(level);
        if (!Dialogs::ShownLog().isEmpty())
            asking << level;
    }
    Dialogs::ClearScript();
    return asking;
}

} // namespace

class TestPasswords : public QObject {
    Q_OBJECT
    ProgramFixture fx;

private slots:
    void init() { fx.Setup(); }

    void freshFileAsksNothing() {
        fx.StartWith(FreshAccessRecord());
        for (int level = 1; level <= 3; ++level)
            QVERIFY(CheckAccessPassword(level));
        QVERIFY(Dialogs::ShownLog().isEmpty());
        QVERIFY(!CheckAccessPassword(0));
        QVERIFY(!CheckAccessPassword(4));
    }

    // A password on one level leaves the markers of the others in force.
    void onlyTheLevelWithAPasswordAsks_data() {
        QTest::addColumn<int>("level");
        QTest::newRow("level 1") << 1;
        QTest::newRow("level 2") << 2;
        QTest::newRow("level 3") << 3;
    }
    void onlyTheLevelWithAPasswordAsks() {
        QFETCH(int, level);
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, level, "Secret");
        fx.StartWith(record);
        QCOMPARE(AskingLevels(), QList<int>{level});
    }

    // The marker counts only at its own position, with its own letters.
    void markerTest_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("shift");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<bool>("asks");
        QTest::newRow("level 1 in place") << 1 << 0 << "7kd2w" << false;
        QTest::newRow("level 2 in place") << 2 << 0 << "mZ4t9ab" << false;
        QTest::newRow("level 3 in place") << 3 << 0 << "p31xne" << false;
        QTest::newRow("level 1 one later") << 1 << 1 << "7kd2w" << true;
        QTest::newRow("level 3 one earlier") << 3 << -1 << "p31xne" << true;
        QTest::newRow("level 2 other case") << 2 << 0 << "MZ4T9AB" << true;
        QTest::newRow("level 2 marker of level 1") << 2 << 0 << "7kd2w" << true;
        QTest::newRow("level 3 cut short") << 3 << 0 << "p31xn" << true;
    }
    void markerTest() {
        QFETCH(int, level);
        QFETCH(int, shift);
        QFETCH(QString, marker);
        QFETCH(bool, asks);
        TAccessRecord record = FreshAccessRecord();
        QString text = QString(100, 'A');
        text.replace(2 * level + 17 + shift, marker.size(), marker);
        if (marker.size() < NoPasswordMarker(level).size())
            text.truncate(2 * level + 17 + shift + marker.size()); // string ends early
        record.PasswordText(level).SetText(text);
        fx.StartWith(record);
        QCOMPARE(AskingLevels().contains(level), asks);
    }

    void answers_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<bool>("told");
        QTest::newRow("exact") << true << "Tithe2024" << true << false;
        QTest::newRow("one letter in other case") << true << "tithe2024" << false << true;
        QTest::newRow("all capitals") << true << "TITHE2024" << false << true;
        QTest::newRow("prefix") << true << "Tithe202" << false << true;
        QTest::newRow("longer") << true << "Tithe20245" << false << true;
        QTest::newRow("trailing blank") << true << "Tithe2024 " << false << true;
        QTest::newRow("empty") << true << "" << false << false;
        QTest::newRow("cancelled") << false << "Tithe2024" << false << false;
    }
    void answers() {
        QFETCH(bool, ok);
        QFETCH(QString, answer);
        QFETCH(bool, passes);
        QFETCH(bool, told);
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 1, "Tithe2024");
        fx.StartWith(record);
        Dialogs::QueueInput(ok, answer);
        QCOMPARE(CheckAccessPassword(1), passes);
        const QList<Dialogs::Shown>& log = Dialogs::ShownLog();
        QCOMPARE(log.size(), told ? 2 : 1);
        QCOMPARE(log[0].kind, QString("query"));
        QCOMPARE(log[0].caption, QString("Password"));
        QCOMPARE(log[0].text, QString("Enter Password"));
        if (told)
            QCOMPARE(log[1].text, Incorrect(1));
    }

    // One attempt per command: choosing it again asks again.
    void eachCommandAsksAgain() {
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 2, "Door");
        fx.StartWith(record);
        Dialogs::QueueInput(true, "door");
        Dialogs::QueueInput(true, "Door");
        Dialogs::QueueInput(true, "Dor");
        QVERIFY(!CheckAccessPassword(2));
        QVERIFY(CheckAccessPassword(2));
        QVERIFY(!CheckAccessPassword(2));
        QCOMPARE(Dialogs::ShownTexts(),
                 (QStringList{"Enter Password", Incorrect(2), "Enter Password", "Enter Password",
                              Incorrect(2)}));
    }

    void accentedPassword() {
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 3, "Señor");
        fx.StartWith(record);
        Dialogs::QueueInput(true, "Sen\u0303or"); // typed with a combining tilde
        QVERIFY(CheckAccessPassword(3));
    }

    // The check keeps the passwords read at start-up for the whole run.
    void newPasswordInForceFromNextStart() {
        fx.StartWith(FreshAccessRecord());
        AccessRecord = PasswordsInForce;
        SetPassword(AccessRecord, 3, "Vestry");
        QVERIFY(WriteAccessFile());
        QVERIFY(CheckAccessPassword(3));
        QVERIFY(Dialogs::ShownLog().isEmpty());
        // Next start.
        QVERIFY(ReadAccessFile());
        Dialogs::QueueInput(true, "Vestry");
        QVERIFY(CheckAccessPassword(3));
        QCOMPARE(Dialogs::ShownTexts(), QStringList{"Enter Password"});
    }

    void promptHidesTheAnswer() {
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 1, "Hidden");
        fx.StartWith(record);
        Dialogs::SetScripted(false);
        QLineEdit::EchoMode echo = QLineEdit::Normal;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QInputDialog*>(w); dialog && dialog->isVisible()) {
                    seen = true;
                    echo = dialog->textEchoMode();
                    dialog->findChild<QLineEdit*>()->setText("Hidden");
                    dialog->accept();
                }
        });
        const bool passed = CheckAccessPassword(1);
        Dialogs::SetScripted(true);
        QVERIFY(seen);
        QCOMPARE(echo, QLineEdit::Password);
        QVERIFY(passed);
    }

    // Installing a password: a string of 100 characters of filler with the password
    // at position 2 x level + 18, and its length.
    void storedString_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("password");
        QTest::newRow("level 1") << 1 << "Offering";
        QTest::newRow("level 2 one character") << 2 << "u";
        QTest::newRow("level 3 ten characters") << 3 << "0123456789";
        QTest::newRow("level 1 longest") << 1 << QString(80, 'k');
        QTest::newRow("level 3 longest") << 3 << QString(76, 'k');
    }
    void storedString() {
        QFETCH(int, level);
        QFETCH(QString, password);
        const TAccessRecord fresh = FreshAccessRecord();
        TAccessRecord record = fresh;
        SetPassword(record, level, password);
        const QByteArray bytes = RecordBytes(record);
        const int textOffset = 3 + 101 * (level - 1);
        QCOMPARE(int(quint8(bytes[level - 1])), password.size());
        QCOMPARE(int(quint8(bytes[textOffset])), 100);
        const QByteArray text = bytes.mid(textOffset + 1, 100);
        const int at = 2 * level + 17;
        QCOMPARE(text.mid(at, password.size()), password.toLatin1());
        for (int i = 0; i < 100; ++i)
            if (i < at || i >= at + password.size())
                QVERIFY2(text[i] >= 48 && text[i] <= 122, qPrintable(QString::number(i)));
        QVERIFY(!HasNoPassword(record, level));
        QCOMPARE(StoredPassword(record, level), password);
        // The other levels are untouched.
        for (int other = 1; other <= 3; ++other)
            if (other != level) {
                QCOMPARE(record.PasswordLength(other), fresh.PasswordLength(other));
                QCOMPARE(record.PasswordText(other).Text(), fresh.PasswordText(other).Text());
            }
    }

    void fillerIsRandom() {
        TAccessRecord a = FreshAccessRecord(), b = a;
        SetPassword(a, 1, "Same");
        SetPassword(b, 1, "Same");
        QVERIFY(a.PasswordText1.Text() != b.PasswordText1.Text());
    }

    void passwordFits_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("fits");
        QTest::newRow("level 1, 80") << 1 << QString(80, 'a') << true;
        QTest::newRow("level 1, 81") << 1 << QString(81, 'a') << false;
        QTest::newRow("level 2, 78") << 2 << QString(78, 'a') << true;
        QTest::newRow("level 2, 79") << 2 << QString(79, 'a') << false;
        QTest::newRow("level 3, 76") << 3 << QString(76, 'a') << true;
        QTest::newRow("level 3, 77") << 3 << QString(77, 'a') << false;
        QTest::newRow("empty") << 1 << "" << false;
        QTest::newRow("no level") << 0 << "abc" << false;
        QTest::newRow("accented") << 2 << "Café" << true;
        QTest::newRow("outside the code page") << 2 << "Łukasz" << false;
    }
    void passwordFits() {
        QFETCH(int, level);
        QFETCH(QString, password);
        QFETCH(bool, fits);
        QCOMPARE(PasswordFits(level, password), fits);
        if (!fits && level >= 1) {
            TAccessRecord record = FreshAccessRecord();
            const QByteArray before = RecordBytes(record);
            SetPassword(record, level, password);
            QCOMPARE(RecordBytes(record), before);
        }
    }

    // A damaged file: a length byte beyond the string reads what is there.
    void lengthBeyondString() {
        TAccessRecord record = FreshAccessRecord();
        record.PasswordText1.SetText(QString(19, '#') + "abc");
        record.PasswordLength1 = 200;
        record.PasswordText3.Length = 250; // more than the capacity: counts as 100
        fx.StartWith(record);
        QCOMPARE(StoredPassword(PasswordsInForce, 1), QString("abc"));
        Dialogs::QueueInput(true, "abc");
        QVERIFY(CheckAccessPassword(1));
        QCOMPARE(PasswordsInForce.PasswordText3.Text().size(), 100);
        QVERIFY(HasNoPassword(PasswordsInForce, 3));
    }
};

VTX_REGISTER_TEST(TestPasswords)
#include "tst_Passwords.moc"
