#include "roster/vtxRosterAddressR.h"

#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/vtxWindowRegistry.h"

namespace {

// The last items of a line may run into the right margin rather than be cut.
constexpr double PastRightMargin = 1.8;

} // namespace

TRosterAddressReport::TRosterAddressReport()
    : TDataSetReport(DataMod->RosterT,
                     ReportHeading(ReportKind == 2 ? QStringLiteral("Name, Address, Phone")
                                                   : QStringLiteral("Names and Addresses")),
                     ReportKind == 2 ? QStringLiteral("Roster - Name, Address, Phone")
                                     : QStringLiteral("Roster - Name, Address")) {
    AddTitleBand(0.4, 12);

    // Three lines per person: the name (bold for a member) and membership, the address
    // lines, the city line.
    ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, 0.6);
    detail.AddField(0.08, 0.08, m_rows, QStringLiteral("LFMName")).Width(6.09);
    const Field* isMember = m_rows->FieldByName(QStringLiteral("IsMember"));
    detail
        .AddValue(6.33, 0.08,
                  [isMember](const ReportState&) {
                      return isMember->AsBoolean() ? QStringLiteral("Member")
                                                   : QStringLiteral("Non Member");
                  })
        .Named(QStringLiteral("IsMember"));
    detail.AddField(0.42, 0.25, m_rows, QStringLiteral("Address1")).Width(3.67);
    detail.AddField(4.17, 0.25, m_rows, QStringLiteral("Address2"));
    detail.AddField(0.42, 0.42, m_rows, QStringLiteral("City")).Width(3.92);
    detail.AddField(4.42, 0.42, m_rows, QStringLiteral("State")).Width(1.92);
    detail.AddField(6.42, 0.42, m_rows, QStringLiteral("Postal"));
    detail.beforePrint = [isMember](ReportBandPrint& print) {
        print.SetBold(QStringLiteral("LFMName"), isMember->AsBoolean());
    };

    // The phone line under each person, for kind 2 only.
    ReportBand& phones = m_report.AddBand(ReportBandKind::Detail, 0.25);
    phones.AddText(0.42, 0, QStringLiteral("Home:"));
    phones.AddField(0.92, 0, m_rows, QStringLiteral("Phone")).Width(2.0);
    phones.AddText(3.00, 0, QStringLiteral("Work:"));
    phones.AddField(3.50, 0, m_rows, QStringLiteral("WorkPhone")).Width(2.59);
    phones.AddText(6.17, 0, QStringLiteral("Cell:"));
    phones.AddField(6.58, 0, m_rows, QStringLiteral("CellPhone")).Width(PastRightMargin);
    phones.enabled = ReportKind == 2;
    m_phoneLine = &phones;

    m_report.AddRecordsFooter({0.17, 0.83, 3.08, 3.58, 5.42, 6.00}, ReportFooterCount::AllRows);

    DataMod->RosterT->SetIndexFieldNames(QStringLiteral("LName;Suffix"));
}

namespace {

// Reports 1 and 2 of the Reports menu (the menu sets ReportKind first).
void RunRosterAddressReport(QWidget* owner) {
    TRosterAddressReport report;
    report.Preview(owner);
}

const bool RosterAddressReportsRegistered =
    RegisterReport(1, RunRosterAddressReport) && RegisterReport(2, RunRosterAddressReport);

} // namespace
