#pragma once
// The dialogs facade: every message box, input box, file dialog and modal window
// of the program goes through these functions. Tests switch on scripted mode,
// queue the answers and read back what was shown, so no test blocks on a window.

#include <QFlags>
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

namespace Dialogs {

enum class Icon { None, Information, Warning, Error, Question };

// The buttons of a message box. These are the only names callers and tests use: nothing
// outside the facade names Qt's message box.
enum Button { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };
Q_DECLARE_FLAGS(Buttons, Button)

// Message box with an icon and buttons; returns the button chosen (a Button). Caption
// empty means the application's name.
int Message(const QString& text, Icon icon = Icon::None, Buttons buttons = Ok,
            const QString& caption = {});
// A plain message with an OK button.
void ShowMessage(const QString& text);
// The standard error box, used for errors that no handler catches.
void ErrorBox(const QString& text);
// Input box: returns the text typed, or the default when cancelled.
QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue = {});
// Input query: true when the user chose OK; value holds the text typed. With
// password set, what is typed is hidden; maxLength 0 means no limit.
bool InputQuery(const QString& caption, const QString& prompt, QString& value,
                bool password = false, int maxLength = 0);
// File-open dialog; an empty result means cancelled.
QString OpenFileName(const QString& caption, const QString& folder = {},
                     const QString& filter = {});
// File-save dialog that asks before it overwrites a file; a name typed without an
// extension gets defaultSuffix ("txt"). An empty result means cancelled.
QString SaveFileName(const QString& caption, const QString& folder = {}, const QString& filter = {},
                     const QString& defaultSuffix = {});
// Existing-folder dialog; an empty result means cancelled.
QString ExistingFolder(const QString& caption, const QString& folder = {});
// Shows a window modally and returns its result (QDialog::Accepted / Rejected).
int ShowModal(QDialog* dialog);

// Sounds the alert with every message box when on (the options switch it).
void SetAlertSound(bool on);
bool AlertSound();

// ----- Scripted mode, for tests -----------------------------------------------

struct Shown {
    QString kind;    // "message", "error", "input", "query", "open", "save", "folder", "modal"
    QString caption; // caption of the box or window
    QString text;    // message text or prompt
    Icon icon = Icon::None;
    Buttons buttons;
};

// In scripted mode nothing is shown: each call takes the next queued answer of its
// kind (messages: a button; inputs: OK with a text, or cancel; modal windows: a
// handler that may drive the window before it returns a result) and records itself.
// Without a queued answer a message answers its first button among OK, Yes; an
// input is cancelled; a modal window returns Rejected after its handler, if any.
void SetScripted(bool on);
bool Scripted();
void QueueButton(int button);
void QueueInput(bool ok, const QString& text = {});
void QueueFile(const QString& path);
void QueueModal(std::function<int(QDialog*)> handler);
// Called for every modal window in scripted mode when no handler is queued.
void SetDefaultModalHandler(std::function<int(QDialog*)> handler);
const QList<Shown>& ShownLog();
QStringList ShownTexts(); // the texts of everything shown, in order
void ClearScript();       // empties the queues and the log

} // namespace Dialogs

Q_DECLARE_OPERATORS_FOR_FLAGS(Dialogs::Buttons)
