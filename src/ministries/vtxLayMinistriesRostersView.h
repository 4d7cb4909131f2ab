#pragma once
// The Lay Ministries Rosters window: who serves in a chosen lay ministry, and its printed
// roster.
//
// - The ministries grid (LayMinistriesT, read only) and the participants grid (the shared
//   enrolment table, read only). A mouse click on a ministry makes it the current ministry
//   and lists its participants, former ones included, in record-number order. Moving
//   through the ministries with the keys changes the current ministry but not the list.
// - "Print Roster" previews the roster report of the ministry listed (modal).
//
// Opening it removes the enrolment table's link to the roster and lists the current
// ministry's participants (vtxLayMinistriesU.h); closing it leaves the table so. It asks
// for no password, has no close check and is centred on the main window.

#include <QWidget>

class QPushButton;
class TDBGrid;

class TLayMinistriesRostersViewForm : public QWidget {
    Q_OBJECT
public:
    explicit TLayMinistriesRostersViewForm(QWidget* owner = nullptr);

    TDBGrid* MinistriesGrid;
    TDBGrid* ParticipantsGrid;
    QPushButton* PrintButton;
    QPushButton* CloseButton;

    // The ministry whose participants are listed.
    int ListedMinistry() const { return m_listed; }

    // Lists the participants of the ministry under the ministries grid's cursor.
    void MinistriesGridCellClick();
    // Lays the roster report out and shows its preview.
    void PrintButtonClick();

private:
    void ListMinistry(int ministryNumber);
    int m_listed = 0;
};
