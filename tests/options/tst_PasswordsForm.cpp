// The Change Passwords window.
#include "OptionsFixture.h"
#include "app/vtxPasswordsF.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString Oops = "Oops.  Click Retry button to try again.";

void Type(TPasswordsForm& form, const QString& first, const QString& second) {
    form.PWEdit1->clear();
    form.PWEdit2->clear();
    TypeInto(form.PWEdit1, first);
    TypeInto(form.PWEdit2, second);
}

void ChooseLevel(TPasswordsForm& form, int level) {
    form.LevelItems[level - 1]->click();
}

} // namespace

class TestPasswordsForm : public QObject {
    Q_OBJECT
    ProgramFixture fx;

private slots:
    void init() {
        fx.Setup();
        fx.StartWith(FreshAccessRecord());
        AccessRecord = PasswordsInForce;
        TPasswordsForm::HelpCommand = nullptr;
    }

    void controls() {
        TPasswordsForm form;
        QCOMPARE(form.windowTitle(), QString("Change Passwords"));
        QVERIFY(form.isModal());
        QVERIFY(form.font().bold());
        QCOMPARE(form.size(), QSize(644, 358));
        QCOMPARE(form.Line1->text(), QString("Vestrix utilizes three passwords to access three "
                                             "differnt groups of program features. "));
        QCOMPARE(form.Line4->text(), QString("Password 3 provides access to all other "
                                             "password-protected administrative and data "
                                             "entry functions."));
        QCOMPARE(form.PWRadioGroup->title(), QString("Select Password Level to Change"));
        QCOMPARE(form.LevelItems[0]->text(), QString("Financial Functions Password"));
        QCOMPARE(form.LevelItems[1]->text(), QString("Usher Functions Password"));
        QCOMPARE(form.LevelItems[2]->text(), QString("Administrative Functions Password"));
        QCOMPARE(form.ItemIndex(), -1);
        QCOMPARE(form.Level(), 0);
        QCOMPARE(form.PWLabel1->text(), QString("Enter Password (1-10 characters)"));
        QCOMPARE(form.PWLabel2->text(), QString("Re-enter Password"));
        for (QLineEdit* edit : {form.PWEdit1, form.PWEdit2}) {
            QCOMPARE(edit->echoMode(), QLineEdit::Normal);
            QTest::keyClicks(edit, "abcdefghijklmn");
            QCOMPARE(edit->text(), QString("abcdefghij")); // at most 10 characters
        }
        QCOMPARE(form.HelpBtn->text(), QString("&Help"));
        QCOMPARE(form.RetryBtn->text(), QString("&Retry"));
        QCOMPARE(form.PasswordOKBtn->text(), QString("&Install New Password"));
    }

