#pragma once
// The Memo window: the active record's free-text memo (MemoT.Memo).
//
// Opened from the View Roster window it only shows the memo: the memo box is read only
// and "C&lear" and "&Save" are hidden. Opened from the Edit Roster window it puts the
// roster record into edit when it is created (so that the Edit Roster window cannot close
// before the roster record is posted or cancelled) and lets the user change the memo:
// typing starts an edit of the memo record (a new one for a member without a memo),
// "C&lear" empties it, "&Save" posts it. Closing the window posts and cancels nothing: a
// change typed and not saved stays pending in the memo table.
//
// The "Memo for: " name follows the active record.

#include <QWidget>

class QLabel;
class QPushButton;
class TDBMemo;
class TDBText;

enum class TMemoMode {
    View, // read only (View Roster)
    Edit  // the memo can be changed; the roster record is put into edit (Edit Roster)
};

class TMemoForm : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by the owner, freed when closed or with its owner.
    TMemoForm(TMemoMode mode, QWidget* owner);

    TMemoMode Mode() const { return m_mode; }

    QLabel* MemoForLabel;
    TDBText* MemoForName;
    TDBMemo* MemoBox;
    QPushButton* ClearButton;
    QPushButton* SaveButton;
    QPushButton* CloseButton;

    void ClearButtonClick();
    void SaveButtonClick();

private:
    TMemoMode m_mode;
};
