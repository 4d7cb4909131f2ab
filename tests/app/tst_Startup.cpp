// Start-up as the program runs it: the data module, the single-instance guard, the
// screen check, the data sets in their order, the option files, the help file and the
// caption; each failure with its messages and whether the program goes on.
#include "AppFixture.h"
#include "app/vtxInstanceGuard.h"
#include "app/vtxMainF.h"
#include "app/vtxStartup.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxWindowHabits.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QString kDataSetsFailed = "Could not open database or database tables.\n"
                                "If on a network, be sure you are connected to your server.";
const QString kAccessMissing = "Program data file QFSYS.FIL not found.\n"
                               "   You must reinstall the missing file.\n"
                               "            Program teminating.";
const QString kOptionsMissing = "Local configuration file missing.  Defaults not loaded.\n"
                                "A new configuration file has been created.  Please\n"
                                "reselect your configuration choices by clicking\n"
                                "Utilities and then selecting Program Options.";
const QString kScreenWarning = "Vestrix was designed for a screen\n"
                               "resolution of 1280 x 1024 pixels.  You may want to\n"
                               "adjust your display settings.  To do this simply\n"
                               "right click your desktop, select settings and make\n"
                               "the adjustment to suit your preference.";

} // namespace

// An entry window with the program's close check on the shared roster.
class PendingRecordWindow : public QWidget {
public:
    explicit PendingRecordWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
        setAttribute(Qt::WA_DeleteOnClose);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        RefuseCloseWhileEditing(DataMod->RosterT, event);
    }
};

class TestStartup : public QObject {
    Q_OBJECT
    AppFixture fx;
    std::unique_ptr<TProgram> program;

    // A program installed in the fixture's folder, as a person would have it: the
    // data folder, the options naming St. Mark and a fresh access file.
    void Install() {
        fx.CreateData();
        fx.WriteOptions("St. Mark");
        fx.WriteAccess(FreshAccessRecord());
    }
    TStartupOutcome Start(QSize screen = QSize(1280, 1024)) {
        TStartupSettings settings;
        settings.programFolder = fx.folder->path();
        settings.instanceKey = "VestrixTest-" + QString::number(QCoreApplication::applicationPid());
        settings.screenSize = screen;
        program = std::make_unique<TProgram>(settings);
        return program->Start();
    }

private slots:
    void init() { fx.Setup(); }
    void cleanup() {
        program.reset();
        Aliases::Remove("Vestrix2");
        fx.Cleanup();
    }

    void startsOnAnInstalledFolder() {
        Install();
        QCOMPARE(Start(), TStartupOutcome::Run);
        QCOMPARE(ShownKindsAndTexts(), QStringList());
        TMainForm* form = program->MainForm();
        QCOMPARE(form->windowTitle(), QString("Vestrix 2.0.0.0 for St. Mark"));
        QCOMPARE(ProgramFolder, fx.folder->path());
        QCOMPARE(HelpFile, fx.folder->path() + "Vestrix2.hlp");
        QCOMPARE(QCoreApplication::applicationName(), QString("Vestrix 2"));
        QCOMPARE(Aliases::Path("Vestrix2"), QDir::cleanPath(fx.DataFolder()) + "/");
        for (DataSet* dataSet : DataMod->StartupDataSets())
            QVERIFY2(dataSet->Active(), qPrintable(dataSet->Name));
        QVERIFY(!DataMod->ConfirmationT->Active());
        QVERIFY(!DataMod->vtxMemberQ->Active());
        QVERIFY(!form->isVisible()); // shown maximized by the event loop's start
    }

    // The first start: no data folder yet; it is made with every table, empty.
    void firstStartCreatesTheDataFolder() {
        fx.WriteOptions("St. Mark");
        fx.WriteAccess(FreshAccessRecord());
        QVERIFY(!QFileInfo::exists(fx.DataFolder()));
        QCOMPARE(Start(), TStartupOutcome::Run);
        QCOMPARE(ShownKindsAndTexts(), QStringList());
        QCOMPARE(TDataMod::MissingTableFiles(fx.DataFolder()), QStringList());
        QCOMPARE(DataMod->RosterT->RecordCount(), 0);
    }

    // The data folder named by vtxAliases.ini in the program folder.
    void aliasFileNamesTheDataFolder() {
        fx.WriteOptions("St. Mark");
        fx.WriteAccess(FreshAccessRecord());
        PutBytes(fx.Path("vtxAliases.ini"), "[Vestrix2]\nPATH=Parish Data\n");
        QCOMPARE(Start(), TStartupOutcome::Run);
        QVERIFY(QFileInfo(fx.Path("Parish Data/vtxRosterT.DB")).isFile());
        QVERIFY(!QFileInfo::exists(fx.DataFolder()));
    }

