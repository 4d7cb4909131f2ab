#include "ministries/vtxLayMinistriesEditF.h"

#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "engine/ESBDates.h"
#include "ministries/vtxLayMinistriesU.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TEditLayMinistriesForm)

namespace {

// The grid's columns, left to right: field, title, width in pixels, how the cell is edited.
struct EnrolmentColumn {
    const char* field;
    const char* title;
    int width;
    TColumnEditor editor;
};
const EnrolmentColumn kColumns[] = {
    {"MinistryNumber", "Ministry Number", 105, TColumnEditor::None},
    {"RosterRecordNumber", "Record Number", 105, TColumnEditor::None},
    {"LayMinisterName", "Lay Minister Name", 160, TColumnEditor::None},
    {"MinistryName", "Ministry Name", 220, TColumnEditor::Lookup},
    {"StartDate", "Start Date", 95, TColumnEditor::Date},
    {"EndDate", "End Date", 95, TColumnEditor::Date},
    {"Remark", "Remark", 220, TColumnEditor::Auto},
};

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

// ----- The ministry's status and the date check ----------------------------------------

TEditLayMinistriesForm::TMinistryStatus TEditLayMinistriesForm::MinistryStatus(bool hasMinistry,
                                                                               bool governing,
                                                                               int maximum,
                                                                               int participants) {
    TMinistryStatus status;
    status.governing = !hasMinistry ? QStringLiteral("Unknown")
                       : governing  ? QStringLiteral("True")
                                    : QStringLiteral("False");
    status.maximum = maximum > 0 ? QString::number(maximum) : QStringLiteral("None");
    status.count = QString::number(participants);
    if (maximum <= 0) {
        status.needed = QStringLiteral("Unlimited");
    } else {
        // A full or over-full ministry needs nobody.
        const int needed = qMax(0, maximum - participants);
        status.needed = QString::number(needed);
        status.neededInRed = needed > 0;
    }
    return status;
}

int TEditLayMinistriesForm::CountParticipants(int ministryNumber) {
    Query* participants = DataMod->ParticipantsCountQ;
    participants->Close();
    if (!participants->Prepared())
        participants->Prepare();
    participants->ParamByName(QStringLiteral("MinNum"))->SetAsInteger(ministryNumber);
    participants->Open();
    return participants->RecordCount();
}

QString TEditLayMinistriesForm::DateCheckMessage(const QDate& start, const QDate& end,
                                                 bool tellWeeksApart) {
    // An enrolment without a start or an end date is open: nothing to compare.
    if (!start.isValid() || !end.isValid())
        return {};
    if (end < start)
        return QStringLiteral("End date is earlier than the start date!");
    const int weeks = WeeksApart(DateToDateTime(start), DateToDateTime(end));
    if (weeks == 0)
        return QStringLiteral("Start and end dates are in the same week.");
    if (tellWeeksApart)
        return QStringLiteral("Dates are %1 weeks apart.").arg(weeks);
    return {};
}

// ----- The window ---------------------------------------------------------------------

TEditLayMinistriesForm::TEditLayMinistriesForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "EditLayMinistriesForm", "Lay Ministries Participation");
    RunAction(&ShowMemberEnrolments);

    ActiveRecordName = new TDBText(DataMod->RosterS, "LFMName", this);
    ActiveRecordName->setObjectName("ActiveRecordName");
    Look::MakeBoldMaroon(ActiveRecordName);
    Look::LetLayoutSizeLabel(ActiveRecordName);
    SelectActiveRecordButton = new QPushButton("Select &Active Record", this);
    connect(SelectActiveRecordButton, &QPushButton::clicked, this,
            &TEditLayMinistriesForm::SelectActiveRecordButtonClick);

    EnrolmentNavigator = new TDBNavigator(DataMod->LayMinistryRosterS, this);
    EnrolmentNavigator->setObjectName("EnrolmentNavigator");
    EnrolmentState = new TDBStateLabel(DataMod->LayMinistryRosterS, this);
    EnrolmentState->setObjectName("EnrolmentState");

    EnrolmentGrid = new TDBGrid(this);
    EnrolmentGrid->setObjectName("EnrolmentGrid");
    EnrolmentGrid->SetOptions(TDBGrid::Editing | TDBGrid::Tabs | TDBGrid::Indicator |
                              TDBGrid::Titles | TDBGrid::ColumnResize | TDBGrid::ColLines |
                              TDBGrid::RowLines | TDBGrid::ConfirmDelete |
                              TDBGrid::AlwaysShowEditor);
    for (const EnrolmentColumn& c : kColumns) {
        TDBGridColumn& column = EnrolmentGrid->AddColumn(c.field, c.title);
        column.Width = c.width;
        column.Editor = c.editor;
        column.ReadOnly = c.editor == TColumnEditor::None;
        column.CalendarStyle = TCalendarStyle::Dialog;
    }
    m_ministryColumn = EnrolmentGrid->ColumnOfField("MinistryName");
    m_endDateColumn = EnrolmentGrid->ColumnOfField("EndDate");
    TDBGridColumn& ministry = EnrolmentGrid->Column(m_ministryColumn);
    ministry.LookupSource = DataMod->LayMinistriesS;
    ministry.LookupField = "MinistryName";
    EnrolmentGrid->SetDataSource(DataMod->LayMinistryRosterS);
    connect(EnrolmentGrid, &TDBGrid::editorOpened, this, &TEditLayMinistriesForm::EditorOpened);
    connect(EnrolmentGrid, &TDBGrid::editorClosed, this, &TEditLayMinistriesForm::EditorClosed);
    connect(EnrolmentGrid, &TDBGrid::lookupPicked, this, &TEditLayMinistriesForm::MinistryPicked);
    connect(DataMod->LayMinistryRosterS, &DataSource::dataChanged, this, [this](Field* field) {
        if (m_endDateOpen && field && field->FieldName() == QLatin1String("EndDate"))
            m_end = field->AsDate();
    });

    StatusPanel = MakeStatusPanel();
    CloseButton = Look::CloseButton(this);

    auto* heading = new QHBoxLayout;
    heading->addWidget(Look::CaptionLabel("Editing Lay Ministries participation for: ", this));
    heading->addWidget(ActiveRecordName, 1);
    heading->addSpacing(12);
    heading->addWidget(SelectActiveRecordButton);
    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(EnrolmentNavigator);
    navigatorRow->addSpacing(12);
    navigatorRow->addWidget(EnrolmentState);
    navigatorRow->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(StatusPanel);
    bottom->addStretch(1);
    bottom->addWidget(CloseButton, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addLayout(navigatorRow);
    layout->addWidget(
        Look::CaptionLabel("Click in the edits to choose a Ministry Name and the Dates", this,
                           Qt::AlignLeft | Qt::AlignVCenter));
    layout->addWidget(EnrolmentGrid, 1);
    layout->addLayout(bottom);

    // The keys go to the enrolments first.
    EnrolmentGrid->setFocus();
    // The panel tells of whatever ministry is current, and shows while the list is open.
    ShowMinistryStatus();
    StatusPanel->hide();

    resize(1040, 560);
    Look::CentreOnMainWindow(this);
}

