#include "toolkit/vtxDataSetReport.h"

#include "engine/DataSet.h"
#include "engine/Table.h"
#include "engine/TableScan.h"
#include "toolkit/vtxReportPreview.h"

TDataSetRows::TDataSetRows(DataSet* dataSet) : m_dataSet(dataSet) {}

TDataSetRows::~TDataSetRows() {
    if (m_disabled)
        m_dataSet->EnableControls();
}

int TDataSetRows::Count() {
    // A pending change is posted first, so that the count is the walk's.
    m_dataSet->CheckBrowseMode();
    if (!m_disabled) {
        m_dataSet->DisableControls();
        m_disabled = true;
    }
    return m_dataSet->RecordCount();
}

void TDataSetRows::Goto(int row) {
    const int current = m_dataSet->RecNo() - 1;
    if (row == current)
        return;
    if (row == current + 1 && row > 0)
        m_dataSet->Next();
    else if (row == 0)
        m_dataSet->First();
    else
        m_dataSet->SetRecNo(row + 1);
}

TTableScanRows::TTableScanRows(Table* table) : m_table(table) {}

TTableScanRows::~TTableScanRows() = default;

int TTableScanRows::Count() {
    // A pending change is posted first, so that the file holds what the table shows.
    m_table->CheckBrowseMode();
    m_scan = std::make_unique<TableScan>(*m_table);
    m_row = -1;
    m_hasRow = false;
    return m_table->RecordCount();
}

void TTableScanRows::Goto(int row) {
    while (m_scan && m_row < row) {
        m_hasRow = m_scan->Next();
        ++m_row;
        if (!m_hasRow)
            m_scan.reset(); // the file holds fewer rows than the list: the rest are empty
    }
}

QVariant TTableScanRows::Value(const Field* field) const {
    return m_hasRow && m_scan ? m_scan->Value(field) : QVariant();
}

TDataSetReport::TDataSetReport(DataSet* rows, const QString& title, const QString& caption)
    : m_title(title), m_rows(rows) {
    m_report.caption = caption;
}

ReportBand& TDataSetReport::AddTitleBand(double height, double points) {
    ReportBand& band = m_report.AddBand(ReportBandKind::Title, height);
    band.AddText(0, 0.05, m_title)
        .Named(QStringLiteral("Title"))
        .Align(ReportAlign::Center)
        .Size(points)
        .Bold();
    return band;
}

std::unique_ptr<ReportRows> TDataSetReport::MakeRows() {
    return std::make_unique<TDataSetRows>(m_rows);
}

ReportDocument TDataSetReport::Layout(const QDateTime& printedAt) {
    const std::unique_ptr<ReportRows> rows = MakeRows();
    return m_report.Layout(*rows, printedAt);
}

int TDataSetReport::Preview(QWidget* parent) {
    const ReportDocument document = Layout();
    return ShowReportPreview(document, parent);
}