    // A missing table file: the data sets after it stay closed, the message comes,
    // the option files are still read, and the program ends.
    void missingTableFileEndsTheProgram() {
        Install();
        QVERIFY(QFile::remove(fx.DataFolder() + "vtxMarriageT.db"));
        QCOMPARE(Start(), TStartupOutcome::End);
        QCOMPARE(ShownKindsAndTexts(), QStringList{"message: " + kDataSetsFailed});
        QVERIFY(DataMod->BaptismT->Active());
        QVERIFY(DataMod->LayMinistryRosterT->Active());
        QVERIFY(!DataMod->MarriageT->Active());
        QVERIFY(!DataMod->RosterT->Active());
        QCOMPARE(program->MainForm()->windowTitle(), QString("Vestrix 2.0.0.0 for St. Mark"));
    }

    // The options file's message follows the data sets' message, then the access
    // file's; the program ends.
    void failuresFollowOneAnother() {
        Install();
        QVERIFY(QFile::remove(fx.DataFolder() + "vtxUsherReportT.db"));
        QVERIFY(QFile::remove(fx.Path(OptionsFileName)));
        QVERIFY(QFile::remove(fx.Path(AccessFileName)));
        QCOMPARE(Start(), TStartupOutcome::End);
        QCOMPARE(ShownKindsAndTexts(),
                 (QStringList{"message: " + kDataSetsFailed, "message: " + kOptionsMissing,
                              "message: " + kAccessMissing}));
    }

    void missingAccessFileEndsTheProgram() {
        Install();
        QVERIFY(QFile::remove(fx.Path(AccessFileName)));
        QCOMPARE(Start(), TStartupOutcome::End);
        QCOMPARE(ShownKindsAndTexts(), QStringList{"message: " + kAccessMissing});
        QCOMPARE(program->MainForm()->windowTitle(), QString("Vestrix 2 "));
    }

    // A short options file is read as missing: recreated empty, the defaults in force,
    // and the program goes on.
    void shortOptionsFileGoesOnWithDefaults() {
        Install();
        PutBytes(fx.Path(OptionsFileName), QByteArray(300, 'x'));
        QCOMPARE(Start(), TStartupOutcome::Run);
        QCOMPARE(ShownKindsAndTexts(), QStringList{"message: " + kOptionsMissing});
        QCOMPARE(QFileInfo(fx.Path(OptionsFileName)).size(), 0);
        QCOMPARE(program->MainForm()->windowTitle(),
                 QString("Vestrix 2.0.0.0 for Your House of Worship"));
    }

    // An options file that cannot even be made: the system's error in the error box,
    // the rest of the creation steps skipped; without its passwords the program ends.
    void optionsFileThatCannotBeMadeEndsTheProgram() {
        Install();
        QVERIFY(QFile::remove(fx.Path(OptionsFileName)));
        QVERIFY(QDir(fx.folder->path()).mkdir(OptionsFileName));
        QCOMPARE(Start(), TStartupOutcome::End);
        QCOMPARE(Dialogs::ShownLog().size(), 1);
        QCOMPARE(Dialogs::ShownLog().first().kind, QString("error"));
        QVERIFY(!Dialogs::ShownLog().first().text.isEmpty());
        QVERIFY(!AccessFileRead);
        QCOMPARE(program->MainForm()->windowTitle(), QString("Vestrix 2 "));
        QCOMPARE(HelpFile, QString("C:\\Vestrix 2\\Vestrix2.hlp"));
    }

    // The database cannot be connected: the engine's error, nothing of the main
    // window's own handling.
    void unreachableDatabaseEndsAtOnce() {
        fx.WriteOptions("St. Mark");
        fx.WriteAccess(FreshAccessRecord());
        PutBytes(fx.Path("plain file"), "not a folder");
        PutBytes(fx.Path("vtxAliases.ini"), "[Vestrix2]\nPATH=plain file/Data\n");
        QCOMPARE(Start(), TStartupOutcome::DatabaseFailed);
        QCOMPARE(Dialogs::ShownLog().size(), 1);
        QCOMPARE(Dialogs::ShownLog().first().kind, QString("error"));
        QVERIFY(!program->MainForm());
        QVERIFY(!DataMod);
    }

