#pragma once
// The Worship Memo window: the special instructions of the current service
// (WorshipMemoT."Special Instructions", which follows the service's date and time).
//
// Opened modally by the Worship Data Entry window, centred on it, with a navigator over the
// memo (Insert, Delete, Edit, Post, Cancel, Refresh); the navigator shows only when that
// window owns the memo window. A memo posted takes the service's date and time; a service
// without them refuses it with the worship message. The window refuses to close while the
// memo is being edited or inserted: "Please Post or Cancel the change.".

#include <QDialog>

class QPushButton;
class TDBMemo;
class TDBNavigator;
class TDBStateLabel;

class TWorshipMemoForm : public QDialog {
    Q_OBJECT
public:
    static inline const QString PendingText = QStringLiteral("Please Post or Cancel the change.");

    // A dialog owned by the owner, freed when closed.
    explicit TWorshipMemoForm(QWidget* owner = nullptr);

    TDBNavigator* MemoNavigator;
    TDBMemo* MemoEdit;
    TDBStateLabel* MemoState;
    QPushButton* CloseButton;
};
