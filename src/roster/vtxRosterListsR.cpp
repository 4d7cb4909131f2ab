#include "roster/vtxRosterListsR.h"

#include "engine/Table.h"
#include "toolkit/vtxWindowRegistry.h"

namespace {

// Band heights and places, in inches.
constexpr double TitleHeight = 0.45;
constexpr double DetailHeight = 0.4;
constexpr double FooterHeight = 0.3;
constexpr double FooterTop = 0.08;
// The print time may run into the right margin rather than be cut.
constexpr double PastRightMargin = 1.8;

} // namespace

TRosterListsReport::TRosterListsReport()
    : TRosterReport(QStringLiteral("Phone List"), QStringLiteral("Roster - Phone List")) {

    m_report.AddBand(ReportBandKind::Title, TitleHeight)
        .AddText(0, 0.05, m_title)
        .Named(QStringLiteral("Title"))
        .Align(ReportAlign::Center)
        .Size(14)
        .Bold();

    ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, DetailHeight);
    detail.AddValue(0.25, 0, Value(QStringLiteral("LFMName"))).Named(QStringLiteral("LFMName"));
    detail.AddText(0.58, 0.17, QStringLiteral("Home:"));
    detail.AddValue(1.08, 0.17, Value(QStringLiteral("Phone")))
        .Named(QStringLiteral("Phone"))
        .Width(1.5);
    detail.AddText(2.67, 0.17, QStringLiteral("Work:"));
    detail.AddValue(3.17, 0.17, Value(QStringLiteral("WorkPhone")))
        .Named(QStringLiteral("WorkPhone"))
        .Width(2.16);
    detail.AddText(5.42, 0.17, QStringLiteral("Cell:"));
    detail.AddValue(5.83, 0.17, Value(QStringLiteral("CellPhone")))
        .Named(QStringLiteral("CellPhone"));
    const Field* isMember = m_roster->FieldByName(QStringLiteral("IsMember"));
    detail.beforePrint = [isMember](ReportBandPrint& print) {
        print.SetBold(QStringLiteral("LFMName"), isMember->AsBoolean());
    };

    ReportBand& footer = m_report.AddBand(ReportBandKind::PageFooter, FooterHeight);
    footer.AddText(0.50, FooterTop, QStringLiteral("Records:"));
    footer.AddRunningCount(1.17, FooterTop).Named(QStringLiteral("Records"));
    footer.AddText(3.17, FooterTop, QStringLiteral("Page:"));
    footer.AddPageNumber(3.67, FooterTop).Named(QStringLiteral("Page"));
    footer.AddText(5.67, FooterTop, QStringLiteral("Printed:"));
    footer.AddPrintTime(6.25, FooterTop).Named(QStringLiteral("Printed")).Width(PastRightMargin);

    SetRosterReportOrder();
}

namespace {

// Report 3 of the Reports menu: the menu puts the roster back in record-number order
// afterwards.
const bool RosterListsReportRegistered = RegisterReport(3, [](QWidget* owner) {
    TRosterListsReport report;
    report.Preview(owner);
});

} // namespace
