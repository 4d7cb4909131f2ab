#include "app/vtxStartup.h"

#include "app/vtxInstanceGuard.h"
#include "app/vtxMainF.h"
#include "app/vtxProgramFolder.h"
#include "app/vtxProgramInfo.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "engine/Database.h"
#include "toolkit/Dialogs.h"

#include <QFileInfo>
#include <QScreen>

TVestrixApplication::TVestrixApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TVestrixApplication::notify(QObject* receiver, QEvent* event) {
    return ShowingUncaughtErrors([&] { return QApplication::notify(receiver, event); });
}

bool ShowingUncaughtErrors(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const EAbort&) {
    } catch (const std::exception& error) {
        Dialogs::ErrorBox(ExceptionText(error));
    } catch (...) {
        Dialogs::ErrorBox(QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

QString ExceptionText(const std::exception& error) {
    if (const auto* dbError = dynamic_cast<const EDatabaseError*>(&error))
        return dbError->Message();
    return QString::fromUtf8(error.what());
}

void SetUpDataAlias(const QString& programFolder) {
    const QString alias = QStringLiteral("Vestrix2");
    Aliases::Remove(alias);
    Aliases::LoadIni(programFolder + QStringLiteral("vtxAliases.ini"));
    if (!Aliases::Has(alias))
        Aliases::SetPath(alias, programFolder + QStringLiteral("Data"));
}

bool CheckScreen(const QSize& screenSize) {
    if (screenSize.width() >= DesignedScreenSize.width() &&
        screenSize.height() >= DesignedScreenSize.height())
        return false;
    Dialogs::Message(QStringLiteral("Vestrix was designed for a screen\n"
                                    "resolution of 1280 x 1024 pixels.  You may want to\n"
                                    "adjust your display settings.  To do this simply\n"
                                    "right click your desktop, select settings and make\n"
                                    "the adjustment to suit your preference."),
                     Dialogs::Icon::Error, Dialogs::Ok,
                     QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    return true;
}

TProgram::TProgram(TStartupSettings settings) : m_settings(std::move(settings)) {
    if (m_settings.programFolder.isEmpty()) {
        const TProgramFolderChoice choice = DecideProgramFolder(RunningProgramFolderFacts());
        m_settings.programFolder = choice.programFolder;
        m_settings.helpFile = choice.helpFile;
        m_settings.inUserFolder = choice.inUserFolder;
    }
    if (m_settings.instanceKey.isEmpty())
        m_settings.instanceKey = TInstanceGuard::DefaultKey();
    if (!m_settings.screenSize.isValid()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        m_settings.screenSize = screen ? screen->size() : DesignedScreenSize;
    }
}

TProgram::~TProgram() {
    // The main window (and every window it owns) goes before the data it shows.
    m_mainForm.reset();
    m_guard.reset();
    m_data.reset();
}

TStartupOutcome TProgram::Start() {
    QCoreApplication::setApplicationName(QStringLiteral("Vestrix 2"));
    QCoreApplication::setApplicationVersion(ProgramInfo::ProductVersion());
    QCoreApplication::setOrganizationName(ProgramInfo::CompanyName());
    QGuiApplication::setWindowIcon(VestrixIcon());
    // The desktop entry an installation brings, so the desktop shows its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VTX_APP_ID));
    HelpFile = QStringLiteral("C:\\Vestrix 2\\Vestrix2.hlp");
    // The data module's rules speak through the dialogs facade.
    SetRuleMessageSink(&Dialogs::ShowMessage);

    // An installed program's folder is the user's: made, with a fresh access file, on
    // the first start.
    if (m_settings.inUserFolder) {
        const QString error = PrepareUserFolder(m_settings.programFolder);
        if (!error.isEmpty()) {
            Dialogs::ErrorBox(error);
            return TStartupOutcome::End;
        }
    }

    // The data module first: it connects the database (creating the data folder on
    // the very first start).
    SetUpDataAlias(m_settings.programFolder);
    try {
        m_data = std::make_unique<TDataMod>();
    } catch (const std::exception& error) {
        Dialogs::ErrorBox(ExceptionText(error));
        return TStartupOutcome::DatabaseFailed;
    }

    // Then the main window, whose setting up runs the guard and the screen check.
    m_guard = std::make_unique<TInstanceGuard>(m_settings.instanceKey);
    if (!RunSingleInstanceGuard(*m_guard))
        return TStartupOutcome::SecondCopy;
    CheckScreen(m_settings.screenSize);
    m_mainForm = std::make_unique<TMainForm>();
    m_guard->SetWindow(m_mainForm.get());
    if (!m_mainForm->FormCreate(m_settings.programFolder, m_settings.helpFile))
        return TStartupOutcome::End;
    return TStartupOutcome::Run;
}

int TProgram::Exec() {
    m_mainForm->showMaximized();
    return QCoreApplication::exec();
}

int RunVestrix(int& argc, char** argv) {
    TVestrixApplication app(argc, argv);
    TProgram program;
    TStartupOutcome outcome = TStartupOutcome::End;
    try {
        outcome = program.Start();
    } catch (const std::exception& error) {
        Dialogs::ErrorBox(ExceptionText(error));
    }
    switch (outcome) {
    case TStartupOutcome::Run:
        return program.Exec();
    case TStartupOutcome::SecondCopy:
        return 0;
    case TStartupOutcome::DatabaseFailed:
    case TStartupOutcome::End:
        break;
    }
    return 1;
}
