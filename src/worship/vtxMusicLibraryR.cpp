#include "worship/vtxMusicLibraryR.h"

#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "toolkit/vtxTableKeeper.h"
#include "toolkit/vtxWindowRegistry.h"

namespace {

// The first line's fields: field, inches from the left, width in inches.
struct LineField {
    const char* field;
    double left;
    double width;
};
const LineField kFirstLine[] = {{"MusicName", 0.00, 2.30},      {"Publisher", 2.35, 1.60},
                                {"DateAcquired", 4.00, 0.75},   {"Parts", 4.80, 0.55},
                                {"NumberOfCopies", 5.40, 0.35}, {"Accompaniment", 5.80, 0.85},
                                {"LastUsed", 6.70, 0.80}};

} // namespace

TMusicLibraryReport::TMusicLibraryReport()
    : TDataSetReport(DataMod->MusicLibraryT, ReportHeading(QStringLiteral("Music Library")),
                     QStringLiteral("Music Library")) {
    AddTitleBand(0.4, 12);

    ReportBand& detail = m_report.AddBand(ReportBandKind::Detail, 0.34);
    for (const LineField& f : kFirstLine) {
        const bool accompaniment = QLatin1String(f.field) == QLatin1String("Accompaniment");
        detail.AddField(f.left, 0.02, m_rows, f.field).Width(f.width).Size(accompaniment ? 9 : 8);
    }
    // The remark under the first line, a fifth of the way in.
    detail.AddField(1.5, 0.17, m_rows, QStringLiteral("Remark")).Width(4.5).Size(8);

    m_report.AddRecordsFooter({0.17, 0.83, 3.08, 3.58, 5.42, 6.00}, ReportFooterCount::AllRows);
}

namespace {

// Report 6 of the Reports menu. The library's current piece stays where it was.
const bool MusicLibraryReportRegistered = RegisterReport(6, [](QWidget* owner) {
    TTableKeeper keeper(DataMod->MusicLibraryT, {.restore = TTableKeeper::Position});
    TMusicLibraryReport report;
    report.Preview(owner);
});

} // namespace
