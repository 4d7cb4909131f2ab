#include "stewardship/vtxQuarterlyR.h"

#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/vtxWindowRegistry.h"

namespace {

// Band heights and places, in inches.
constexpr double TitleHeight = 0.8;
constexpr double HeadingsTop = 0.58;
constexpr double DetailHeight = 0.2;
constexpr double SummaryHeight = 0.3;
constexpr double FooterHeight = 0.3;
constexpr double FooterTop = 0.08;
// The print time may run into the right margin rather than be cut.
constexpr double PastRightMargin = 1.8;

} // namespace

TQuarterlyReport::TQuarterlyReport()
    : TDataSetReport(DataMod->EnvelopeOfferingT,
                     ReportHeading(QStringLiteral("Quarterly Pledge Summary")),
                     QStringLiteral("Stewardship - Quarterly Pledge Summary")),
      m_quarter(ReportQuarter), m_quarterField(m_rows->FieldByName(QStringLiteral("Quarter"))),
      m_dateFormat(ShortDateFormat()) {
    // The title, and under it the column headings, on the first page only.
    ReportBand& title = AddTitleBand(TitleHeight, 12);
    for (const auto& [left, text] : {std::pair{0.42, "Envelope"}, std::pair{2.42, "Offering Date"},
                                     std::pair{4.42, "Posted Date"}, std::pair{6.33, "Amount"}})
        title.AddText(left, HeadingsTop, QString::fromLatin1(text)).Bold().Underline();

    const Field* envelope = m_rows->FieldByName(QStringLiteral("EnvelopeNumber"));
    const Field* offered = m_rows->FieldByName(QStringLiteral("OfferingDate"));
    const Field* posted = m_rows->FieldByName(QStringLiteral("PostedDate"));
    const Field* amount = m_rows->FieldByName(QStringLiteral("Amount"));
    ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, DetailHeight);
    // The texts of a gift of another quarter are never worked out.
    auto value = [this](const Field* field, QString (TQuarterlyReport::*text)(const Field*) const) {
        return [this, field, text](const ReportState& state) {
            return Printed(state) ? (this->*text)(field) : QString();
        };
    };
    detail.AddValue(0.42, 0, value(envelope, &TQuarterlyReport::Text))
        .Named(QStringLiteral("EnvelopeNumber"))
        .Width(1.9);
    detail.AddValue(2.42, 0, value(offered, &TQuarterlyReport::DateText))
        .Named(QStringLiteral("OfferingDate"))
        .Width(1.9);
    detail.AddValue(4.42, 0, value(posted, &TQuarterlyReport::DateText))
        .Named(QStringLiteral("PostedDate"))
        .Width(1.8);
    detail.AddValue(6.33, 0, value(amount, &TQuarterlyReport::Text))
        .Named(QStringLiteral("Amount"));
    detail.beforePrint = [this, amount](ReportBandPrint& print) {
        print.skip = !Printed(print.state);
        if (!print.skip)
            m_total += VariantToCurrency(m_gifts->Value(amount));
    };

    ReportBand& summary = m_report.AddBand(ReportBandKind::Summary, SummaryHeight);
    summary.AddText(5.92, 0.05, QStringLiteral("Total"));
    summary.AddValue(6.33, 0.05, [this](const ReportState&) { return m_total.ToMoneyString(); })
        .Named(QStringLiteral("Total"));

    ReportBand& footer = m_report.AddBand(ReportBandKind::PageFooter, FooterHeight);
    footer.AddText(0.25, FooterTop, QStringLiteral("Records: "));
    footer.AddRowCount(0.92, FooterTop).Named(QStringLiteral("Records"));
    footer.AddText(3.08, FooterTop, QStringLiteral("Page: "));
    footer.AddPageNumber(3.58, FooterTop).Named(QStringLiteral("Page"));
    footer.AddText(5.67, FooterTop, QStringLiteral("Printed: "));
    footer.AddPrintTime(6.25, FooterTop).Named(QStringLiteral("Printed")).Width(PastRightMargin);
}

std::unique_ptr<ReportRows> TQuarterlyReport::MakeRows() {
    auto rows = std::make_unique<TTableScanRows>(DataMod->EnvelopeOfferingT);
    m_gifts = rows.get();
    m_checkedRow = -1;
    m_total = Currency();
    return rows;
}

bool TQuarterlyReport::Printed(const ReportState& state) {
    if (state.row != m_checkedRow) {
        m_checkedRow = state.row;
        const QVariant value = m_gifts->Value(m_quarterField);
        m_printed = value.isValid() && QString::number(value.toInt()) == m_quarter;
    }
    return m_printed;
}

QString TQuarterlyReport::Text(const Field* field) const {
    return field->FormatDisplay(m_gifts->Value(field));
}

QString TQuarterlyReport::DateText(const Field* field) const {
    const QDate date = m_gifts->Value(field).toDate();
    return date.isValid() ? m_locale.toString(date, m_dateFormat) : QString();
}

namespace {

// Report 7 of the Reports menu, after the quarter prompt. Nothing of the shared tables moves.
const bool QuarterlyReportRegistered = RegisterReport(7, [](QWidget* owner) {
    TQuarterlyReport report;
    report.Preview(owner);
});

} // namespace
