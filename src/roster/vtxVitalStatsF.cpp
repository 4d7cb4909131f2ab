#include "roster/vtxVitalStatsF.h"

#include "data/vtxDataM.h"
#include "engine/Types.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

// The record count of a shared table as it stands (filter and master link applied); 0 for a
// table that is not open.
int PresentedRows(const DataSet* dataSet) {
    return dataSet && dataSet->Active() ? dataSet->RecordCount() : 0;
}

// Runs an aggregate query again so that its result is that of the data as it is now.
void Rerun(Query* query) {
    query->Close();
    query->Open();
}

// The first column of a query's result; invalid when the query has no row or the column is
// empty.
QVariant FirstColumn(const Query* query) {
    if (!query->Active() || query->IsEmpty() || query->FieldCount() == 0)
        return {};
    const Field* field = query->Fields().first();
    return field->IsNull() ? QVariant() : field->Value();
}

// The display text of a sum, as a box bound to the query's column shows it: the money in the
// currency format, nothing for an empty sum.
QString SumText(const Query* query, const QString& column) {
    if (!query->Active() || query->IsEmpty())
        return {};
    const Field* field = query->FindField(column);
    if (!field)
        field = query->FieldCount() > 0 ? query->Fields().first() : nullptr;
    return field ? field->DisplayText() : QString();
}

// The roster rows whose IsMember equals status, counted through the stored member query.
int CountMembers(Query* memberQuery, bool status) {
    memberQuery->Close();
    memberQuery->ParamByName(QStringLiteral("Status"))->SetAsBoolean(status);
    memberQuery->Prepare();
    memberQuery->Open();
    return memberQuery->RecordCount();
}

QLabel* Heading(const QString& text, QWidget* parent, int pointSize = 0) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(true);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QFrame* Panel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

} // namespace

QString FormatAverage(const QVariant& average) {
    const double value = average.isValid() && !average.isNull() ? average.toDouble() : 0.0;
    // Two decimals, halves rounded away from zero; the locale's decimal point, no grouping.
    const double rounded = std::round(value * 100.0) / 100.0;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(rounded, 'f', 2);
}

