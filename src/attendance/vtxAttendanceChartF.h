#pragma once
// The Attendance window (modeless): worship attendance over time, one point per usher
// report, with buttons that open the Vital Statistics and Usher Reports windows (owned by
// this one, any number of times), print the chart, and close.
//
// The chart reads the usher report file through a table object of its own (Table1), opened
// through the data folder's alias when the window is created and closed with the window: it
// shows the reports as they stood then, and a report posted later shows only in a chart
// opened later.
//
// The chart: title "Worship Attendance" in bold maroon, no legend, a silver panel with a
// white plot area; one line "WorshipAttendance" in dark purple. Each report is a point whose
// horizontal value is its NumberInService and whose vertical value is its WorshipDate; the
// points are ordered by NumberInService and the line joins them in that order. Each point is
// labelled with its NumberInService, and the bottom axis ("Number") is labelled with the
// points' labels; the left axis ("Date") is labelled in steps of whole weeks, one week when
// there is room, each time the chart is laid out. A report without a date is not charted.

#include <QWidget>
#include <memory>

class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QPushButton;
class Table;

// One usher report as the chart plots it: NumberInService, and WorshipDate as a day number
// (days from 30 December 1899).
struct TAttendancePoint {
    double number = 0;
    double date = 0;
};

// The reports of an open usher report table as points, ordered by NumberInService (reports
// with the same count keep the table's order); reports without a date are left out.
QList<TAttendancePoint> AttendancePoints(Table& usherReports);

class TAttendanceChartForm : public QWidget {
    Q_OBJECT
public:
    explicit TAttendanceChartForm(QWidget* owner = nullptr);
    ~TAttendanceChartForm() override;

    std::unique_ptr<Table> Table1;
    QChartView* ChartView;
    QChart* Chart;
    QLineSeries* Series;
    QCategoryAxis* NumberAxis; // bottom
    QCategoryAxis* DateAxis;   // left
    QPushButton* VitalStatsButton;
    QPushButton* GridViewButton;
    QPushButton* PrintButton;
    QPushButton* CloseButton;

    // The points as charted, in the order the line joins them.
    const QList<TAttendancePoint>& Points() const { return m_points; }
    // Prints the chart on the current printer in landscape, putting the printer's
    // orientation back afterwards.
    void PrintChart();
    // Labels both axes for the plot area as it is now (done whenever the chart is laid out).
    void LabelAxes();

private:
    void BuildChart();
    QList<TAttendancePoint> m_points;
    bool m_labelling = false;
};
