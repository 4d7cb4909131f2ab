#pragma once
// The close check of a window, attached once: the window names the data sets it guards,
// and every way of closing it goes through the check. A window writes no closeEvent or
// reject of its own.
//
// - While one of the guarded data sets is in Edit or Insert, closing the window (its close
//   box, its Close button, close(), Escape in a dialog) shows "Please Post or Cancel the
//   changes." and the window stays open; nothing is posted or cancelled.
// - Then the windows it owns close first, the most deeply owned first, each through its own
//   close check: one that refuses (its pending record) keeps it open, as Exit does.
// - Otherwise the window's closing steps run (OnClose, in the order added) and it closes.
// - A guard with no data set only runs the closing steps (a view window that puts a shared
//   table back as it found it). Escape closes such a window as it closes a dialog; in an
//   entry window Escape belongs to its boxes and grids (they cancel what is typed).
//
// Every window set up with Look::SetUpWindow has a guard without data sets from the start,
// so closing any window closes the windows it owns first and a view window closes with
// Escape. A guard the window makes itself takes that one's place: a window has one guard.
//
// A dialog's code closes it with close(), never reject(), so that the check runs; Escape
// in a dialog is turned into close() by the guard.
//
// Example (the Important Dates entry window):
//   auto* guard = new TCloseGuard(this, {DataMod->RosterDatesT});
//   // and a view window that switches a shared filter off when it closes:
//   (new TCloseGuard(this))->OnClose([] { DataMod->RosterT->SetFiltered(false); });

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class DataSet;
class QCloseEvent;
class QWidget;

class TCloseGuard : public QObject {
    Q_OBJECT
public:
    static inline const QString PendingText = QStringLiteral("Please Post or Cancel the changes.");

    // Attaches the guard to the window (which owns it), in place of the one its set-up gave it.
    explicit TCloseGuard(QWidget* window, QList<const DataSet*> guarded = {});
    // The window's guard; null when it has none.
    static TCloseGuard* Of(const QWidget* window);
    // The guard of a window that makes none of its own (Look::SetUpWindow attaches it): it
    // guards no data set. Returns the guard the window has when it has one.
    static TCloseGuard* AttachDefault(QWidget* window);

    // A step run when the window closes, after the check has let it close. Errors are shown
    // through the dialogs facade (RunAction); the window closes all the same.
    void OnClose(std::function<void()> step);
    // The check alone: true when no guarded data set is pending; otherwise shows the
    // message and returns false.
    bool MayClose() const;
    // The message shown while a guarded data set is pending (PendingText unless set; the
    // Worship Memo window says "Please Post or Cancel the change.").
    void SetPendingMessage(const QString& text) { m_pendingMessage = text; }
    QString PendingMessage() const { return m_pendingMessage; }
    // Closes the visible windows this window owns, the most deeply owned first, each through
    // its own close check. False as soon as one refuses; the others stay as they are.
    bool CloseOwnedWindows();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QList<const DataSet*> m_guarded;
    QList<std::function<void()>> m_steps;
    QString m_pendingMessage = PendingText;
    bool m_default = false;
};

// The check on its own, for a close event handled by hand: while the data set is in Edit or
// Insert, shows the message, ignores the event and returns true (the window stays open);
// otherwise returns false and leaves the event alone. Nothing is posted or cancelled.
bool RefuseCloseWhileEditing(const DataSet* dataSet, QCloseEvent* event,
                             const QString& message = TCloseGuard::PendingText);
