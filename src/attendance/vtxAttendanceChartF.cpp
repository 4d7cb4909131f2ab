#include "attendance/vtxAttendanceChartF.h"

#include "attendance/vtxUsherReportsViewF.h"
#include "data/vtxTableDefs.h"
#include "engine/Table.h"
#include "engine/Types.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxPrinter.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

VTX_REGISTER_WINDOW(TAttendanceChartForm)

namespace {

const QColor DarkPurple(128, 0, 64);
constexpr double DaysPerWeek = 7;

// Room a label needs along its axis, in pixels, so that neighbours never touch.
int LabelRoom(const QFontMetrics& metrics, const QString& widest, bool horizontal) {
    return horizontal ? metrics.horizontalAdvance(widest) + metrics.averageCharWidth() * 2
                      : metrics.height() * 3 / 2;
}

void ClearCategories(QCategoryAxis* axis) {
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
}

} // namespace

QList<TAttendancePoint> AttendancePoints(Table& usherReports) {
    const int numberField = usherReports.FieldByName("NumberInService")->Index();
    const int dateField = usherReports.FieldByName("WorshipDate")->Index();
    QList<TAttendancePoint> points;
    const int rows = usherReports.DisplayRowCount();
    points.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        const QDate date = usherReports.DisplayValue(row, dateField).toDate();
        if (!date.isValid())
            continue;
        points.append(
            {usherReports.DisplayValue(row, numberField).toDouble(), DateToDateTime(date)});
    }
    std::stable_sort(
        points.begin(), points.end(),
        [](const TAttendancePoint& a, const TAttendancePoint& b) { return a.number < b.number; });
    return points;
}

TAttendanceChartForm::TAttendanceChartForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "AttendanceChartForm", "Attendance");
    new TCloseGuard(this);

    // The window's own table object on the usher report file, through the alias.
    Table1 = std::make_unique<Table>(TableDefOf("UsherReportT"), "Table1");
    Table1->DatabaseName = VTX2AliasName;
    RunAction([this] {
        Table1->Open();
        m_points = AttendancePoints(*Table1);
    });

    BuildChart();

    VitalStatsButton = new QPushButton("&Vital Statistics at a Glance", this);
    VitalStatsButton->setObjectName("VitalStatsButton");
    connect(VitalStatsButton, &QPushButton::clicked, this,
            [this] { ShowRegisteredWindow("TVitalStatsForm", this); });
    GridViewButton = new QPushButton("&Usher's Report Grid View", this);
    GridViewButton->setObjectName("GridViewButton");
    connect(GridViewButton, &QPushButton::clicked, this,
            [this] { (new TUsherReportsViewForm(this))->show(); });
    PrintButton = new QPushButton("&Print Chart", this);
    PrintButton->setObjectName("PrintButton");
    connect(PrintButton, &QPushButton::clicked, this, &TAttendanceChartForm::PrintChart);
    CloseButton = Look::CloseButton(this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(VitalStatsButton);
    buttons->addWidget(GridViewButton);
    buttons->addWidget(PrintButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ChartView, 1);
    layout->addLayout(buttons);

    resize(900, 640);
    Look::CentreOnDesktop(this);
    CloseButton->setFocus(Qt::OtherFocusReason);
}

TAttendanceChartForm::~TAttendanceChartForm() = default;

