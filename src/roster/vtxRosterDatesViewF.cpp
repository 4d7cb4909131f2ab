#include "roster/vtxRosterDatesViewF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxWindowLook.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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
    Look::SetUpWindow(this, "RosterDatesViewForm", "Important Dates");

    QFormLayout* dates = Look::CaptionForm();
    auto row = [&](const QString& caption, const QString& field, QLabel** label = nullptr) {
        auto* value = new QLabel(DateText(field), this);
        value->setObjectName(field + "Value");
        value->setMinimumWidth(110);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QLabel* made = Look::AddCaptionRow(dates, caption, value);
        if (label)
            *label = made;
        return value;
    };
    BirthdayValue = row("Birthday", "BirthDate", &BirthdayLabel);
    ConfirmedValue = row("Confirmed", "ConfirmationDate");
    JoinedValue = row("Joined", "JoinedChurchDate");
    LeftValue = row("Left/Transferred", "LeftChurchDate");
    PassingValue = row("Passing Date", "PassingDate");

    // Whose dates, as they stood when the window opened.
    const Table* roster = DataMod->RosterT;
    MemberName = Look::CaptionLabel(roster->Active() && !roster->IsEmpty()
                                        ? roster->FieldByName("LFMName")->AsString()
                                        : QString(),
                                    this, Qt::AlignLeft | Qt::AlignVCenter);
    MemberName->setObjectName("MemberName");
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Look::CaptionLabel("Dates for: ", this, Qt::AlignLeft | Qt::AlignVCenter));
    nameRow->addWidget(MemberName, 1);

    CloseButton = Look::CloseButton(this);
    auto* layout = new QVBoxLayout(this);
    // Nothing in it grows: the window keeps the size of what it shows.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(nameRow);
    layout->addSpacing(4);
    layout->addLayout(dates);
    layout->addSpacing(8);
    layout->addWidget(CloseButton, 0, Qt::AlignRight);
    Look::CentreOnMainWindow(this);
}