TVitalStatsForm::TVitalStatsForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, QStringLiteral("VitalStatsForm"), QStringLiteral("Vital Statistics"));
    resize(640, 460);
    Look::CentreOnMainWindow(this);

    // A row of a panel: the bold caption right-aligned against its box.
    auto addRow = [this](QGridLayout* grid, const char* name, const QString& caption,
                         bool readOnly) {
        auto* label = new QLabel(caption, this);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setReadOnly(readOnly);
        label->setBuddy(box);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        return box;
    };
    auto panelGrid = [](QFrame* panel) {
        auto* grid = new QGridLayout(panel);
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 1);
        return grid;
    };

    // Left panel: roster and detail record counts.
    QFrame* counts = Panel(this);
    QGridLayout* countsGrid = panelGrid(counts);
    countsGrid->addWidget(Heading(QStringLiteral("Roster Records"), this, 12), 0, 0, 1, 2);
    MembersEdit = addRow(countsGrid, "MembersEdit", QStringLiteral("Members"), true);
    NonMembersEdit = addRow(countsGrid, "NonMembersEdit", QStringLiteral("Non-Members"), true);
    TotalRecordsEdit =
        addRow(countsGrid, "TotalRecordsEdit", QStringLiteral("Total Records"), true);
    countsGrid->setRowMinimumHeight(countsGrid->rowCount(), 8);
    countsGrid->addWidget(Heading(QStringLiteral("Detail Records"), this), countsGrid->rowCount(),
                          0, 1, 2);
    BirthsEdit = addRow(countsGrid, "BirthsEdit", QStringLiteral("Births"), true);
    BaptismsEdit = addRow(countsGrid, "BaptismsEdit", QStringLiteral("Baptisms"), true);
    LayMinistriesEdit =
        addRow(countsGrid, "LayMinistriesEdit", QStringLiteral("Lay Ministries"), true);
    MarriagesEdit = addRow(countsGrid, "MarriagesEdit", QStringLiteral("Marriages"), true);
    PassingsEdit = addRow(countsGrid, "PassingsEdit", QStringLiteral("Passings"), true);
    countsGrid->setRowStretch(countsGrid->rowCount(), 1);

    // Right column: average attendance, pledged total, offerings received.
    QFrame* attendance = Panel(this);
    QGridLayout* attendanceGrid = panelGrid(attendance);
    attendanceGrid->addWidget(Heading(QStringLiteral("Average Attendance"), this), 0, 0, 1, 2);
    WorshipEdit = addRow(attendanceGrid, "WorshipEdit", QStringLiteral("Worship"), false);
    ChoirEdit = addRow(attendanceGrid, "ChoirEdit", QStringLiteral("Choir"), false);
    SundaySchoolEdit =
        addRow(attendanceGrid, "SundaySchoolEdit", QStringLiteral("Sunday School"), false);
    OtherEdit = addRow(attendanceGrid, "OtherEdit", QStringLiteral("Other"), false);

    QFrame* pledged = Panel(this);
    QGridLayout* pledgedGrid = panelGrid(pledged);
    pledgedGrid->addWidget(Heading(QStringLiteral("Pledged Total"), this), 0, 0, 1, 2);
    PledgedEdit = new QLineEdit(this);
    PledgedEdit->setObjectName(QStringLiteral("PledgedEdit"));
    PledgedEdit->setReadOnly(true);
    pledgedGrid->addWidget(PledgedEdit, 1, 1);

    QFrame* offerings = Panel(this);
    QGridLayout* offeringsGrid = panelGrid(offerings);
    offeringsGrid->addWidget(Heading(QStringLiteral("Offering Received"), this), 0, 0, 1, 2);
    EnvelopesEdit = addRow(offeringsGrid, "EnvelopesEdit", QStringLiteral("Envelopes"), true);
    LooseOfferingEdit =
        addRow(offeringsGrid, "LooseOfferingEdit", QStringLiteral("Loose Offering"), true);
    auto* totalCaption = new QLabel(QStringLiteral("Total"), this);
    QFont bold = totalCaption->font();
    bold.setBold(true);
    totalCaption->setFont(bold);
    totalCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TotalLabel = new QLabel(QStringLiteral("$0.00"), this);
    TotalLabel->setObjectName(QStringLiteral("TotalLabel"));
    TotalLabel->setFont(bold);
    const int totalRow = offeringsGrid->rowCount();
    offeringsGrid->addWidget(totalCaption, totalRow, 0);
    offeringsGrid->addWidget(TotalLabel, totalRow, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(attendance);
    right->addWidget(pledged);
    right->addWidget(offerings);
    right->addStretch(1);

    auto* panels = new QHBoxLayout;
    panels->addWidget(counts, 1);
    panels->addLayout(right, 1);

    CloseBtn = new QPushButton(QStringLiteral("&Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setFixedSize(CloseBtn->sizeHint().expandedTo(QSize(88, 28)));
    connect(CloseBtn, &QPushButton::clicked, this, &TVitalStatsForm::CloseBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CloseBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panels, 1);
    layout->addLayout(buttons);
    CloseBtn->setFocus();

    FormCreate();
}

void TVitalStatsForm::FormCreate() {
    TDataMod* data = DataMod;
    if (!data)
        return;

    // The roster as the shared table presents it: a members-only or non-members-only filter
    // of the View Roster window applies.
    TotalRecordsEdit->setText(QString::number(PresentedRows(data->RosterT)));

    // Members and non-members are counted in the roster file, whatever the filter.
    Query* memberQuery = data->vtxMemberQ;
    try {
        MembersEdit->setText(QString::number(CountMembers(memberQuery, true)));
        NonMembersEdit->setText(QString::number(CountMembers(memberQuery, false)));
    } catch (...) {
        memberQuery->Close();
        throw;
    }
    memberQuery->Close();

    // The detail tables as they stand, through their current link and filter.
    BirthsEdit->setText(QString::number(PresentedRows(data->BirthT)));
    BaptismsEdit->setText(QString::number(PresentedRows(data->BaptismT)));
    LayMinistriesEdit->setText(QString::number(PresentedRows(data->LayMinistryRosterT)));
    MarriagesEdit->setText(QString::number(PresentedRows(data->MarriageT)));
    PassingsEdit->setText(QString::number(PresentedRows(data->PassingT)));

    // The aggregates of the data as it is now.
    for (Query* query :
         {data->WorshipAttendanceQ, data->WorshipChoirQ, data->WorshipSundaySchoolQ,
          data->WorshipOtherQ, data->PledgedQ, data->GivingEnvelopeQ, data->GivingLooseQ})
        Rerun(query);

    WorshipEdit->setText(FormatAverage(FirstColumn(data->WorshipAttendanceQ)));
    ChoirEdit->setText(FormatAverage(FirstColumn(data->WorshipChoirQ)));
    SundaySchoolEdit->setText(FormatAverage(FirstColumn(data->WorshipSundaySchoolQ)));
    OtherEdit->setText(FormatAverage(FirstColumn(data->WorshipOtherQ)));

    PledgedEdit->setText(SumText(data->PledgedQ, QStringLiteral("SUM OF PledgeAmount")));
    EnvelopesEdit->setText(SumText(data->GivingEnvelopeQ, QStringLiteral("SUM OF AMOUNT")));
    LooseOfferingEdit->setText(SumText(data->GivingLooseQ, QStringLiteral("SUM OF TOTAL")));

    // The two sums as shown in their boxes, an empty box counting as zero.
    const Currency total = Currency::FromString(EnvelopesEdit->text()) +
                           Currency::FromString(LooseOfferingEdit->text());
    TotalLabel->setText(total.ToMoneyString());
}

void TVitalStatsForm::CloseBtnClick() {
    close();
}

VTX_REGISTER_WINDOW(TVitalStatsForm)
