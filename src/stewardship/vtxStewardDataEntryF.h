#pragma once
// The Stewardship Data Entry window: the envelope gifts (EnvelopeOfferingT), one record per
// envelope and Sunday, entered with a click on a Sunday (a new record for that date), a click
// on an envelope (its number) and the amount typed in the grid. The grid shows every gift of
// every year, in envelope-number order.
//
// - The Sunday list holds the Sundays of a year (the current year when the window opens;
//   "Different &Year" asks for another). A click on a Sunday starts a new gift for that
//   date; a pending gift is posted first, and when that post is refused its message is shown
//   and no new gift starts.
// - The envelope list holds every assigned envelope in envelope-number order (as text: 10
//   before 9), read once when the window opens by walking the shared envelope table, which
//   is left on its last envelope. A click puts the number into the current gift; while no
//   gift is being entered or edited the engine refuses it ("Dataset not in edit or insert
//   mode").
// - The yellow search box finds a gift by the leading text of its envelope number.
// - The window refuses to close while a gift is being entered or edited.
//
// Opened from Files, "Stewardship - &Envelopes" (financial password), modeless, a dialog of
// one size centred on the main window; each use opens another window.

#include <QDate>
#include <QDialog>

class QLabel;
class QPushButton;
class TDBGrid;
class TDBNavigator;
class TDBRecordPosition;
class TDBSearchBox;
class TDBStateLabel;
class TPickList;
class TSundayList;

class TStewardshipDataEntryForm : public QDialog {
    Q_OBJECT
public:
    explicit TStewardshipDataEntryForm(QWidget* owner);

    TDBNavigator* EnvelopeNavigator;
    TDBStateLabel* EnvelopeState;
    TDBSearchBox* SearchBox;
    TSundayList* SundaysListBox;
    TPickList* EnvelopeListBox;
    TDBGrid* EnvelopeOfferingDBGrid;
    TDBRecordPosition* RecordPosition;
    QPushButton* YearButton;
    QPushButton* CloseButton;

    // The handlers of the two lists.
    void SundaysListBoxClick(const QDate& sunday);
    void EnvelopeListBoxClick(const QString& envelopeNumber);

private:
    void BuildGrid();
    void FillEnvelopeList();
};