    void oops_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("no level chosen") << 0 << "Alms"
                                         << "Alms";
        QTest::newRow("second entry empty") << 1 << "Alms"
                                            << "";
        QTest::newRow("both empty") << 2 << ""
                                    << "";
        QTest::newRow("differ in the last character") << 1 << "Alms1"
                                                      << "Alms2";
        QTest::newRow("differ in case") << 3 << "alms"
                                        << "Alms";
        QTest::newRow("first entry empty") << 3 << ""
                                           << "Alms";
        QTest::newRow("outside the code page") << 3 << "Łukasz"
                                               << "Łukasz";
    }
    void oops() {
        QFETCH(int, level);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const QByteArray before = FileBytes(fx.AccessPath());
        const QByteArray recordBefore = RecordBytes(AccessRecord);
        TPasswordsForm form;
        if (level)
            ChooseLevel(form, level);
        Type(form, first, second);
        form.PasswordOKBtn->click();
        QCOMPARE(Dialogs::ShownTexts(), QStringList{Oops});
        QCOMPARE(Dialogs::ShownLog()[0].icon, Dialogs::Icon::Error);
        QCOMPARE(Dialogs::ShownLog()[0].buttons, Dialogs::Buttons(Dialogs::Ok));
        QCOMPARE(form.focusWidget(), form.RetryBtn);
        QCOMPARE(FileBytes(fx.AccessPath()), before);
        QCOMPARE(RecordBytes(AccessRecord), recordBefore);
    }

    void installLevel1() {
        {
            TPasswordsForm form;
            ChooseLevel(form, 1);
            QCOMPARE(form.Level(), 1);
            Type(form, "Tithe7", "Tithe7");
            form.PasswordOKBtn->click();
            QCOMPARE(Dialogs::ShownTexts(), QStringList{"Password accepted"});
            QCOMPARE(Dialogs::ShownLog()[0].icon, Dialogs::Icon::Information);
        }
        const QByteArray bytes = FileBytes(fx.AccessPath());
        QCOMPARE(bytes.size(), 306);
        QCOMPARE(int(bytes[0]), 6);
        QCOMPARE(int(bytes[3]), 100);
        QCOMPARE(bytes.mid(4 + 19, 6), QByteArray("Tithe7"));
        QCOMPARE(bytes.mid(1, 2), RecordBytes(PasswordsInForce).mid(1, 2));
        QCOMPARE(bytes.mid(104),
                 RecordBytes(PasswordsInForce).mid(104)); // levels 2, 3 as they were

        // Not in force in this run; in force from the next start.
        Dialogs::ClearScript();
        QVERIFY(CheckAccessPassword(1));
        QVERIFY(Dialogs::ShownLog().isEmpty());
        QVERIFY(ReadAccessFile());
        Dialogs::QueueInput(true, "tithe7");
        QVERIFY(!CheckAccessPassword(1));
        Dialogs::QueueInput(true, "Tithe7");
        QVERIFY(CheckAccessPassword(1));
        Dialogs::QueueInput(false);
        QVERIFY(!CheckAccessPassword(1));
        QCOMPARE(
            Dialogs::ShownTexts(),
            (QStringList{"Enter Password", "Sorry, the level 1 password you entered is incorrect.",
                         "Enter Password", "Enter Password"}));
        QVERIFY(CheckAccessPassword(2));
        QVERIFY(CheckAccessPassword(3));
    }

    // The chosen level stays for every install; another item changes it; each install
    // writes the file at once.
    void severalLevelsInOneVisit() {
        TPasswordsForm form;
        ChooseLevel(form, 3);
        Type(form, "Admin1", "Admin1");
        form.PasswordOKBtn->click();
        QCOMPARE(StoredPassword(AccessRecord, 3), QString("Admin1"));
        Type(form, "Admin2", "Admin2");
        form.PasswordOKBtn->click();
        ChooseLevel(form, 2);
        Type(form, "Usher", "Usher");
        form.PasswordOKBtn->click();
        QCOMPARE(Dialogs::ShownTexts(), QStringList(3, "Password accepted"));
        QVERIFY(ReadAccessFile());
        QCOMPARE(StoredPassword(PasswordsInForce, 3), QString("Admin2"));
        QCOMPARE(StoredPassword(PasswordsInForce, 2), QString("Usher"));
        QVERIFY(HasNoPassword(PasswordsInForce, 1));
    }

    void retryAndItemClickEmptyTheBoxes() {
        TPasswordsForm form;
        Type(form, "abc", "abd");
        ChooseLevel(form, 2);
        QVERIFY(form.PWEdit1->text().isEmpty() && form.PWEdit2->text().isEmpty());
        QCOMPARE(form.Level(), 2);
        Type(form, "abc", "abd");
        form.RetryBtn->click();
        QVERIFY(form.PWEdit1->text().isEmpty() && form.PWEdit2->text().isEmpty());
        QCOMPARE(form.Level(), 2);
    }

    void fileCannotBeWritten() {
        ProgramFolder = fx.folder->file("gone/");
        TPasswordsForm form;
        ChooseLevel(form, 2);
        Type(form, "Count", "Count");
        form.PasswordOKBtn->click();
        QCOMPARE(Dialogs::ShownTexts(), QStringList{"Password(s) could not be installed."});
        // The record in memory keeps it; the next successful install writes it.
        QCOMPARE(StoredPassword(AccessRecord, 2), QString("Count"));
        ProgramFolder = fx.folder->path();
        ChooseLevel(form, 3);
        Type(form, "Keys", "Keys");
        form.PasswordOKBtn->click();
        QVERIFY(ReadAccessFile());
        QCOMPARE(StoredPassword(PasswordsInForce, 2), QString("Count"));
        QCOMPARE(StoredPassword(PasswordsInForce, 3), QString("Keys"));
    }

    void help_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opens");
        QTest::newRow("yes") << int(Dialogs::Yes) << true;
        QTest::newRow("no") << int(Dialogs::No) << false;
    }
    void help() {
        QFETCH(int, answer);
        QFETCH(bool, opens);
        TPasswordsForm form;
        Dialogs::QueueButton(answer);
        form.HelpBtn->click();
        const QList<Dialogs::Shown>& log = Dialogs::ShownLog();
        QCOMPARE(log.size(), opens ? 2 : 1);
        QCOMPARE(log[0].text, QString("Could not find help file.  Search yourself?"));
        QCOMPARE(log[0].icon, Dialogs::Icon::Information);
        QCOMPARE(log[0].buttons, Dialogs::Yes | Dialogs::No);
        if (opens)
            QCOMPARE(log[1].kind, QString("open"));

        // With the main window's help command installed, that command runs.
        Dialogs::ClearScript();
        int runs = 0;
        TPasswordsForm::HelpCommand = [&] { ++runs; };
        form.HelpBtn->click();
        TPasswordsForm::HelpCommand = nullptr;
        QCOMPARE(runs, 1);
        QVERIFY(Dialogs::ShownLog().isEmpty());
    }

    void closeFreesTheWindow() {
        QPointer<TPasswordsForm> form = new TPasswordsForm;
        form->show();
        form->CloseBtn->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
    }
};

VTX_REGISTER_TEST(TestPasswordsForm)
#include "tst_PasswordsForm.moc"
