#include "attendance/vtxUsherReportsViewF.h"

#include "attendance/vtxAttendanceChartF.h"
#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TUsherReportsViewForm)

namespace {

struct UsherColumn {
    const char* field;
    const char* title;
    Qt::Alignment cells;
    Qt::Alignment title_;
};

// The grid's columns, left to right. The counts are left-aligned; the titles of the date,
// weather, remark and report-by columns are centred.
const UsherColumn kColumns[] = {
    {"WorshipDate", "Worship Date", {}, Qt::AlignHCenter},
    {"WorshipTime", "Worship Time", {}, {}},
    {"NumberInService", "Number In Service", Qt::AlignLeft, {}},
    {"NumberInSundaySchool", "Number In Sunday School", Qt::AlignLeft, {}},
    {"NumberInChoir", "Number In Choir", Qt::AlignLeft, {}},
    {"NumberOther", "Number Other", Qt::AlignLeft, {}},
    {"Weather", "Weather", {}, Qt::AlignHCenter},
    {"Remark", "Remark", {}, Qt::AlignHCenter},
    {"ReportBy", " Report By", {}, Qt::AlignHCenter},
};

} // namespace

TUsherReportsViewForm::TUsherReportsViewForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "UsherReportsViewForm", " Usher Reports");
    new TCloseGuard(this);

    UsherReportsDBGrid = new TDBGrid(this);
    UsherReportsDBGrid->setObjectName("UsherReportsDBGrid");
    UsherReportsDBGrid->SetOptions(TDBGrid::Titles | TDBGrid::Indicator | TDBGrid::ColLines |
                                   TDBGrid::RowLines | TDBGrid::RowSelect | TDBGrid::ColumnResize);
    for (const UsherColumn& c : kColumns) {
        TDBGridColumn& column = UsherReportsDBGrid->AddColumn(c.field, c.title);
        column.ReadOnly = true;
        if (c.cells)
            column.Alignment = c.cells | Qt::AlignVCenter;
        if (c.title_)
            column.TitleAlignment = c.title_ | Qt::AlignVCenter;
    }
    UsherReportsDBGrid->SetDataSource(DataMod->UsherReportS);

    RecordPosition = new TDBRecordPosition(DataMod->UsherReportS, this);
    RecordPosition->setObjectName("RecordPosition");
    Look::FixLabelWidth(RecordPosition, Look::WidestRecordPosition);
    UsherNavigator = new TDBNavigator(DataMod->UsherReportS, this);
    UsherNavigator->setObjectName("UsherNavigator");
    UsherNavigator->SetVisibleButtons({TNavButton::First, TNavButton::Prior, TNavButton::Next,
                                       TNavButton::Last, TNavButton::Refresh});
    UsherNavigator->SetShowHint(true);
    ViewChartButton = new QPushButton("View Attendance Chart", this);
    ViewChartButton->setObjectName("ViewChartButton");
    connect(ViewChartButton, &QPushButton::clicked, this,
            [this] { (new TAttendanceChartForm(this))->show(); });
    CloseButton = Look::CloseButton(this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(RecordPosition);
    bottom->addWidget(UsherNavigator);
    bottom->addStretch(1);
    bottom->addWidget(ViewChartButton);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(UsherReportsDBGrid, 1);
    layout->addLayout(bottom);

    resize(900, 520);
    Look::CentreOnDesktop(this);
}

void TUsherReportsViewForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The Close button has the focus when the window opens.
    if (!m_focusSet) {
        m_focusSet = true;
        CloseButton->setFocus(Qt::OtherFocusReason);
    }
}