void TAttendanceChartForm::BuildChart() {
    Chart = new QChart;
    Chart->setTitle("Worship Attendance");
    QFont titleFont = Chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    Chart->setTitleFont(titleFont);
    Chart->setTitleBrush(Look::Maroon);
    Chart->legend()->hide();
    Chart->setBackgroundBrush(Look::Silver);
    Chart->setBackgroundRoundness(0);
    Chart->setPlotAreaBackgroundBrush(Qt::white);
    Chart->setPlotAreaBackgroundVisible(true);

    Series = new QLineSeries;
    Series->setName("WorshipAttendance");
    Series->setPen(QPen(DarkPurple, 1));
    Series->setPointLabelsVisible(true);
    Series->setPointLabelsFormat("@xPoint");
    Series->setPointLabelsClipping(false);
    QList<QPointF> points;
    points.reserve(m_points.size());
    for (const TAttendancePoint& p : m_points)
        points.append(QPointF(p.number, p.date));
    Series->replace(points);
    Chart->addSeries(Series);

    NumberAxis = new QCategoryAxis;
    NumberAxis->setTitleText("Number");
    NumberAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    DateAxis = new QCategoryAxis;
    DateAxis->setTitleText("Date");
    DateAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    NumberAxis->setTruncateLabels(false);
    DateAxis->setTruncateLabels(false);
    Chart->addAxis(NumberAxis, Qt::AlignBottom);
    Chart->addAxis(DateAxis, Qt::AlignLeft);
    Series->attachAxis(NumberAxis);
    Series->attachAxis(DateAxis);

    // The ranges: the points' own, widened a little so the end points are not on the frame.
    double minNumber = 0, maxNumber = 1;
    double minDate = DateToDateTime(QDate::currentDate()) - DaysPerWeek;
    double maxDate = minDate + 2 * DaysPerWeek;
    if (!m_points.isEmpty()) {
        minNumber = m_points.first().number;
        maxNumber = m_points.last().number;
        auto [lo, hi] = std::minmax_element(
            m_points.begin(), m_points.end(),
            [](const TAttendancePoint& a, const TAttendancePoint& b) { return a.date < b.date; });
        minDate = lo->date;
        maxDate = hi->date;
    }
    const double numberPad = std::max(1.0, (maxNumber - minNumber) * 0.03);
    const double datePad = std::max(DaysPerWeek, (maxDate - minDate) * 0.03);
    NumberAxis->setRange(minNumber - numberPad, maxNumber + numberPad);
    DateAxis->setRange(minDate - datePad, maxDate + datePad);
    NumberAxis->setStartValue(minNumber - numberPad);
    DateAxis->setStartValue(minDate - datePad);

    ChartView = new QChartView(Chart, this);
    ChartView->setObjectName("ChartView");
    ChartView->setRenderHint(QPainter::Antialiasing, false);
    ChartView->resize(860, 560);
    LabelAxes();
    // Labelled after each layout, once it is done: labels added inside the layout would be
    // measured only at the next one.
    connect(Chart, &QChart::plotAreaChanged, this, &TAttendanceChartForm::LabelAxes,
            Qt::QueuedConnection);
}

void TAttendanceChartForm::LabelAxes() {
    if (m_labelling)
        return;
    m_labelling = true;
    QRectF area = Chart->plotArea();
    if (area.isEmpty()) // not laid out yet: the room the view will give
        area = QRectF(0, 0, ChartView->width() * 0.8, ChartView->height() * 0.7);
    QList<QPair<QString, double>> numbers, dates;

    // Bottom: the points' labels, the first one as it is, then each one that has room after
    // the last one shown.
    if (!m_points.isEmpty() && area.width() > 0) {
        const QFontMetrics metrics(NumberAxis->labelsFont());
        const double span = NumberAxis->max() - NumberAxis->min();
        const double room =
            LabelRoom(metrics, QString::number(m_points.last().number), true) * span / area.width();
        double last = -INFINITY;
        for (const TAttendancePoint& p : m_points) {
            if (p.number == last || p.number - last < room)
                continue;
            numbers.append({QString::number(p.number), p.number});
            last = p.number;
        }
    }

    // Left: Sundays from the first one on the axis, one week apart when there is room,
    // otherwise the fewest whole weeks apart that leave room.
    if (area.height() > 0) {
        const QFontMetrics metrics(DateAxis->labelsFont());
        const double span = DateAxis->max() - DateAxis->min();
        const double room = LabelRoom(metrics, QString(), false) * span / area.height();
        const double step = std::max(1.0, std::ceil(room / DaysPerWeek)) * DaysPerWeek;
        // Day 1 (31 December 1899) was a Sunday.
        for (double day = std::ceil((DateAxis->min() - 1) / DaysPerWeek) * DaysPerWeek + 1;
             day <= DateAxis->max(); day += step)
            dates.append({FormatShortDate(DateTimeToDate(day)), day});
    }

    // Only a change of labels lays the chart out again.
    for (auto [axis, labels] : {std::pair{NumberAxis, &numbers}, std::pair{DateAxis, &dates}}) {
        QStringList wanted;
        for (const auto& label : *labels)
            wanted << label.first;
        if (axis->categoriesLabels() == wanted)
            continue;
        ClearCategories(axis);
        for (const auto& [text, value] : *labels)
            axis->append(text, value);
    }
    m_labelling = false;
}

void TAttendanceChartForm::PrintChart() {
    const bool printed = PrintOnCurrentPrinter(
        QPageLayout::Landscape, "Attendance", [this](QPainter& painter, const QRect& page) {
            // The chart as it is on screen, scaled to the page with its proportions kept.
            const QSize shown = ChartView->size();
            const double scale = std::min(double(page.width()) / shown.width(),
                                          double(page.height()) / shown.height());
            painter.save();
            painter.translate(page.topLeft());
            painter.scale(scale, scale);
            ChartView->render(&painter);
            painter.restore();
        });
    if (!printed)
        Dialogs::ErrorBox("The chart could not be printed: no printer is ready.");
}
