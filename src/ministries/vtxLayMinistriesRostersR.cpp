#include "ministries/vtxLayMinistriesRostersR.h"

#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

namespace {

// Band heights and places, in inches.
constexpr double DescriptionTop = 0.3;
constexpr double TitleBottomSpace = 0.15;
constexpr double DetailHeight = 0.42;
constexpr double RemarkTop = 0.19;
// The height of a line of text in points, as the band engine places it.
constexpr double LineFactor = 1.2;

QVariant MinistryValue(int ministryNumber, const QString& field) {
    return DataMod->LayMinistriesT->Lookup(QStringLiteral("MinistryNumber"), {ministryNumber},
                                           field);
}

QString NameOf(int ministryNumber) {
    return MinistryValue(ministryNumber, QStringLiteral("MinistryName")).toString().left(40);
}

} // namespace

QStringList TLayMinistriesRostersReport::WrapText(const QString& text, double width,
                                                  const ReportFont& font) {
    // Measured at a printer's resolution, in the font the report prints in.
    constexpr double DotsPerInch = 1200;
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(qRound(DotsPerInch / 0.0254));
        image.setDotsPerMeterY(qRound(DotsPerInch / 0.0254));
        return image;
    }();
    QFont qfont(font.family);
    qfont.setPointSizeF(font.pointSize > 0 ? font.pointSize : 10);
    qfont.setBold(font.bold);
    const QFontMetricsF metrics(qfont, &device);
    const double room = width * DotsPerInch;
    auto fits = [&](const QString& line) { return metrics.horizontalAdvance(line) <= room; };

    QStringList lines;
    QString paragraphs = text;
    paragraphs.remove(QLatin1Char('\r'));
    for (const QString& paragraph : paragraphs.split(QLatin1Char('\n'))) {
        QString line;
        for (QString word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (fits(longer)) {
                line = longer;
                continue;
            }
            if (!line.isEmpty())
                lines << line;
            // A word wider than a line is cut where the line ends.
            while (!fits(word)) {
                int n = int(word.size()) - 1;
                while (n > 1 && !fits(word.left(n)))
                    --n;
                lines << word.left(n);
                word = word.mid(n);
            }
            line = word;
        }
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

TLayMinistriesRostersReport::TLayMinistriesRostersReport(int ministryNumber)
    : TDataSetReport(DataMod->LayMinistryRosterT, ReportHeading(NameOf(ministryNumber)),
                     QStringLiteral("Lay Ministries Rosters Report")),
      m_name(NameOf(ministryNumber)) {
    const ReportFont descriptionFont{m_report.font.family, 10};
    m_description =
        WrapText(MinistryValue(ministryNumber, QStringLiteral("Description")).toString(),
                 m_report.page.ContentWidth(), descriptionFont);

    const double lineHeight = descriptionFont.pointSize * LineFactor / 72.0;
    ReportBand& title =
        AddTitleBand(DescriptionTop + lineHeight * m_description.size() + TitleBottomSpace, 12);
    for (qsizetype i = 0; i < m_description.size(); ++i)
        title.AddText(0, DescriptionTop + lineHeight * i, m_description[i])
            .Named(QStringLiteral("Description"))
            .Align(ReportAlign::Center)
            .Size(10);

    ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, DetailHeight);
    detail.AddField(0.08, 0, m_rows, QStringLiteral("LayMinisterName")).Width(3.9).Bold();
    detail.AddText(4.2, 0, QStringLiteral("Serving:"));
    detail.AddField(4.85, 0, m_rows, QStringLiteral("StartDate")).Width(1.1);
    detail.AddField(6.05, 0, m_rows, QStringLiteral("EndDate")).Width(1.2);
    detail.AddField(1.88, RemarkTop, m_rows, QStringLiteral("Remark"));

    m_report.AddRecordsFooter({0.50, 1.17, 3.17, 3.67, 5.67, 6.25}, ReportFooterCount::PrintedRows);
}
