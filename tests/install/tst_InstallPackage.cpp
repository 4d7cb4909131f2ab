// The Debian package as a parish office gets it: made with cpack from this build,
// unpacked into a scratch root, and the unpacked program started offscreen for a user
// with a home of their own. The start probe (probe/vtxStartProbe.cpp, loaded with
// LD_PRELOAD) answers the message boxes as a person would and ends the program through
// its Exit command; the program itself runs unchanged.
#include "TestSupport.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "data/vtxDataM.h"
#include "utilities/TUtility.h"
#include "vtxInstallCheckPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <memory>

namespace {

const QString kAppId = "example.quillfen.Vestrix";
const QString kOptionsMissing = "Local configuration file missing.  Defaults not loaded. / "
                                "A new configuration file has been created.  Please / "
                                "reselect your configuration choices by clicking / "
                                "Utilities and then selecting Program Options.";

struct ToolRun {
    int exitCode = -1;
    QString output; // standard output and error together
};

ToolRun RunTool(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                int timeoutMs = 120000) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForStarted()) {
        run.output = program + ": " + process.errorString();
        return run;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.output = QString::fromLocal8Bit(process.readAll()) + "\n(killed after " +
                     QString::number(timeoutMs / 1000) + " s)";
        return run;
    }
    run.output = QString::fromLocal8Bit(process.readAll());
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and folder under the folder, as paths relative to it.
QStringList TreeOf(const QString& folder) {
    QStringList tree;
    QDirIterator walk(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                      QDirIterator::Subdirectories);
    while (walk.hasNext())
        tree << QDir(folder).relativeFilePath(walk.next());
    tree.sort();
    return tree;
}

} // namespace

class TestInstallPackage : public QObject {
    Q_OBJECT
    std::unique_ptr<TempFolder> scratch;
    QString package;

    QString Root() const { return scratch->file("root/"); }
    QString Home() const { return scratch->file("home/"); }
    QString User() const { return Home() + ".local/share/Vestrix/"; }

    // Unpacks the package into a new scratch root, as a (re)installation puts its files.
    bool Unpack() {
        QDir(Root()).removeRecursively();
        const ToolRun run = RunTool("dpkg-deb", {"-x", package, Root()});
        if (run.exitCode != 0)
            qWarning("dpkg-deb -x: %s", qPrintable(run.output));
        return run.exitCode == 0;
    }

