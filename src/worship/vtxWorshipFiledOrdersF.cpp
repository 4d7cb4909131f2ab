#include "worship/vtxWorshipFiledOrdersF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"
#include "worship/vtxWorshipP.h"
#include "worship/vtxWorshipU.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TWorshipFiledOrdersForm)

namespace {

const QColor Navy(0x00, 0x00, 0x80);

TDBText* FieldText(const QString& field, QWidget* parent) {
    auto* text = new TDBText(DataMod->WorshipS, field, parent);
    text->setObjectName(field + "Text");
    Look::LetLayoutSizeLabel(text);
    return text;
}

} // namespace

TWorshipFiledOrdersForm::TWorshipFiledOrdersForm(QWidget* owner) : QDialog(owner) {
    Look::SetUpWindow(this, "WorshipFiledOrdersForm", "Worship: Filed Orders");
    Look::SetWindowColours(this, Navy, Qt::white);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    new TCloseGuard(this);

    auto* title = new QLabel("Order of Worship", this);
    QFont titleFont = bold;
    titleFont.setPointSizeF(bold.pointSizeF() * 1.6);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    WorshipDateText = FieldText("WorshipDate", this);
    WorshipTimeText = FieldText("WorshipTime", this);
    OfficiantText = FieldText("OfficiantInCharge", this);
    WorshipNavigator = new TDBNavigator(DataMod->WorshipS, this);
    WorshipNavigator->SetVisibleButtons({TNavButton::First, TNavButton::Prior, TNavButton::Next,
                                         TNavButton::Last, TNavButton::Refresh});

    // The thirty lines on silver.
    auto* panel = new QFrame(this);
    panel->setObjectName("ElementPanel");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    Look::SetWindowColours(panel, Look::Silver, Qt::black);
    panel->setLayout(Worship::ElementColumns([this, panel](int k) {
        TDBText* text = FieldText(Worship::ElementField(k), panel);
        ElementTexts << text;
        return text;
    }));
    panel->layout()->setContentsMargins(16, 8, 16, 8);
    panel->layout()->setSpacing(3);

    RemarkText = FieldText("Remark", this);
    RemarkText->setAlignment(Qt::AlignCenter);
    InstructionsMemo = new TDBMemo(DataMod->WorshipMemoS, "Special Instructions", this);
    InstructionsMemo->setObjectName("InstructionsMemo");
    InstructionsMemo->SetReadOnly(true);
    QFont plain = bold;
    plain.setBold(false);
    InstructionsMemo->setFont(plain);
    InstructionsMemo->setFixedHeight(InstructionsMemo->fontMetrics().lineSpacing() * 4 + 12);

    PrintButton = new QPushButton("&Print", this);
    PrintButton->setAutoDefault(false);
    connect(PrintButton, &QPushButton::clicked, this, &TWorshipFiledOrdersForm::PrintButtonClick);
    CloseButton = Look::CloseButton(this);

    auto* serviceRow = new QHBoxLayout;
    serviceRow->addWidget(new QLabel("Worship Date", this));
    serviceRow->addWidget(WorshipDateText, 2);
    serviceRow->addSpacing(16);
    serviceRow->addWidget(new QLabel("Worship Time", this));
    serviceRow->addWidget(WorshipTimeText, 1);
    serviceRow->addSpacing(16);
    serviceRow->addWidget(OfficiantText, 3);

    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addStretch(1);
    navigatorRow->addWidget(WorshipNavigator);
    navigatorRow->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(PrintButton);
    buttons->addWidget(CloseButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(serviceRow);
    layout->addLayout(navigatorRow);
    layout->addWidget(panel, 1);
    layout->addWidget(RemarkText);
    layout->addWidget(InstructionsMemo);
    layout->addLayout(buttons);

    resize(900, 680);
    Look::CentreOnOwner(this);
}

void TWorshipFiledOrdersForm::PrintButtonClick() {
    RunAction([this] {
        TWorshipPrintout printout;
        printout.Preview(this);
    });
}
