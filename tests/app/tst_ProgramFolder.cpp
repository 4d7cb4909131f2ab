// Where the program keeps its files: beside the program file in a folder it may write
// (the build folder), in the user's own folder when it is installed or its folder is
// read-only. The user's folder is made on the first start with a fresh access file and
// kept, with its passwords, options and data, across a reinstall of the program.
#include "AppFixture.h"
#include "app/vtxAboutF.h"
#include "app/vtxMainF.h"
#include "app/vtxProgramFolder.h"
#include "app/vtxStartup.h"
#include "engine/Database.h"
#include "engine/Table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kAccessMissing = "Program data file QFSYS.FIL not found.\n"
                               "   You must reinstall the missing file.\n"
                               "            Program teminating.";
const QString kOptionsMissing = "Local configuration file missing.  Defaults not loaded.\n"
                                "A new configuration file has been created.  Please\n"
                                "reselect your configuration choices by clicking\n"
                                "Utilities and then selecting Program Options.";

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT
    AppFixture fx;
    std::unique_ptr<TProgram> program;

    // A program installed under the fixture's folder ("usr/bin/", the help file in
    // "usr/share/vestrix/"), and the user's folder under a home of its own.
    QString Bin() const { return fx.Path("usr/bin/"); }
    QString Share() const { return fx.Path("usr/share/vestrix/"); }
    QString User() const { return fx.Path("home/.local/share/Vestrix/"); }
    void InstallProgram() {
        QVERIFY(QDir().mkpath(Bin()));
        QVERIFY(QDir().mkpath(Share()));
        QVERIFY(QFile::copy(QFINDTESTDATA("../../docs/Vestrix2.hlp"), Share() + "Vestrix2.hlp"));
    }
    void RemoveProgram() { QVERIFY(QDir(fx.Path("usr")).removeRecursively()); }
    TProgramFolderFacts Facts(bool writable, bool installed) const {
        TProgramFolderFacts facts;
        facts.programFileFolder = Bin();
        facts.programFileFolderWritable = writable;
        facts.shareFolder = installed ? Share() : QString();
        facts.userFolder = User();
        return facts;
    }
    TStartupOutcome Start(const TProgramFolderChoice& choice) {
        TStartupSettings settings;
        settings.programFolder = choice.programFolder;
        settings.helpFile = choice.helpFile;
        settings.inUserFolder = choice.inUserFolder;
        settings.instanceKey = "VestrixTest-" + QString::number(QCoreApplication::applicationPid());
        settings.screenSize = QSize(1280, 1024);
        program = std::make_unique<TProgram>(settings);
        return program->Start();
    }
    // The installed program's start, as a person at this desk has it.
    TStartupOutcome StartInstalled() { return Start(DecideProgramFolder(Facts(true, true))); }
    void EndProgram() {
        program.reset();
        Aliases::Remove("Vestrix2");
        Dialogs::ClearScript();
    }

