#pragma once
// A menu report over a shared data set of the program: the base every report unit is
// written on. It holds the band report, the data set whose rows the report walks, and the
// report's title; a report declares its bands in its constructor, reading fields of the
// data set's current row by name.
//
// - The rows (TDataSetRows) are what the shared data set presents when the report is laid
//   out: its order, filter and master link as they stand. The walk moves the shared cursor,
//   so the data set is left on its last row; its controls and rules hear once, of that row,
//   when the walk ends. A pending change is posted first.
// - What a report changes on a shared table beyond the walk (an order, a link) it sets in
//   its constructor and says in its header; what the table is left with afterwards is
//   stated where the report is run, with a TTableKeeper (vtxTableKeeper.h): the Reports
//   menu's table rows say it for the menu reports.
//
// Example (the roster phone list):
//   TRosterListsReport::TRosterListsReport()
//       : TDataSetReport(DataMod->RosterT, ReportHeading("Phone List"), "Roster - Phone List") {
//       AddTitleBand(0.45, 14);
//       ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, 0.4);
//       detail.AddField(0.25, 0, m_rows, "LFMName");
//       detail.AddText(0.58, 0.17, "Home:");
//       detail.AddField(1.08, 0.17, m_rows, "Phone").Width(1.5);
//       m_report.AddRecordsFooter({0.50, 1.17, 3.17, 3.67, 5.67, 6.25},
//                                 ReportFooterCount::PrintedRows);
//       DataMod->RosterT->SetIndexFieldNames("LName;Suffix");
//   }
//   // run from the menu:  TRosterListsReport report;  report.Preview(owner);

#include "toolkit/vtxReport.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <memory>

class DataSet;
class Field;
class QWidget;
class Table;
class TableScan;

// The rows of a data set as it stands, from its first row to its last.
class TDataSetRows : public ReportRows {
public:
    explicit TDataSetRows(DataSet* dataSet);
    ~TDataSetRows() override;
    TDataSetRows(const TDataSetRows&) = delete;
    TDataSetRows& operator=(const TDataSetRows&) = delete;

    int Count() override;
    void Goto(int row) override;

private:
    DataSet* m_dataSet;
    bool m_disabled = false;
};

// The rows of a table's view read in one pass (engine/TableScan.h) without moving its cursor,
// for a report over very many rows: its controls and rules hear nothing, and the table is
// left as it was. The current row is the scan's: values are read with Value(field), not from
// the table's fields. A pending change is posted first. The rows are asked for in order,
// from the first; a row the file no longer holds (another desk deleted it) has no values.
class TTableScanRows : public ReportRows {
public:
    explicit TTableScanRows(Table* table);
    ~TTableScanRows() override;
    TTableScanRows(const TTableScanRows&) = delete;
    TTableScanRows& operator=(const TTableScanRows&) = delete;

    int Count() override;
    void Goto(int row) override;
    // A field of the current row (storage form); null when there is none.
    QVariant Value(const Field* field) const;

private:
    Table* m_table;
    std::unique_ptr<TableScan> m_scan;
    int m_row = -1;
    bool m_hasRow = false;
};

class TDataSetReport {
public:
    TDataSetReport(const TDataSetReport&) = delete;
    TDataSetReport& operator=(const TDataSetReport&) = delete;
    virtual ~TDataSetReport() = default;

    QString TitleText() const { return m_title; }
    const BandReport& Report() const { return m_report; }

    // Walks the data set and lays the report out; an invalid printedAt means now.
    ReportDocument Layout(const QDateTime& printedAt = {});
    // Lays the report out and shows its print preview modally; returns the preview's result.
    int Preview(QWidget* parent = nullptr);

protected:
    // The rows the report is laid out over: the data set walked with its cursor
    // (TDataSetRows). A report over very many rows of a table may read them in one pass
    // instead (TTableScanRows).
    virtual std::unique_ptr<ReportRows> MakeRows();
    // The caption names the preview window.
    TDataSetReport(DataSet* rows, const QString& title, const QString& caption);
    // The title band (first page only): the title centred across the page, bold, at the
    // size given, in an item named "Title".
    ReportBand& AddTitleBand(double height, double points);

    BandReport m_report;
    QString m_title;
    DataSet* m_rows;
};
