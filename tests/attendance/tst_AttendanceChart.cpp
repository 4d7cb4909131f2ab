// The Attendance window: the chart's points and look, its own reading of the usher
// reports, its buttons, and printing it in landscape.

#include "DataModuleFixture.h"
#include "attendance/vtxAttendanceChartF.h"
#include "attendance/vtxUsherReportsViewF.h"
#include "engine/Types.h"
#include "roster/vtxVitalStatsF.h"
#include "toolkit/vtxPrinter.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPrinter>
#include <QPushButton>

namespace {

QVariantMap Report(const QDate& date, int inService) {
    return {{"WorshipDate", date},
            {"WorshipTime", QTime(9, 30)},
            {"NumberInService", inService},
            {"NumberInChoir", 11}};
}

// The points as (count, date) pairs, in the order the line joins them.
QList<QPair<double, QDate>> Joined(const TAttendanceChartForm& chart) {
    QList<QPair<double, QDate>> joined;
    for (const QPointF& p : chart.Series->points())
        joined.append({p.x(), DateTimeToDate(p.y())});
    return joined;
}

// The page size of the first page of a PDF written by Qt, in points.
QSizeF FirstPageSize(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    const int at = data.indexOf("/MediaBox [0 0 ");
    if (at < 0)
        return {};
    const int start = at + int(strlen("/MediaBox [0 0 "));
    const QStringList size = QString::fromLatin1(data.mid(start, data.indexOf(']', start) - start))
                                 .split(' ', Qt::SkipEmptyParts);
    return size.size() == 2 ? QSizeF(size[0].toDouble(), size[1].toDouble()) : QSizeF();
}

} // namespace

class TestAttendanceChart : public QObject {
    Q_OBJECT
    DataModuleFixture fx;

private slots:
    void cleanup() {
        fx.Close();
        CurrentPrinter().setOutputFileName({});
    }

    // One point per report, ordered by the count in service and joined in that order; two
    // reports with the same count stand at the same horizontal place (in the table's order);
    // a report without a date is not charted. Only the count in service is charted.
    void pointsAreOrderedByTheCountInService() {
        fx.Open({{"UsherReportT",
                  {Report(QDate(2024, 1, 7), 120), Report(QDate(2024, 1, 14), 80),
                   Report(QDate(2024, 1, 21), 120), Report(QDate(2024, 1, 28), 100),
                   Report(QDate(), 90)}}});
        auto* chart = new TAttendanceChartForm;
        const QList<QPair<double, QDate>> expected = {{80, QDate(2024, 1, 14)},
                                                      {100, QDate(2024, 1, 28)},
                                                      {120, QDate(2024, 1, 7)},
                                                      {120, QDate(2024, 1, 21)}};
        QCOMPARE(Joined(*chart), expected);
        QCOMPARE(chart->Series->pointLabelsFormat(), QString("@xPoint"));
        QVERIFY(chart->Series->pointLabelsVisible());
    }

    // The look: title, no legend, one dark purple line named WorshipAttendance, the axes'
    // titles; an empty table gives the same chart with no points.
    void emptyChartKeepsTitleAndAxes_data() {
        QTest::addColumn<bool>("empty");
        QTest::newRow("reports") << false;
        QTest::newRow("no reports") << true;
    }
    void emptyChartKeepsTitleAndAxes() {
        QFETCH(bool, empty);
        fx.Open(empty ? TableRows{}
                      : TableRows{{"UsherReportT", {Report(QDate(2023, 12, 31), 150)}}});
        auto* chart = new TAttendanceChartForm;
        QVERIFY(ShowActive(chart));
        QCOMPARE(chart->Chart->title(), QString("Worship Attendance"));
        QVERIFY(!chart->Chart->legend()->isVisible());
        QCOMPARE(chart->Chart->series().size(), 1);
        QCOMPARE(chart->Series->name(), QString("WorshipAttendance"));
        QCOMPARE(chart->Series->color(), QColor(128, 0, 64));
        QCOMPARE(chart->NumberAxis->titleText(), QString("Number"));
        QCOMPARE(chart->DateAxis->titleText(), QString("Date"));
        QVERIFY(chart->NumberAxis->isVisible() && chart->DateAxis->isVisible());
        QCOMPARE(chart->Series->count(), empty ? 0 : 1);
        QCOMPARE(chart->NumberAxis->categoriesLabels(), empty ? QStringList() : QStringList{"150"});
    }