    void screenCheck_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("warned");
        QTest::newRow("1280 x 1024") << QSize(1280, 1024) << false;
        QTest::newRow("1920 x 1200") << QSize(1920, 1200) << false;
        QTest::newRow("1280 x 800") << QSize(1280, 800) << true;
        QTest::newRow("1024 x 1280") << QSize(1024, 1280) << true;
        QTest::newRow("1279 x 1024") << QSize(1279, 1024) << true;
    }
    void screenCheck() {
        QFETCH(QSize, screen);
        QFETCH(bool, warned);
        QCOMPARE(CheckScreen(screen), warned);
        QCOMPARE(ShownKindsAndTexts(),
                 warned ? QStringList{"message: " + kScreenWarning} : QStringList());
        if (warned) {
            const Dialogs::Shown& box = Dialogs::ShownLog().first();
            QCOMPARE(box.icon, Dialogs::Icon::Error);
            QCOMPARE(box.buttons, Dialogs::Buttons(Dialogs::Ok));
            QCOMPARE(box.caption, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        }
    }

    // On a small screen the warning comes once and the program goes on.
    void smallScreenWarnsAndGoesOn() {
        Install();
        QCOMPARE(Start(QSize(1280, 800)), TStartupOutcome::Run);
        QCOMPARE(ShownKindsAndTexts(), QStringList{"message: " + kScreenWarning});
    }

    // Exit closes the data sets and ends the event loop; the close box ends it too.
    void exitAndCloseBoxEndTheProgram_data() {
        QTest::addColumn<bool>("exitCommand");
        QTest::newRow("Exit Vestrix") << true;
        QTest::newRow("close box") << false;
    }
    void exitAndCloseBoxEndTheProgram() {
        QFETCH(bool, exitCommand);
        Install();
        QCOMPARE(Start(), TStartupOutcome::Run);
        TMainForm* form = program->MainForm();
        bool stuck = false;
        QTimer::singleShot(0, form, [&] {
            if (exitCommand)
                form->MenuItem("EXitVestrix1")->trigger();
            else
                form->close();
        });
        QTimer::singleShot(10000, [&] {
            stuck = true;
            QCoreApplication::exit(1);
        });
        QCOMPARE(program->Exec(), 0);
        QVERIFY(!stuck);
        const bool tablesOpen = DataMod->RosterT->Active();
        QCOMPARE(tablesOpen, !exitCommand);
        // Exit closes the data sets of VTX2Database; the passing table is reached
        // through the alias and stays open.
        if (exitCommand) {
            for (DataSet* dataSet : DataMod->StartupDataSets()) {
                const DataTableDef* def = FindDataTableDef(dataSet->Name);
                const bool throughAlias = def && def->throughAlias;
                QCOMPARE(dataSet->Active(), throughAlias);
            }
            QVERIFY(DataMod->PassingT->Active());
        }
    }

    // The access file that the build writes beside the program: every level without a
    // password; a second run of the build leaves an existing file (and its passwords) alone.
    void installedAccessFileHasNoPasswords() {
        const QString script = QFINDTESTDATA("../../cmake/WriteFreshAccessFile.cmake");
        const QString cmake = QStandardPaths::findExecutable("cmake");
        QVERIFY(!script.isEmpty());
        if (cmake.isEmpty())
            QSKIP("cmake is not on the PATH");
        const QString written = fx.Path(AccessFileName);
        QFile::remove(written);
        auto runBuildStep = [&] {
            return QProcess::execute(cmake, {"-DACCESS_FILE=" + written, "-P", script});
        };
        QCOMPARE(runBuildStep(), 0);
        QCOMPARE(QFileInfo(written).size(), qint64(sizeof(TAccessRecord)));
        QFile file(written);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray first = file.readAll();
        file.close();
        QCOMPARE(runBuildStep(), 0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), first);
        file.close();
        QVERIFY(ReadAccessFile());
        for (int level = 1; level <= 3; ++level) {
            QVERIFY(HasNoPassword(PasswordsInForce, level));
            QVERIFY(CheckAccessPassword(level));
        }
        QCOMPARE(ShownKindsAndTexts(), QStringList());
    }

    // A window holding a pending record refuses to close, and so the program stays open;
    // once the record is cancelled the same command ends the program.
    void aPendingRecordKeepsTheProgramOpen_data() { exitAndCloseBoxEndTheProgram_data(); }
    void aPendingRecordKeepsTheProgramOpen() {
        QFETCH(bool, exitCommand);
        Install();
        QCOMPARE(Start(), TStartupOutcome::Run);
        TMainForm* form = program->MainForm();
        Table* roster = DataMod->RosterT;
        roster->Insert();
        roster->FieldByName("LName")->SetAsString("Pending");
        auto* entry = new PendingRecordWindow(form);
        entry->show();
        auto end = [&] {
            if (exitCommand)
                form->MenuItem("EXitVestrix1")->trigger();
            else
                form->close();
        };
        bool keptOpen = false;
        bool stuck = false;
        QTimer::singleShot(0, form, [&] {
            end();
            keptOpen = form->isVisible() && entry->isVisible() &&
                       roster->State() == DataSetState::Insert && roster->Active();
            roster->Cancel();
            end();
        });
        QTimer::singleShot(10000, [&] {
            stuck = true;
            QCoreApplication::exit(1);
        });
        QCOMPARE(program->Exec(), 0);
        QVERIFY(!stuck);
        QVERIFY(keptOpen);
        QCOMPARE(Dialogs::ShownTexts().count("Please Post or Cancel the changes."), 1);
    }

    // An error that no handler catches is shown with its own text; EAbort is quiet.
    void uncaughtErrorsAreShown() {
        QCOMPARE(ShowingUncaughtErrors([] { return true; }), true);
        QCOMPARE(ShowingUncaughtErrors([]() -> bool { throw EDatabaseError("Key violation."); }),
                 false);
        QCOMPARE(ShowingUncaughtErrors([]() -> bool { throw EAbort(); }), false);
        QCOMPARE(ShowingUncaughtErrors([]() -> bool { throw std::runtime_error("Disk full"); }),
                 false);
        QCOMPARE(ShownKindsAndTexts(), (QStringList{"error: Key violation.", "error: Disk full"}));
    }
};

VTX_REGISTER_TEST(TestStartup)
#include "tst_Startup.moc"
