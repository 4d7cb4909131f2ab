#pragma once
// The Database Cleanup window: empties whole categories of data.
//
// Thirteen check boxes, one per category (vtxDBCleanupU.h). Each click on a box, ticking it
// or clearing it, asks the box's question followed by "All done?"; Yes empties the tables of
// every box ticked at that moment, in the categories' order, and says what was done; No does
// nothing more. The boxes stay as they are after a cleanup. With the option "Confirm
// Critical Actions With a Message" each emptied category is also named in a message.

#include <QDialog>
#include <QList>

class QCheckBox;
class QPushButton;

class TDBCleanupForm : public QDialog {
    Q_OBJECT
public:
    explicit TDBCleanupForm(QWidget* owner = nullptr);

    // The thirteen boxes, top to bottom, named as the categories name them
    // ("RosterCheckBox", ...).
    QList<QCheckBox*> CategoryBoxes;
    QPushButton* HelpButton;
    QPushButton* CloseButton;

    // A click on a box: the question, and the cleanup on Yes.
    void CategoryClick(int category);
    void HelpButtonClick();
};
