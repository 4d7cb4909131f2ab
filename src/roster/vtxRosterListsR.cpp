#include "roster/vtxRosterListsR.h"

#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "toolkit/vtxWindowRegistry.h"

TRosterListsReport::TRosterListsReport()
    : TDataSetReport(DataMod->RosterT, ReportHeading(QStringLiteral("Phone List")),
                     QStringLiteral("Roster - Phone List")) {
    AddTitleBand(0.45, 14);

    // Two lines per person: the name (bold for a member), then the three phone numbers.
    ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, 0.4);
    detail.AddField(0.25, 0, m_rows, QStringLiteral("LFMName"));
    detail.AddText(0.58, 0.17, QStringLiteral("Home:"));
    detail.AddField(1.08, 0.17, m_rows, QStringLiteral("Phone")).Width(1.5);
    detail.AddText(2.67, 0.17, QStringLiteral("Work:"));
    detail.AddField(3.17, 0.17, m_rows, QStringLiteral("WorkPhone")).Width(2.16);
    detail.AddText(5.42, 0.17, QStringLiteral("Cell:"));
    detail.AddField(5.83, 0.17, m_rows, QStringLiteral("CellPhone"));
    const Field* isMember = m_rows->FieldByName(QStringLiteral("IsMember"));
    detail.beforePrint = [isMember](ReportBandPrint& print) {
        print.SetBold(QStringLiteral("LFMName"), isMember->AsBoolean());
    };

    m_report.AddRecordsFooter({0.50, 1.17, 3.17, 3.67, 5.67, 6.25}, ReportFooterCount::PrintedRows);

    DataMod->RosterT->SetIndexFieldNames(QStringLiteral("LName;Suffix"));
}

namespace {

// Report 3 of the Reports menu.
const bool RosterListsReportRegistered = RegisterReport(3, [](QWidget* owner) {
    TRosterListsReport report;
    report.Preview(owner);
});

} // namespace