    // The left axis is labelled on Sundays, one week apart when the chart has room; on a
    // small chart over many years, a whole number of weeks apart.
    void dateAxisStepsInWholeWeeks_data() {
        QTest::addColumn<int>("weeksOfReports");
        QTest::addColumn<bool>("oneWeek");
        QTest::newRow("five weeks") << 5 << true;
        QTest::newRow("ten years") << 520 << false;
    }
    void dateAxisStepsInWholeWeeks() {
        QFETCH(int, weeksOfReports);
        QFETCH(bool, oneWeek);
        QList<QVariantMap> reports;
        for (int week = 0; week < weeksOfReports; ++week)
            reports << Report(QDate(2014, 1, 5).addDays(7 * week), 100 + week % 50);
        fx.Open({{"UsherReportT", reports}});
        auto* chart = new TAttendanceChartForm;
        QVERIFY(ShowActive(chart));
        chart->LabelAxes();
        QList<double> at;
        for (const QString& label : chart->DateAxis->categoriesLabels())
            at << chart->DateAxis->endValue(label);
        QVERIFY(at.size() >= 2);
        const double step = at[1] - at[0];
        QCOMPARE(fmod(step, 7.0), 0.0);
        QCOMPARE(step == 7.0, oneWeek);
        for (double day : at)
            QCOMPARE(DateTimeToDate(day).dayOfWeek(), 7); // Sunday
        // Labels are dates in the short format with four-digit years.
        QCOMPARE(chart->DateAxis->categoriesLabels().first(),
                 FormatShortDate(DateTimeToDate(at.first())));
    }

    // The chart reads the file once, through its own table object, when it is created: a
    // report posted while it is open shows only in a chart opened afterwards.
    void aReportPostedLaterShowsOnlyInALaterChart() {
        fx.Open({{"UsherReportT", {Report(QDate(2024, 3, 3), 110)}}});
        auto* before = new TAttendanceChartForm;
        Table* ushers = DataMod->UsherReportT;
        ushers->Append();
        ushers->FieldByName("WorshipDate")->SetAsDate(QDate(2024, 3, 10));
        ushers->FieldByName("NumberInService")->SetAsInteger(140);
        ushers->Post();
        QCOMPARE(before->Series->count(), 1);
        QVERIFY(before->Table1->Active());
        auto* after = new TAttendanceChartForm;
        QCOMPARE(after->Series->count(), 2);
        QCOMPARE(after->Table1->RecordCount(), 2);
    }

    // The buttons open the vital statistics and the usher reports grid, owned by the chart,
    // one more at each click; the chart opens with Close focused.
    void buttonsOpenOwnedWindows() {
        fx.Open({{"UsherReportT", {Report(QDate(2024, 3, 3), 110)}}});
        auto* chart = new TAttendanceChartForm;
        QVERIFY(ShowActive(chart));
        QCOMPARE(QApplication::focusWidget(), chart->CloseButton);
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(chart->VitalStatsButton, Qt::LeftButton);
            QTest::mouseClick(chart->GridViewButton, Qt::LeftButton);
        }
        QCOMPARE(chart->findChildren<TVitalStatsForm*>().size(), 2);
        const auto grids = chart->findChildren<TUsherReportsViewForm*>();
        QCOMPARE(grids.size(), 2);
        QVERIFY(grids.first()->isWindow() && grids.first()->isVisible());
        // ... and the grid opens charts of its own in turn.
        QTest::mouseClick(grids.first()->ViewChartButton, Qt::LeftButton);
        QCOMPARE(grids.first()->findChildren<TAttendanceChartForm*>().size(), 1);
    }

    // Print Chart prints one landscape page and gives the printer back the orientation it had.
    void printingIsLandscapeAndRestoresTheOrientation_data() {
        QTest::addColumn<int>("before");
        QTest::newRow("portrait before") << int(QPageLayout::Portrait);
        QTest::newRow("landscape before") << int(QPageLayout::Landscape);
    }
    void printingIsLandscapeAndRestoresTheOrientation() {
        QFETCH(int, before);
        fx.Open({{"UsherReportT", {Report(QDate(2024, 3, 3), 110)}}});
        const QString pdf = fx.WorkingFolder() + "chart.pdf";
        QPrinter& printer = CurrentPrinter();
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Orientation(before));
        auto* chart = new TAttendanceChartForm;
        QVERIFY(ShowActive(chart));
        QTest::mouseClick(chart->PrintButton, Qt::LeftButton);
        QVERIFY(fx.Shown().isEmpty());
        QCOMPARE(int(printer.pageLayout().orientation()), before);
        QCOMPARE(FirstPageSize(pdf), QSizeF(792, 612)); // US Letter, landscape
    }
};

VTX_REGISTER_TEST(TestAttendanceChart)
#include "tst_AttendanceChart.moc"
