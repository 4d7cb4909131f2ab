#pragma once
// The Assign Envelope window (modal): the offering-envelope records, edited with a
// navigator (insert, delete, edit, post, cancel, refresh) on the envelope table's own
// cursor. Posting links the envelope to the active record, whose name the window shows.
//
// The "Pledge Amount" box is not bound to the table: it is filled once, with the current
// envelope's pledge (CurrentPledgeAmount), when the window is created, and its value is
// written into PledgeAmount just before every post from the navigator. Nothing else
// refreshes it: after Insert it still shows the amount it showed before. The window
// refuses to close while an envelope record is being edited or inserted (its close guard,
// which Escape goes through too).

#include <QDialog>

class QPushButton;
class TCurrencyEdit;
class TDBEdit;
class TDBNavigator;
class TDBStateLabel;
class TDBText;

class TAssignEnvelopeForm : public QDialog {
    Q_OBJECT
public:
    // Owned by the owner (the Edit Roster window), shown modally through the dialogs
    // facade, freed when closed or with its owner.
    explicit TAssignEnvelopeForm(QWidget* owner);

    TDBText* LinkedName;
    TDBNavigator* EnvelopeNavigator;
    TDBEdit* EnvelopeEdit;
    TDBEdit* PledgeYearEdit;
    TCurrencyEdit* PledgeAmountEdit;
    TDBStateLabel* EnvelopeState;
    QPushButton* CloseButton;

private:
    void WritePledgeAmount();
};
