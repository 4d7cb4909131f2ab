#include "roster/vtxRosterAddressR.h"

#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/vtxReportPreview.h"
#include "toolkit/vtxWindowRegistry.h"

namespace {

// Band heights and places, in inches.
constexpr double TitleHeight = 0.4;
constexpr double DetailHeight = 0.6;
constexpr double PhoneLineHeight = 0.25;
constexpr double FooterHeight = 0.3;
constexpr double FooterTop = 0.08;
// The last items of a line may run into the right margin rather than be cut.
constexpr double PastRightMargin = 1.8;

} // namespace

// ----- Shared by the roster reports ------------------------------------------------------

RosterReportRows::RosterReportRows(Table* roster) : m_roster(roster) {}

RosterReportRows::~RosterReportRows() {
    if (m_disabled)
        m_roster->EnableControls();
}

int RosterReportRows::Count() {
    // A pending change of the roster is posted first, so that the count is the walk's.
    m_roster->CheckBrowseMode();
    if (!m_disabled) {
        m_roster->DisableControls();
        m_disabled = true;
    }
    return m_roster->RecordCount();
}

void RosterReportRows::Goto(int row) {
    const int current = m_roster->RecNo() - 1;
    if (row == current)
        return;
    if (row == current + 1 && row > 0)
        m_roster->Next();
    else if (row == 0)
        m_roster->First();
    else
        m_roster->SetRecNo(row + 1);
}

QString RosterFieldText(const Field* field) {
    return field ? field->AsString() : QString();
}

QString RosterReportTitle(const QString& subject) {
    return OptionsRecord.OrganizationName.Text() + QStringLiteral(":  ") + subject;
}

void SetRosterReportOrder() {
    DataMod->RosterT->SetIndexFieldNames(QStringLiteral("LName;Suffix"));
}

// ----- Names and addresses -------------------------------------------------------------

TRosterReport::TRosterReport(const QString& subject, const QString& caption)
    : m_title(RosterReportTitle(subject)), m_roster(DataMod->RosterT) {
    m_report.caption = caption;
}

ReportValue TRosterReport::Value(const QString& fieldName) const {
    const Field* field = m_roster->FieldByName(fieldName);
    return [field](const ReportState&) { return RosterFieldText(field); };
}

ReportDocument TRosterReport::Layout(const QDateTime& printedAt) {
    RosterReportRows rows(m_roster);
    return m_report.Layout(rows, printedAt);
}

int TRosterReport::Preview(QWidget* parent) {
    const ReportDocument document = Layout();
    return ShowReportPreview(document, parent);
}

TRosterAddressReport::TRosterAddressReport()
    : TRosterReport(ReportKind == 2 ? QStringLiteral("Name, Address, Phone")
                                    : QStringLiteral("Names and Addresses"),
                    ReportKind == 2 ? QStringLiteral("Roster - Name, Address, Phone")
                                    : QStringLiteral("Roster - Name, Address")) {
    const bool withPhones = ReportKind == 2;

    m_report.AddBand(ReportBandKind::Title, TitleHeight)
        .AddText(0, 0.05, m_title)
        .Named(QStringLiteral("Title"))
        .Align(ReportAlign::Center)
        .Size(12)
        .Bold();

    ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, DetailHeight);
    detail.AddValue(0.08, 0.08, Value(QStringLiteral("LFMName")))
        .Named(QStringLiteral("LFMName"))
        .Width(6.09);
    const Field* isMember = m_roster->FieldByName(QStringLiteral("IsMember"));
    detail
        .AddValue(6.33, 0.08,
                  [isMember](const ReportState&) {
                      return isMember->AsBoolean() ? QStringLiteral("Member")
                                                   : QStringLiteral("Non Member");
                  })
        .Named(QStringLiteral("IsMember"));
    detail.AddValue(0.42, 0.25, Value(QStringLiteral("Address1")))
        .Named(QStringLiteral("Address1"))
        .Width(3.67);
    detail.AddValue(4.17, 0.25, Value(QStringLiteral("Address2")))
        .Named(QStringLiteral("Address2"));
    detail.AddValue(0.42, 0.42, Value(QStringLiteral("City")))
        .Named(QStringLiteral("City"))
        .Width(3.92);
    detail.AddValue(4.42, 0.42, Value(QStringLiteral("State")))
        .Named(QStringLiteral("State"))
        .Width(1.92);
    detail.AddValue(6.42, 0.42, Value(QStringLiteral("Postal"))).Named(QStringLiteral("Postal"));
    detail.beforePrint = [isMember](ReportBandPrint& print) {
        print.SetBold(QStringLiteral("LFMName"), isMember->AsBoolean());
    };

    ReportBand& phones = m_report.AddBand(ReportBandKind::Detail, PhoneLineHeight);
    phones.AddText(0.42, 0, QStringLiteral("Home:"));
    phones.AddValue(0.92, 0, Value(QStringLiteral("Phone")))
        .Named(QStringLiteral("Phone"))
        .Width(2.0);
    phones.AddText(3.00, 0, QStringLiteral("Work:"));
    phones.AddValue(3.50, 0, Value(QStringLiteral("WorkPhone")))
        .Named(QStringLiteral("WorkPhone"))
        .Width(2.59);
    phones.AddText(6.17, 0, QStringLiteral("Cell:"));
    phones.AddValue(6.58, 0, Value(QStringLiteral("CellPhone")))
        .Named(QStringLiteral("CellPhone"))
        .Width(PastRightMargin);
    phones.enabled = withPhones;
    m_phoneLine = &phones;

    ReportBand& footer = m_report.AddBand(ReportBandKind::PageFooter, FooterHeight);
    footer.AddText(0.17, FooterTop, QStringLiteral("Records:"));
    footer.AddRowCount(0.83, FooterTop).Named(QStringLiteral("Records"));
    footer.AddText(3.08, FooterTop, QStringLiteral("Page:"));
    footer.AddPageNumber(3.58, FooterTop).Named(QStringLiteral("Page"));
    footer.AddText(5.42, FooterTop, QStringLiteral("Printed:"));
    footer.AddPrintTime(6.00, FooterTop).Named(QStringLiteral("Printed")).Width(PastRightMargin);

    SetRosterReportOrder();
}

// ----- The Reports menu ----------------------------------------------------------------

namespace {

// Reports 1 and 2 of the Reports menu: the menu sets ReportKind first and puts the roster
// back in record-number order afterwards.
void RunRosterAddressReport(QWidget* owner) {
    TRosterAddressReport report;
    report.Preview(owner);
}

const bool RosterAddressReportsRegistered =
    RegisterReport(1, RunRosterAddressReport) && RegisterReport(2, RunRosterAddressReport);

} // namespace
