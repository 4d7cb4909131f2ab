#include "roster/vtxMemoF.h"

#include "data/vtxDataM.h"
#include "roster/vtxRosterFormsU.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxWindowHabits.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace RosterForms;

TMemoForm::TMemoForm(TMemoMode mode, QWidget* owner) : QWidget(owner, Qt::Window), m_mode(mode) {
    setObjectName("MemoForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Memo");

    MemoForLabel = CaptionLabel("Memo for: ", this, Qt::AlignLeft | Qt::AlignVCenter);
    MemoForName = new TDBText(DataMod->RosterS, "LFMName", this);
    LetLayoutSizeLabel(MemoForName);
    MakeBoldMaroon(MemoForName);
    MemoBox = new TDBMemo(DataMod->MemoS, "Memo", this);
    MemoBox->setObjectName("MemoBox");
    ClearButton = new QPushButton("C&lear", this);
    SaveButton = new QPushButton("&Save", this);
    CloseButton = new QPushButton("Close", this);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(MemoForLabel);
    nameRow->addWidget(MemoForName, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ClearButton);
    buttons->addWidget(SaveButton);
    buttons->addStretch(1);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(MemoBox, 1);
    layout->addLayout(buttons);
    resize(460, 320);

    connect(ClearButton, &QPushButton::clicked, this, &TMemoForm::ClearButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TMemoForm::SaveButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    if (m_mode == TMemoMode::View) {
        MemoBox->SetReadOnly(true);
        ClearButton->hide();
        SaveButton->hide();
    } else {
        RunAction([] { DataMod->RosterT->Edit(); });
    }
    CentreOn(this, owner);
}

void TMemoForm::ClearButtonClick() {
    RunAction([] {
        DataMod->MemoT->Edit();
        DataMod->MemoT->FieldByName("Memo")->Clear();
    });
}

void TMemoForm::SaveButtonClick() {
    // With nothing pending the engine refuses: "Dataset not in edit or insert mode".
    RunAction([] { DataMod->MemoT->Post(); });
}

void TMemoForm::closeEvent(QCloseEvent* event) {
    // No check: what is typed stays pending in the memo table, neither saved nor dropped.
    if (m_mode == TMemoMode::Edit)
        RunAction([this] { MemoBox->UpdateRecord(); });
    QWidget::closeEvent(event);
}
