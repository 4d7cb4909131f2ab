#include "stewardship/vtxEnvelopeAssignmentsR.h"

#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/vtxTableKeeper.h"
#include "toolkit/vtxWindowRegistry.h"

namespace {

// Band heights and places, in inches.
constexpr double TitleHeight = 0.4;
constexpr double HeadingsHeight = 0.25;
constexpr double DetailHeight = 0.2;

} // namespace

TEnvelopeAssignmentsReport::TEnvelopeAssignmentsReport()
    : TDataSetReport(DataMod->EnvelopeT, ReportHeading(QStringLiteral("Envelope Assignments")),
                     ReportKind == 5 ? QStringLiteral("Envelope Assignments with Pledge")
                                     : QStringLiteral("Envelope Assignments")),
      m_amounts(ReportKind == 5) {
    AddTitleBand(TitleHeight, 12);

    // The column headings, at the top of every page (under the title on the first).
    ReportBand& headings = m_report.AddBand(ReportBandKind::ColumnHeader, HeadingsHeight);
    for (const auto& [left, text] : {std::pair{0.0, "Envelope"}, std::pair{1.17, "Name"},
                                     std::pair{5.17, "Pledge Year"}, std::pair{6.25, "Amount"}})
        headings.AddText(left, 0, QString::fromLatin1(text))
            .Named(QString::fromLatin1(text))
            .Bold()
            .Underline();

    ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, DetailHeight);
    detail.AddField(0, 0, m_rows, QStringLiteral("EnvelopeNumber")).Width(1.1);
    const Field* member = m_rows->FieldByName(QStringLiteral("RecordNumber"));
    detail
        .AddValue(1.17, 0,
                  [member](const ReportState&) {
                      if (member->IsNull())
                          return QString();
                      return DataMod->RosterT
                          ->Lookup(QStringLiteral("RecordNumber"), {member->Value()},
                                   QStringLiteral("LFMName"))
                          .toString();
                  })
        .Named(QStringLiteral("LFMName"))
        .Width(4.01);
    detail.AddField(5.42, 0, m_rows, QStringLiteral("PledgeYear")).Width(0.8);
    const Field* pledge = m_rows->FieldByName(QStringLiteral("PledgeAmount"));
    detail.AddValue(6.25, 0, [pledge](const ReportState&) { return pledge->DisplayText(); })
        .Named(QStringLiteral("PledgeAmount"));

    // Without the pledge: the heading and every amount print empty.
    if (!m_amounts) {
        headings.beforePrint = [](ReportBandPrint& print) {
            print.SetText(QStringLiteral("Amount"), QString());
        };
        detail.beforePrint = [](ReportBandPrint& print) {
            print.SetText(QStringLiteral("PledgeAmount"), QString());
        };
    }

    m_report.AddRecordsFooter({0.25, 0.92, 3.08, 3.58, 5.42, 6.00}, ReportFooterCount::AllRows);
}

namespace {

// Reports 4 and 5 of the Reports menu. The walk leaves the envelope table on its last row;
// its cursor goes back where it was.
void RunEnvelopeAssignmentsReport(QWidget* owner) {
    TTableKeeper envelopes(DataMod->EnvelopeT, {.restore = TTableKeeper::Position});
    TEnvelopeAssignmentsReport report;
    report.Preview(owner);
}

const bool EnvelopeAssignmentsReportsRegistered = RegisterReport(4, RunEnvelopeAssignmentsReport) &&
                                                  RegisterReport(5, RunEnvelopeAssignmentsReport);

} // namespace
