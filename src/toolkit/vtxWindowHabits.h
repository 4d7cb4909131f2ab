#pragma once
// Habits shared by the windows: running a button's action with the program's error
// handling, and closing the other windows at exit. The close check of a window is its
// close guard (vtxCloseGuard.h); its set-up and look are in vtxWindowLook.h.

#include <QString>
#include <functional>

class DataSet;
class QWidget;

// Runs an action: an EDatabaseError (or any other standard error) is shown in the error
// box of the dialogs facade with its own text, EAbort is quiet (a rule has already spoken).
// True when the action ran to its end. Every button handler that touches a table uses it.
bool RunAction(const std::function<void()>& action);

// True when the data set is open and in Edit or Insert.
bool IsEditing(const DataSet* dataSet);

// Closes every other visible window of the program, owned windows before their owners, so
// that each window's close check runs (a pending record is neither posted nor dropped
// behind the user's back). False, with the remaining windows left open, as soon as one
// refuses to close.
bool CloseOtherWindows(const QWidget* except);
