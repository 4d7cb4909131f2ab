#include "records/vtxWeddingListU.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TWeddingListForm::TWeddingListForm(TWeddingMode mode, QWidget* owner,
                                   const TWeddingListSetup& setup)
    : QDialog(owner), m_mode(mode), m_table(setup.table), m_source(setup.source),
      m_activeCaption(setup.activeCaption), m_positionCaption(setup.positionCaption) {
    Look::SetUpWindow(this, setup.objectName, setup.caption);
    auto* guard =
        new TCloseGuard(this, mode == TWeddingMode::Edit ? QList<const DataSet*>{setup.table}
                                                         : QList<const DataSet*>{});
    Table* table = setup.table;
    guard->OnClose([table] { table->SetFiltered(false); });

    ActiveRecordName = new TDBText(DataMod->RosterS, "LFMName", this);
    ActiveRecordName->setObjectName("ActiveRecordName");
    Look::LetLayoutSizeLabel(ActiveRecordName);
    Look::MakeBoldMaroon(ActiveRecordName);
    StateLabel = new TDBStateLabel(setup.source, this);
    StateLabel->setObjectName("StateLabel");
    Navigator = new TDBNavigator(setup.source, this);
    Navigator->setObjectName("Navigator");
    Grid = new TDBGrid(this);
    Grid->setObjectName("Grid");
    Grid->AddColumn("RecordNumber").Visible = false;
    if (mode == TWeddingMode::View)
        Navigator->SetVisibleButtons(
            {TNavButton::First, TNavButton::Prior, TNavButton::Next, TNavButton::Last});
    RecordPosition = new TDBRecordPosition(setup.source, this);
    RecordPosition->setObjectName("RecordPosition");
    Look::FixLabelWidth(RecordPosition, Look::WidestRecordPosition);
    CloseButton = Look::CloseButton(this);
}

TDBGridColumn& TWeddingListForm::AddColumn(const QString& field, const QString& title, int width) {
    TDBGridColumn& column = Grid->AddColumn(field, title);
    column.Width = width;
    return column;
}

int TWeddingListForm::WidthToShow(const QString& sample) const {
    // The text, the cell's margins on both sides and the grid line.
    return Grid->fontMetrics().horizontalAdvance(sample) + 12;
}

void TWeddingListForm::AddDisplay(const QList<std::pair<QString, QString>>& items, int chosen) {
    m_display = new QGroupBox(" Display ", this);
    m_display->setObjectName("Display");
    auto* group = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(m_display);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i].first, m_display);
        group->addButton(item, i);
        layout->addWidget(item);
        DisplayItems << item;
        m_filters << items[i].second;
    }
    connect(group, &QButtonGroup::idClicked, this, &TWeddingListForm::DisplayClick);
    // The filter is the shared table's: whoever changes it, the group shows it.
    connect(m_source, &DataSource::rowsChanged, this, &TWeddingListForm::FollowFilter);
    if (chosen >= 0)
        DisplayClick(chosen);
    else
        FollowFilter();
}

void TWeddingListForm::DisplayClick(int item) {
    if (item < 0 || item >= DisplayItems.size())
        return;
    DisplayItems[item]->setChecked(true);
    const QString filter = m_filters[item];
    RunAction([&] {
        if (filter.isEmpty()) {
            m_table->SetFiltered(false);
        } else {
            m_table->SetFilter(filter);
            m_table->SetFiltered(true);
        }
    });
    FollowFilter();
}

void TWeddingListForm::FollowFilter() {
    const QString filter = m_table->Filtered() ? m_table->Filter() : QString();
    const int item = int(m_filters.indexOf(filter));
    if (item < 0)
        return;
    // No item chosen yet and no filter: the group stays as it opened.
    const bool anyChecked = std::any_of(DisplayItems.begin(), DisplayItems.end(),
                                        [](QRadioButton* b) { return b->isChecked(); });
    if (filter.isEmpty() && !anyChecked)
        return;
    DisplayItems[item]->setChecked(true);
}

void TWeddingListForm::FinishLayout() {
    // The look of a browse grid (maroon titles, text cut at the cell's edge), with the
    // options of the mode.
    Look::SetBrowseGridLook(Grid, {.boldCentredTitles = false, .silverRows = false});
    if (m_mode == TWeddingMode::View)
        Grid->SetOptions(TDBGrid::Titles | TDBGrid::Indicator | TDBGrid::ColLines |
                         TDBGrid::RowLines);
    else
        Grid->SetOptions(TDBGrid::Editing | TDBGrid::Tabs | TDBGrid::Indicator | TDBGrid::Titles |
                         TDBGrid::ColumnResize | TDBGrid::ColLines | TDBGrid::RowLines |
                         TDBGrid::ConfirmDelete);
    Grid->SetDataSource(m_source);

    auto* top = new QHBoxLayout;
    top->addWidget(Look::CaptionLabel(m_activeCaption, this));
    top->addWidget(ActiveRecordName, 1);
    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(Navigator);
    navigatorRow->addSpacing(12);
    navigatorRow->addWidget(StateLabel);
    navigatorRow->addStretch(1);
    auto* bottom = new QHBoxLayout;
    if (m_display) {
        bottom->addWidget(m_display);
        bottom->addSpacing(12);
    }
    bottom->addWidget(Look::CaptionLabel(m_positionCaption, this), 0, Qt::AlignVCenter);
    bottom->addWidget(RecordPosition, 0, Qt::AlignVCenter);
    bottom->addStretch(1);
    bottom->addWidget(CloseButton, 0, Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(navigatorRow);
    layout->addWidget(Grid, 1);
    layout->addLayout(bottom);
}
