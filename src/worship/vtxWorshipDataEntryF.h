#pragma once
// The Worship Data Entry window: services (a date and a time each) entered with their
// officiant, remark and thirty lines of the order of worship, started from a template.
//
// A mouse click on a template of the list copies its thirty headings (the empty ones too)
// into the service being inserted or edited, with the template's number; moving through
// the list with the keys copies nothing, and a click while the service is not being
// edited says "Please click the Navigator to Insert or Edit record." and changes nothing.
// Nothing is posted by a template. The window opens the Year Planner and the Music Library
// (modeless, owned by it), the filed services and the special instructions memo (modal).
// It works on the shared WorshipT and WorshipOrdersT and moves only their cursors; it
// refuses to close while the service is being edited or inserted.

#include <QList>
#include <QWidget>

class QPushButton;
class TDBDateEdit;
class TDBEdit;
class TDBGrid;
class TDBNavigator;
class TDBStateLabel;
class TDBTimeEdit;

class TWorshipDataEntryForm : public QWidget {
    Q_OBJECT
public:
    static inline const QString NotEditingText =
        QStringLiteral("Please click the Navigator to Insert or Edit record.");

    // A top-level window of one fixed size owned by the owner, freed when closed.
    explicit TWorshipDataEntryForm(QWidget* owner = nullptr);

    TDBNavigator* WorshipNavigator;
    TDBStateLabel* WorshipState;
    TDBDateEdit* WorshipDateEdit;
    QPushButton* YearPlannerButton;
    TDBTimeEdit* WorshipTimeEdit;
    TDBEdit* OfficiantEdit;
    TDBEdit* RemarkEdit;
    TDBGrid* TemplateGrid;
    QPushButton* ViewFiledButton;
    QPushButton* MusicLibraryButton;
    QPushButton* MemoButton;
    QPushButton* CloseButton;
    QList<TDBEdit*> ElementEdits; // elements 1 to 30

    // Copies the current template into the service (a mouse click on the template list).
    void TemplateGridCellClick();
    void YearPlannerButtonClick();
    void ViewFiledButtonClick();
    void MusicLibraryButtonClick();
    void MemoButtonClick();
};
