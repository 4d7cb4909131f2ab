#include "worship/vtxWorshipP.h"

#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "toolkit/vtxReportPreview.h"
#include "worship/vtxWorshipU.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>

namespace {

// The title area and the body lie in one band on the first (and only) page; its top is
// the top margin.
constexpr double Margin = 0.5;
constexpr double BodyPoints = 10;
// One line of 10 point text, as the report engine places it.
constexpr double TextLine = BodyPoints * 1.2 / 72.0;

// Widths of 10 point Arial, measured at a printer's resolution.
double TextWidth(const QString& text) {
    constexpr int Dpi = 1200;
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(qRound(Dpi / 0.0254));
        image.setDotsPerMeterY(qRound(Dpi / 0.0254));
        return image;
    }();
    QFont font("Arial");
    font.setPointSizeF(BodyPoints);
    return QFontMetricsF(font, &device).horizontalAdvance(text) / Dpi;
}

} // namespace

QStringList TWorshipPrintout::ElementLines(const QString& text, double width) {
    if (TextWidth(text) <= width)
        return {text};
    // The longest beginning that fits, ended at a blank when there is one.
    int fits = 1;
    while (fits < text.size() && TextWidth(text.left(fits + 1)) <= width)
        ++fits;
    const int blank = int(text.lastIndexOf(' ', fits));
    const int cut = blank > 0 ? blank : fits;
    return {text.left(cut).trimmed(), text.mid(cut).trimmed()};
}

TWorshipPrintout::TWorshipPrintout() {
    m_report.caption = QStringLiteral("Worship Printout");
    m_report.page.orientation = QPageLayout::Landscape;
    m_report.page.columns = 2;
    m_report.page.columnSpace = 0;

    Table* service = DataMod->WorshipT;
    const Field* date = service->FieldByName("WorshipDate");
    const Field* time = service->FieldByName("WorshipTime");
    const Field* officiant = service->FieldByName("OfficiantInCharge");

    const double contentHeight = m_report.page.PaperInches().height() - 2 * Margin;
    ReportBand& page = m_report.AddBand(ReportBandKind::Title, contentHeight);
    page.AddValue(0, 0.58 - Margin,
                  [](const ReportState&) { return OptionsRecord.OrganizationName.Text(); })
        .Named("OrganizationName")
        .Align(ReportAlign::Center)
        .Size(14)
        .Bold();
    page.AddValue(0, 0.92 - Margin,
                  [date](const ReportState&) {
                      return QLocale().toString(date->AsDate(), QStringLiteral("MMMM d, yyyy"));
                  })
        .Named("WorshipDate")
        .Size(12)
        .Bold();
    page.AddValue(0, 0.92 - Margin,
                  [time](const ReportState&) {
                      return time->IsNull() ? QString() : FormatTime(time->AsTime());
                  })
        .Named("WorshipTime")
        .Align(ReportAlign::Center)
        .Size(12)
        .Bold();
    page.AddValue(0, 0.92 - Margin,
                  [officiant](const ReportState&) { return officiant->AsString(); })
        .Named("OfficiantInCharge")
        .Align(ReportAlign::Right)
        .Size(12)
        .Bold();

    // The elements: a fixed first line each, and a second line for what does not fit.
    for (int k = 1; k <= Worship::ElementCount; ++k) {
        const int line = (k - 1) % Worship::LinesPerColumn;
        const double left =
            (k <= Worship::LinesPerColumn ? LeftColumnText : RightColumnText) - Margin;
        const double top = FirstLineTop - Margin + line * LineSpacing;
        const QString name = Worship::ElementField(k);
        const Field* element = service->FieldByName(name);
        for (int part = 0; part < 2; ++part)
            page.AddValue(left, top + part * TextLine,
                          [element, part](const ReportState&) {
                              return ElementLines(element->AsString()).value(part);
                          })
                .Named(part == 0 ? name : name + "More")
                .Width(ElementWidth)
                .Size(BodyPoints);
    }
}

ReportDocument TWorshipPrintout::Layout(const QDateTime& printedAt) const {
    return m_report.Layout(printedAt);
}

int TWorshipPrintout::Preview(QWidget* parent) const {
    const ReportDocument document = Layout();
    return ShowReportPreview(document, parent);
}
