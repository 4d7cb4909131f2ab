#pragma once
// The roster lists of names and addresses: every person of the roster in order of last name
// and suffix, with membership and postal address (report kind 1), and with a line of phone
// numbers under each person as well (report kind 2).
//
// The report works on the shared roster table: creating it sets the roster's order to last
// name and suffix, and laying it out walks the roster from its first to its last row (what
// the roster presents, so a members-only filter of the View Roster window applies). The
// roster is left on its last row; the Reports menu sets record-number order back afterwards.
// Reports 1 and 2 of the Reports menu run this report.

#include "toolkit/vtxReport.h"

#include <QDateTime>
#include <QString>

class Field;
class QWidget;
class Table;

// The rows of a roster report: the shared roster table as it stands, from its first row to
// its last. While the report walks it, the roster's controls and rules are not told of every
// move; they hear once, of the last row, when the walk ends.
class RosterReportRows : public ReportRows {
public:
    explicit RosterReportRows(Table* roster);
    ~RosterReportRows() override;
    RosterReportRows(const RosterReportRows&) = delete;
    RosterReportRows& operator=(const RosterReportRows&) = delete;

    int Count() override;
    void Goto(int row) override;

private:
    Table* m_roster;
    bool m_disabled = false;
};

// The text of a field of the current row as stored (empty for an empty field).
QString RosterFieldText(const Field* field);

// The title of a roster report: the organisation name of the options, ":  " and the subject.
QString RosterReportTitle(const QString& subject);

// Sets the shared roster table's order to last name and suffix, as the reports print it.
void SetRosterReportOrder();

// What the roster reports share: a band report over the shared roster table, its title,
// and laying it out and previewing it. A report declares its bands in its constructor.
class TRosterReport {
public:
    TRosterReport(const TRosterReport&) = delete;
    TRosterReport& operator=(const TRosterReport&) = delete;
    virtual ~TRosterReport() = default;

    QString TitleText() const { return m_title; }
    const BandReport& Report() const { return m_report; }

    // Walks the roster and lays the report out; an invalid printedAt means now.
    ReportDocument Layout(const QDateTime& printedAt = {});
    // Lays the report out and shows its print preview modally; returns the preview's result.
    int Preview(QWidget* parent = nullptr);

protected:
    // The title: the organisation name of the options, ":  " and the subject; the caption
    // names the preview window.
    TRosterReport(const QString& subject, const QString& caption);
    // The text of a field of the roster's current row, as a report value.
    ReportValue Value(const QString& fieldName) const;

    BandReport m_report;
    QString m_title;
    Table* m_roster;
};

class TRosterAddressReport : public TRosterReport {
public:
    // Reads ReportKind (2: with the phone line; otherwise without) and the organisation name
    // for the title, and sets the order of the shared roster table to last name and suffix.
    TRosterAddressReport();

    bool PhoneLineOn() const { return m_phoneLine->enabled; }

private:
    ReportBand* m_phoneLine = nullptr;
};
