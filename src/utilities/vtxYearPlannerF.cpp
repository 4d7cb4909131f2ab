#include "utilities/vtxYearPlannerF.h"

#include "engine/ESBDates.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"
#include "toolkit/vtxYearGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TYearPlannerForm)

TYearPlannerForm::TYearPlannerForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "YearPlannerForm", "Year Planner Calendar");
    Look::SetWindowColours(this, Look::Silver, Qt::black);
    setToolTip("Enter a year to change calendar.");

    SelectedDateLabel = new QLabel(this);
    SelectedDateLabel->setObjectName("SelectedDateLabel");
    QFont bold = SelectedDateLabel->font();
    bold.setBold(true);
    SelectedDateLabel->setFont(bold);

    YearGrid = new TYearGrid(this);
    YearGrid->setObjectName("YearGrid");
    YearGrid->setToolTip(QString());
    connect(YearGrid, &TYearGrid::dateSelected, this, &TYearPlannerForm::GridDateSelected);

    YearEdit = new QLineEdit(this);
    YearEdit->setObjectName("YearEdit");
    YearEdit->setFixedWidth(YearEdit->fontMetrics().horizontalAdvance("000000") + 16);
    YearEdit->setAlignment(Qt::AlignCenter);
    auto* yearCaption = new QLabel("&Year", this);
    yearCaption->setBuddy(YearEdit);
    yearCaption->setAlignment(Qt::AlignCenter);
    EasterButton = new QPushButton("&Easter for This Year", this);
    EasterButton->setAutoDefault(false);
    connect(EasterButton, &QPushButton::clicked, this, &TYearPlannerForm::EasterButtonClick);
    CloseButton = Look::CloseButton(this);

    auto* yearColumn = new QVBoxLayout;
    yearColumn->addWidget(YearEdit, 0, Qt::AlignHCenter);
    yearColumn->addWidget(yearCaption);
    auto* controls = new QHBoxLayout;
    controls->addLayout(yearColumn);
    controls->addSpacing(16);
    controls->addWidget(EasterButton, 0, Qt::AlignTop);
    controls->addStretch(1);
    controls->addWidget(CloseButton, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SelectedDateLabel);
    layout->addWidget(YearGrid, 1, Qt::AlignCenter);
    layout->addLayout(controls);

    // The current year; the box's own change of text then shows it.
    const int year = ThisYear();
    YearGrid->SetYear(year);
    YearEdit->setText(QString::number(year));
    connect(YearEdit, &QLineEdit::textChanged, this, &TYearPlannerForm::YearEditChange);
    SelectedDateLabel->clear();

    Look::CentreOnOwner(this);
}

void TYearPlannerForm::YearEditChange(const QString& text) {
    // Only a whole year is read: the calendar does not jump at every digit typed.
    if (text.size() != 4)
        return;
    bool ok = false;
    const int year = text.toInt(&ok);
    if (!ok) {
        Dialogs::ErrorBox(QString("'%1' is not a valid integer value").arg(text));
        return;
    }
    YearGrid->SetYear(year);
}

void TYearPlannerForm::GridDateSelected(const QDate& date) {
    SelectedDateLabel->setText("Selected Date: " + FormatShortDate(date));
}

void TYearPlannerForm::EasterButtonClick() {
    RunAction([this] {
        const QDate easter = DateTimeToDate(EasterSunday(YearGrid->Year()));
        Dialogs::ShowMessage("Easter is on " +
                             QLocale().toString(easter, QStringLiteral("dddd, MMMM d, yyyy")));
    });
}