QWidget* TEditLayMinistriesForm::MakeStatusPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName("StatusPanel");
    // Showing and hiding it moves nothing else.
    QSizePolicy policy = panel->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    panel->setSizePolicy(policy);
    auto* lines = new QGridLayout(panel);
    lines->setContentsMargins(0, 0, 0, 0);
    auto line = [this, lines](int row, const QString& caption) {
        lines->addWidget(Look::CaptionLabel(caption, this), row, 0);
        auto* value = new QLabel(this);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance("Unlimited") + 8);
        lines->addWidget(value, row, 1);
        return value;
    };
    GoverningValue = line(0, "Selected ministry is a governing body: ");
    MaximumValue = line(1, "Maximum participants number is:");
    CountValue = line(2, "Current number of participants:");
    NeededValue = line(3, "Currently needed in this ministry:");
    return panel;
}

void TEditLayMinistriesForm::ShowMinistryStatus() {
    const Table* ministries = DataMod->LayMinistriesT;
    const bool hasMinistry = ministries->Active() && !ministries->IsEmpty();
    int participants = 0;
    RunAction([&] { participants = CountParticipants(CurrentMinistryNumber); });
    const TMinistryStatus status = MinistryStatus(hasMinistry, CurrentMinistryGoverning,
                                                  CurrentMinistryMaxMembers, participants);
    GoverningValue->setText(status.governing);
    MaximumValue->setText(status.maximum);
    CountValue->setText(status.count);
    NeededValue->setText(status.needed);
    SetTextColour(NeededValue, status.neededInRed ? QColor(Qt::red) : QColor(Qt::black));
}

void TEditLayMinistriesForm::SelectActiveRecordButtonClick() {
    ShowRegisteredWindow(QStringLiteral("TSelectActiveRecordForm"), this);
}

void TEditLayMinistriesForm::EditorOpened(int column) {
    if (column == m_ministryColumn) {
        ShowMinistryStatus();
        StatusPanel->show();
    } else if (column == m_endDateColumn) {
        const Table* enrolled = Enrolments();
        m_start = enrolled->FieldByName("StartDate")->AsDate();
        m_end = enrolled->FieldByName("EndDate")->AsDate();
        m_endDateOpen = true;
        EnrolmentGrid->GridModel()->ClearWriteFailed();
    }
}

void TEditLayMinistriesForm::EditorClosed(int column) {
    if (column == m_ministryColumn) {
        StatusPanel->hide();
    } else if (column == m_endDateColumn && m_endDateOpen) {
        m_endDateOpen = false;
        // A date the box refused has been reported already.
        if (!EnrolmentGrid->GridModel()->LastWriteFailed())
            CheckDates();
    }
}

// The grid has written the name into the row and made its ministry the current one; the
// row takes that ministry's number too, so that number and name always go together.
void TEditLayMinistriesForm::MinistryPicked(int column) {
    if (column != m_ministryColumn)
        return;
    RunAction([] {
        Table* enrolled = Enrolments();
        Field* number = enrolled->FieldByName("MinistryNumber");
        if (!number->IsNull() && number->AsInteger() == CurrentMinistryNumber)
            return;
        if (!IsEditing(enrolled))
            enrolled->Edit();
        number->SetAsInteger(CurrentMinistryNumber);
    });
    ShowMinistryStatus();
}

// The check speaks once the editor is gone, so that its message never interrupts the grid
// while it moves between cells.
void TEditLayMinistriesForm::CheckDates() {
    const QString message = DateCheckMessage(m_start, m_end, bool(OptionsRecord.ConfirmCritical));
    if (message.isEmpty())
        return;
    QMetaObject::invokeMethod(
        this, [message] { Dialogs::ShowMessage(message); }, Qt::QueuedConnection);
}
