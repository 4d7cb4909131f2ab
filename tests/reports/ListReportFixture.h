#pragma once
// A small list report shared by the report tests: a title, one detail band per person with
// the name and membership, a summary and a footer with the record count, page and print time.

#include "toolkit/vtxReport.h"

#include <QtTest>
#include <cmath>

inline bool Near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

#define VERIFY_NEAR(actual, expected)                                                              \
    QVERIFY2(Near((actual), (expected)), qPrintable(QStringLiteral("%1 is %2, expected %3")        \
                                                        .arg(#actual)                              \
                                                        .arg((actual), 0, 'f', 6)                  \
                                                        .arg((expected), 0, 'f', 6)))

// Geometry of the list report below (inches). US Letter portrait, half-inch margins: the
// page's content runs from 0.5 to 10.5; the footer takes the last 0.25, so detail rows end
// at 10.25.
inline constexpr double Margin = 0.5;
inline constexpr double TitleHeight = 0.5;
inline constexpr double DetailHeight = 0.5;
inline constexpr double SummaryHeight = 0.5;
inline constexpr double FooterHeight = 0.25;
inline constexpr double FooterTop = 11.0 - Margin - FooterHeight;

// A list of people as a roster report would print them: a title, one detail band per
// person, a summary and a footer with the record count, page and print time.
class ListReport {
public:
    explicit ListReport(int count) {
        for (int i = 0; i < count; ++i)
            people.push_back({QStringLiteral("Person %1").arg(i), i % 3 != 0});
        report.caption = QStringLiteral("List");
        report.AddBand(ReportBandKind::Title, TitleHeight)
            .AddText(0, 0.1, QStringLiteral("Parish:  Names"))
            .Named("Title")
            .Align(ReportAlign::Center)
            .Size(12)
            .Bold();
        ReportBand& detail = report.AddBand(ReportBandKind::Detail, DetailHeight);
        detail.AddValue(0.08, 0.08, [this](const ReportState&) { return Current().name; })
            .Named("Name")
            .Width(6.09);
        detail
            .AddValue(6.33, 0.08,
                      [this](const ReportState&) {
                          return Current().member ? QStringLiteral("true")
                                                  : QStringLiteral("false");
                      })
            .Named("IsMember");
        ReportBand& summary = report.AddBand(ReportBandKind::Summary, SummaryHeight);
        summary.AddText(5.92, 0, QStringLiteral("Total"));
        summary
            .AddValue(6.33, 0, [](const ReportState& s) { return QString::number(s.printedRows); })
            .Named("Total");
        ReportBand& footer = report.AddBand(ReportBandKind::PageFooter, FooterHeight);
        footer.AddText(0.17, 0.05, QStringLiteral("Records:"));
        footer.AddRunningCount(0.83, 0.05).Named("Count");
        footer.AddRowCount(1.5, 0.05).Named("Rows");
        footer.AddText(3.08, 0.05, QStringLiteral("Page:"));
        footer.AddPageNumber(3.58, 0.05).Named("Page");
        footer.AddText(5.42, 0.05, QStringLiteral("Printed:"));
        footer.AddPrintTime(6.0, 0.05).Named("Printed");
    }
    ListReport(const ListReport&) = delete;

    ReportDocument Layout() {
        ReportRowList rows(int(people.size()), [this](int row) { current = row; });
        return report.Layout(rows, QDateTime(QDate(2024, 3, 10), QTime(19, 30, 5)));
    }

    struct Person {
        QString name;
        bool member;
    };
    const Person& Current() const { return people.at(current); }

    std::vector<Person> people;
    int current = -1;
    BandReport report;
};
