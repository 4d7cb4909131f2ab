#pragma once
// Habits shared by the windows: running a button's action with the program's error
// handling, and the close check of entry windows.

#include <QString>
#include <functional>

class DataSet;
class QCloseEvent;
class QWidget;

// Runs an action: an EDatabaseError (or any other standard error) is shown in the error
// box of the dialogs facade with its own text, EAbort is quiet (a rule has already spoken).
// True when the action ran to its end. Every button handler that touches a table uses it.
bool RunAction(const std::function<void()>& action);

// The close check of an entry window: while the data set is in Edit or Insert, shows the
// message, ignores the close event and returns true (the window stays open); otherwise
// returns false and leaves the event alone. Nothing is posted or cancelled.
bool RefuseCloseWhileEditing(const DataSet* dataSet, QCloseEvent* event,
                             const QString& message = "Please Post or Cancel the changes.");

// True when the data set is open and in Edit or Insert.
bool IsEditing(const DataSet* dataSet);

// Closes every other visible window of the program, owned windows before their owners, so
// that each window's close check runs (a pending record is neither posted nor dropped
// behind the user's back). False, with the remaining windows left open, as soon as one
// refuses to close.
bool CloseOtherWindows(const QWidget* except);
