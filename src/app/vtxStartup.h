#pragma once
// The program's start-up: the application object that shows uncaught errors, and the
// start-up sequence from the data alias to the maximized main window.

#include <QApplication>
#include <QSize>
#include <QString>
#include <exception>
#include <functional>
#include <memory>

class TDataMod;
class TInstanceGuard;
class TMainForm;

// The application: an error that no handler catches shows its text in the error box,
// and the program goes on.
class TVestrixApplication : public QApplication {
public:
    TVestrixApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs the delivery of an event: an error that escapes it is shown in the error box
// with its own text (EAbort quietly) and false is returned; the program goes on.
bool ShowingUncaughtErrors(const std::function<bool()>& deliver);

// The text of an error as the error box shows it.
QString ExceptionText(const std::exception& error);

// Binds the alias "Vestrix2" from vtxAliases.ini in the program folder; without that
// file or entry, to the folder "Data" beside the program.
void SetUpDataAlias(const QString& programFolder);

// The smallest screen the windows were laid out for.
inline constexpr QSize DesignedScreenSize(1280, 1024);
// Warns, with a stop icon, when the screen is smaller than the designed size; true
// when it warned. Start-up goes on either way.
bool CheckScreen(const QSize& screenSize);

struct TStartupSettings {
    QString programFolder;     // empty: decided from the running program (vtxProgramFolder)
    QString helpFile;          // empty: the program folder's "Vestrix2.hlp"
    bool inUserFolder = false; // the program folder is the user's, made on the first start
    QString instanceKey;       // empty: the per-user key of the single-instance guard
    QSize screenSize;          // invalid: the primary screen's size
};

enum class TStartupOutcome {
    Run,            // the main window is ready; run the program
    SecondCopy,     // another copy is running: this copy ends
    DatabaseFailed, // the database could not be connected: its error was shown
    End,            // start-up has finished but the program must end (messages shown)
};

// The program: its data module and main window, created in that order and destroyed
// in the reverse order.
class TProgram {
public:
    explicit TProgram(TStartupSettings settings = {});
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    // The start-up sequence: title and help file, data alias and data module, the
    // single-instance guard, the screen check, the main window and its creation steps.
    TStartupOutcome Start();
    // Shows the main window maximized and runs the event loop; the exit code.
    int Exec();

    TMainForm* MainForm() const { return m_mainForm.get(); }
    TDataMod* Data() const { return m_data.get(); }
    TInstanceGuard* Guard() const { return m_guard.get(); }
    const TStartupSettings& Settings() const { return m_settings; }

private:
    TStartupSettings m_settings;
    std::unique_ptr<TDataMod> m_data;
    std::unique_ptr<TInstanceGuard> m_guard;
    std::unique_ptr<TMainForm> m_mainForm;
};

// The program entry: start-up, then the event loop until the program ends.
int RunVestrix(int& argc, char** argv);
