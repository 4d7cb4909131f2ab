#include "roster/vtxRosterDatesViewF.h"

#include "data/vtxDataM.h"
#include "roster/vtxRosterFormsU.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace RosterForms;

namespace {

// The display text of a field of the dates record that follows the active record.
QString DateText(const QString& field) {
    Table* dates = DataMod->RosterDatesT;
    if (!dates->Active() || dates->IsEmpty())
        return {};
    return dates->FieldByName(field)->DisplayText();
}

} // namespace

TRosterDatesViewForm::TRosterDatesViewForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("RosterDatesViewForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Important Dates");

    auto* grid = new QGridLayout(this);
    grid->setColumnMinimumWidth(1, 110);
    grid->setColumnStretch(1, 1);
    int row = 0;
    auto addRow = [&](const QString& caption, const QString& field, QLabel*& label,
                      QLabel*& value) {
        label = CaptionLabel(caption, this);
        value = new QLabel(DateText(field), this);
        value->setObjectName(field + "Value");
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(label, row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    };
    addRow("Birthday", "BirthDate", BirthdayLabel, BirthdayValue);
    addRow("Confirmed", "ConfirmationDate", ConfirmedLabel, ConfirmedValue);
    addRow("Joined", "JoinedChurchDate", JoinedLabel, JoinedValue);
    addRow("Left/Transferred", "LeftChurchDate", LeftLabel, LeftValue);
    addRow("Passing Date", "PassingDate", PassingLabel, PassingValue);

    CloseButton = new QPushButton("Close", this);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    grid->setRowMinimumHeight(row++, 8);
    grid->addWidget(CloseButton, row, 1, Qt::AlignRight);
    CentreOnMainWindow(this);
}
