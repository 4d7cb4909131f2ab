#pragma once
// The roster phone list (report kind 3): every person of the roster in order of last name and
// suffix, with home, work and cell phone numbers; the footer counts the persons listed so far.
//
// Like the lists of names and addresses (vtxRosterAddressR.h) it sets the shared roster's
// order to last name and suffix when it is created and walks the roster as it stands.

#include "toolkit/vtxReport.h"

#include <QDateTime>
#include <QString>

class QWidget;
class Table;

class TRosterListsReport {
public:
    // Reads the organisation name for the title and sets the order of the shared roster
    // table to last name and suffix.
    TRosterListsReport();
    TRosterListsReport(const TRosterListsReport&) = delete;
    TRosterListsReport& operator=(const TRosterListsReport&) = delete;

    QString TitleText() const { return m_title; }
    const BandReport& Report() const { return m_report; }

    // Walks the roster and lays the report out; an invalid printedAt means now.
    ReportDocument Layout(const QDateTime& printedAt = {});
    // Lays the report out and shows its print preview modally; returns the preview's result.
    int Preview(QWidget* parent = nullptr);

private:
    BandReport m_report;
    QString m_title;
    Table* m_roster;
};