    // Starts the unpacked program as the desktop entry does, for the scratch home; the
    // probe's lines, one a line, and whether it ended cleanly.
    QString StartInstalled(bool* cleanEnd) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                 "XDG_DATA_DIRS", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        QDir().mkpath(scratch->file("tmp"));
        QDir().mkpath(scratch->file("runtime"));
        QFile::setPermissions(scratch->file("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert("HOME", Home());
        environment.insert("USER", "vtxinstallcheck"); // a single-instance guard of its own
        environment.insert("TMPDIR", scratch->file("tmp"));
        environment.insert("XDG_RUNTIME_DIR", scratch->file("runtime"));
        // A screen of the size the windows were laid out for: no screen warning.
        QFile screen(scratch->file("screen.json"));
        if (screen.open(QIODevice::WriteOnly | QIODevice::Truncate))
            screen.write(R"({"screens": [{"name": "Desk", "x": 0, "y": 0, "width": 1280,)"
                         R"( "height": 1024, "logicalDpi": 96}]})");
        screen.close();
        environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName());
        environment.insert("LD_PRELOAD", VTX_START_PROBE);
        const ToolRun run = RunTool(Root() + "usr/bin/vestrix", {}, environment, 90000);
        QStringList probe;
        for (const QString& line : run.output.split('\n'))
            if (line.startsWith("probe: "))
                probe << line.mid(7);
        *cleanEnd = run.exitCode == 0;
        if (!*cleanEnd)
            qWarning("vestrix ended with %d:\n%s", run.exitCode, qPrintable(run.output));
        return probe.join('\n');
    }

private slots:
    void initTestCase() {
        // cpack's Debian generator reads the binary with "file" and computes the
        // dependencies with dpkg-shlibdeps; tools/vestrix.sh installs both.
        for (const char* tool : {"dpkg-deb", "dpkg-shlibdeps", "file"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(
                    QString("%1 is not installed (Debian packages dpkg-dev and file)").arg(tool)));
        scratch = std::make_unique<TempFolder>();
        const ToolRun made = RunTool(
            VTX_CPACK_COMMAND, {"--config", VTX_CPACK_CONFIG, "-B", scratch->file("package")});
        QVERIFY2(made.exitCode == 0, qPrintable(made.output));
        const QStringList debs =
            QDir(scratch->file("package")).entryList({"vestrix_*.deb"}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        package = scratch->file("package/" + debs.first());
    }

    void init() { QDir(Home()).removeRecursively(); }

    // The control fields: the dependencies come from the binary.
    void packageControl() {
        const ToolRun fields =
            RunTool("dpkg-deb", {"-f", package, "Package", "Version", "Depends"});
        QCOMPARE(fields.exitCode, 0);
        QVERIFY2(fields.output.contains("Package: vestrix\n"), qPrintable(fields.output));
        QVERIFY2(fields.output.contains("Version: 2.0.0.0\n"), qPrintable(fields.output));
        for (const char* dependency : {"libqt6widgets6", "libqt6printsupport6", "libsqlite3-0",
                                       "libc6", "fonts-liberation2", "libqt6charts6"})
            QVERIFY2(fields.output.contains(dependency), qPrintable(fields.output));
        // Nothing to run at installation: the package's only library is a private one.
        const ToolRun info = RunTool("dpkg-deb", {"-I", package});
        QCOMPARE(info.exitCode, 0);
        QVERIFY2(!info.output.contains("postinst") && !info.output.contains("postrm"),
                 qPrintable(info.output));
    }

    // What the package installs: the program, the help file, the desktop entry, the icons
    // at their sizes, the metadata, the manual page; none of the build's option files.
    void packageContents() {
        QVERIFY(Unpack());
        const QStringList tree = TreeOf(Root());
        QStringList expected = {"usr/bin/vestrix",
                                "usr/share/vestrix/Vestrix2.hlp",
                                "usr/share/applications/" + kAppId + ".desktop",
                                "usr/share/metainfo/" + kAppId + ".metainfo.xml",
                                "usr/share/man/man1/vestrix.1.gz",
                                "usr/share/doc/vestrix/copyright",
                                "usr/share/doc/vestrix/changelog.gz"};
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString icon =
                QString("usr/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId);
            expected << icon;
            QCOMPARE(QImage(Root() + icon).size(), QSize(size, size));
        }
        for (const QString& file : expected)
            QVERIFY2(tree.contains(file), qPrintable(file + " is not in the package"));
        QVERIFY(QFileInfo(Root() + "usr/bin/vestrix").isExecutable());
        // The table utility library lies where the installed program looks for it, in a
        // private folder the linker cache does not read (no ldconfig call in the package).
        const QString library = TTUtility::InstalledLibraryFile(Root() + "usr/bin");
        QVERIFY2(QFileInfo::exists(library), qPrintable(library + " is not in the package"));
        QVERIFY2(library.contains("/vestrix/"), qPrintable(library));
        for (const QString& file : tree)
            QVERIFY2(!file.endsWith(".fil") && !file.endsWith("vtxAliases.ini"),
                     qPrintable(file + " comes from the build folder"));

        const QString entry = Contents(Root() + "usr/share/applications/" + kAppId + ".desktop");
        const QStringList lines = {"Exec=vestrix", "Icon=" + kAppId, "Categories=Office;Database;",
                                   "Name=Vestrix"};
        for (const QString& line : lines)
            QVERIFY2(entry.split('\n').contains(line), qPrintable(line));
    }

    // The first start: the user's folder with a fresh access file, the options file and
    // every table; the program ends cleanly and has written nothing into the install.
    void firstStartMakesTheUserFolder() {
        QVERIFY(Unpack());
        const QStringList installed = TreeOf(Root());
        bool cleanEnd = false;
        const QString probe = StartInstalled(&cleanEnd);
        QVERIFY(cleanEnd);
        QCOMPARE(probe, "message: " + kOptionsMissing +
                            "\nmain window: Vestrix 2.0.0.0 for Your House of Worship\nexit");
        QCOMPARE(TreeOf(Root()), installed);
        QCOMPARE(QDir(User()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{"Data", AccessFileName, OptionsFileName}));
        QCOMPARE(TDataMod::MissingTableFiles(User() + "Data/"), QStringList());
        const QByteArray access = Contents(User() + AccessFileName);
        QCOMPARE(access.size(), qsizetype(sizeof(TAccessRecord)));
        TAccessRecord record;
        std::memcpy(static_cast<void*>(&record), access.constData(), sizeof record);
        for (int level = 1; level <= 3; ++level)
            QVERIFY(HasNoPassword(record, level));
    }

    // Passwords and options in the user's folder survive a reinstall of the package.
    void passwordsSurviveAReinstall() {
        QVERIFY(Unpack());
        bool cleanEnd = false;
        StartInstalled(&cleanEnd);
        QVERIFY(cleanEnd);
        TAccessRecord record = FreshAccessRecord();
        SetPassword(record, 3, "Psalm23");
        const QByteArray access(reinterpret_cast<const char*>(&record), sizeof record);
        TOptionsRecord options = DefaultOptionsRecord();
        options.OrganizationName.SetText("St. Mark");
        for (const auto& [name, bytes] :
             {std::pair{AccessFileName, access},
              std::pair{OptionsFileName,
                        QByteArray(reinterpret_cast<const char*>(&options), sizeof options)}}) {
            QFile file(User() + name);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(bytes), bytes.size());
        }

        QVERIFY(Unpack());
        const QString probe = StartInstalled(&cleanEnd);
        QVERIFY(cleanEnd);
        QCOMPARE(probe, QString("main window: Vestrix 2.0.0.0 for St. Mark\nexit"));
        QCOMPARE(Contents(User() + AccessFileName), access);
    }
};

VTX_REGISTER_TEST(TestInstallPackage)
#include "tst_InstallPackage.moc"