private slots:
    void init() { fx.Setup(); }
    void cleanup() {
        EndProgram();
        fx.Cleanup();
    }

    void decision_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("inUserFolder");
        QTest::addColumn<bool>("helpFromShare");
        QTest::newRow("writable program folder") << true << false << false << false;
        QTest::newRow("read-only program folder") << false << false << true << false;
        QTest::newRow("installed, read-only") << false << true << true << true;
        // Root may write into /usr/bin: an installed program still never writes there.
        QTest::newRow("installed, writable") << true << true << true << true;
    }
    void decision() {
        QFETCH(bool, writable);
        QFETCH(bool, installed);
        QFETCH(bool, inUserFolder);
        QFETCH(bool, helpFromShare);
        const TProgramFolderChoice choice = DecideProgramFolder(Facts(writable, installed));
        QCOMPARE(choice.inUserFolder, inUserFolder);
        QCOMPARE(choice.programFolder, inUserFolder ? User() : Bin());
        QCOMPARE(choice.helpFile, (helpFromShare ? Share() : Bin()) + "Vestrix2.hlp");
    }

    // An installation is known by the help file in the share folder beside "bin".
    void installedShareFolder_data() {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<bool>("withHelpFile");
        QTest::addColumn<bool>("found");
        QTest::newRow("installed") << "usr/bin/" << true << true;
        QTest::newRow("share folder without help file") << "usr/bin/" << false << false;
        QTest::newRow("build folder") << "build/" << true << false;
    }
    void installedShareFolder() {
        QFETCH(QString, programFolder);
        QFETCH(bool, withHelpFile);
        QFETCH(bool, found);
        QVERIFY(QDir().mkpath(fx.Path(programFolder)));
        QVERIFY(QDir().mkpath(Share()));
        if (withHelpFile)
            PutBytes(Share() + "Vestrix2.hlp", "<html></html>");
        QCOMPARE(InstalledShareFolder(fx.Path(programFolder)), found ? Share() : QString());
    }

    // Run from its build folder the program keeps everything beside itself, as ever.
    void buildFolderDecidesForItself() {
        const TProgramFolderFacts facts = RunningProgramFolderFacts();
        QCOMPARE(facts.programFileFolder, QCoreApplication::applicationDirPath() + "/");
        QVERIFY(facts.programFileFolderWritable);
        QCOMPARE(facts.shareFolder, QString());
        QCOMPARE(facts.userFolder,
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     "/Vestrix/");
        const TProgramFolderChoice choice = DecideProgramFolder(facts);
        QVERIFY(!choice.inUserFolder);
        QCOMPARE(choice.programFolder, facts.programFileFolder);
        QCOMPARE(choice.helpFile, facts.programFileFolder + "Vestrix2.hlp");
    }

    void folderWritable() {
        QVERIFY(FolderWritable(fx.folder->path()));
        QVERIFY(!FolderWritable(fx.Path("missing/")));
        PutBytes(fx.Path("plain file"), "x");
        QVERIFY(!FolderWritable(fx.Path("plain file")));
    }

    // Files beside the program in a folder it may write; no user folder is made.
    void writableProgramFolderKeepsFilesBeside() {
        QVERIFY(QDir().mkpath(Bin()));
        PutBytes(Bin() + AccessFileName, BytesOf(FreshAccessRecord())); // as the build writes it
        QCOMPARE(Start(DecideProgramFolder(Facts(true, false))), TStartupOutcome::Run);
        QCOMPARE(ShownKindsAndTexts(), QStringList{"message: " + kOptionsMissing});
        QCOMPARE(ProgramFolder, Bin());
        QCOMPARE(HelpFile, Bin() + "Vestrix2.hlp");
        QCOMPARE(Entries(Bin()), (QStringList{"Data", AccessFileName, OptionsFileName}));
        QCOMPARE(TDataMod::MissingTableFiles(Bin() + "Data/"), QStringList());
        QVERIFY(!QFileInfo::exists(fx.Path("home")));
    }

    // The first start of an installed program, or of one in a read-only folder: the
    // user's folder with a fresh access file, the options file and every table; nothing
    // is written beside the program.
    void firstStartMakesTheUserFolder_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("installed");
        QTest::newRow("installed, writable") << true << true;
        QTest::newRow("read-only program folder") << false << false;
    }
    void firstStartMakesTheUserFolder() {
        QFETCH(bool, writable);
        QFETCH(bool, installed);
        InstallProgram();
        PutBytes(Bin() + "Vestrix2.hlp", "<html></html>");
        QCOMPARE(Start(DecideProgramFolder(Facts(writable, installed))), TStartupOutcome::Run);
        QCOMPARE(ShownKindsAndTexts(), QStringList{"message: " + kOptionsMissing});
        QCOMPARE(ProgramFolder, User());
        QCOMPARE(HelpFile, (installed ? Share() : Bin()) + "Vestrix2.hlp");
        QCOMPARE(Aliases::Path("Vestrix2"), QDir::cleanPath(User() + "Data") + "/");
        QCOMPARE(Entries(User()), (QStringList{"Data", AccessFileName, OptionsFileName}));
        QCOMPARE(TDataMod::MissingTableFiles(User() + "Data/"), QStringList());
        QCOMPARE(QFileInfo(User() + AccessFileName).size(), qint64(sizeof(TAccessRecord)));
        QVERIFY(AccessFileRead);
        for (int level = 1; level <= 3; ++level)
            QVERIFY(HasNoPassword(PasswordsInForce, level));
        QCOMPARE(Entries(Bin()), QStringList{"Vestrix2.hlp"});
        QCOMPARE(Entries(Share()), QStringList{"Vestrix2.hlp"});
        // The About window names the folder in use.
        TAboutForm about(program->MainForm());
        QCOMPARE(about.InstallPathLabel->text(), "Installed in:  " + User());
    }

    // Passwords, options and data made by the user survive a reinstall of the program.
    void userFolderSurvivesAReinstall() {
        InstallProgram();
        QCOMPARE(StartInstalled(), TStartupOutcome::Run);
        // What the password window, the options window and the roster entry do.
        SetPassword(AccessRecord, 1, "Psalm23");
        QVERIFY(WriteAccessFile());
        OptionsRecord.OrganizationName.SetText("St. Mark");
        QVERIFY(WriteOptionsFile());
        Table* roster = DataMod->RosterT;
        roster->Insert();
        roster->FieldByName("FName")->SetAsString("Ruth");
        roster->FieldByName("LName")->SetAsString("Boaz");
        roster->FieldByName("Address1")->SetAsString("1 Field Lane");
        roster->FieldByName("IsMember")->SetAsBoolean(true);
        roster->Post();
        const QByteArray access = Contents(User() + AccessFileName);
        EndProgram();

        RemoveProgram();
        InstallProgram();
        QCOMPARE(StartInstalled(), TStartupOutcome::Run);
        QCOMPARE(ShownKindsAndTexts(), QStringList());
        QCOMPARE(program->MainForm()->windowTitle(), QString("Vestrix 2.0.0.0 for St. Mark"));
        QCOMPARE(Contents(User() + AccessFileName), access);
        QVERIFY(!HasNoPassword(PasswordsInForce, 1));
        QCOMPARE(StoredPassword(PasswordsInForce, 1), QString("Psalm23"));
        QVERIFY(HasNoPassword(PasswordsInForce, 2));
        QCOMPARE(DataMod->RosterT->RecordCount(), 1);
        QCOMPARE(DataMod->RosterT->FieldByName("LName")->AsString(), QString("Boaz"));
    }

    // Only a first start writes a fresh access file: one that went missing beside the
    // options file is reported, never replaced by one without passwords.
    void missingAccessFileIsNotReplaced() {
        InstallProgram();
        QVERIFY(QDir().mkpath(User()));
        PutBytes(User() + OptionsFileName, BytesOf(DefaultOptionsRecord()));
        QCOMPARE(StartInstalled(), TStartupOutcome::End);
        QCOMPARE(ShownKindsAndTexts(), QStringList{"message: " + kAccessMissing});
        QVERIFY(!QFileInfo::exists(User() + AccessFileName));
    }

    // A user folder that cannot be made: the error box names it; the program ends.
    void userFolderThatCannotBeMade() {
        InstallProgram();
        PutBytes(fx.Path("home"), "a file where the home folder should be");
        QCOMPARE(StartInstalled(), TStartupOutcome::End);
        QCOMPARE(ShownKindsAndTexts(),
                 QStringList{"error: Vestrix could not create its folder \"" + User() +
                             "\".\nIt keeps its options, passwords and data there."});
        QVERIFY(!program->MainForm());
    }
};

VTX_REGISTER_TEST(TestProgramFolder)
#include "tst_ProgramFolder.moc"
