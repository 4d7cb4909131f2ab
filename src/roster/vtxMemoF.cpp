#include "roster/vtxMemoF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TMemoForm::TMemoForm(TMemoMode mode, QWidget* owner) : QWidget(owner, Qt::Window), m_mode(mode) {
    Look::SetUpWindow(this, "MemoForm", "Memo");

    MemoForLabel = Look::CaptionLabel("Memo for: ", this, Qt::AlignLeft | Qt::AlignVCenter);
    MemoForName = new TDBText(DataMod->RosterS, "LFMName", this);
    Look::LetLayoutSizeLabel(MemoForName);
    Look::MakeBoldMaroon(MemoForName);
    MemoBox = new TDBMemo(DataMod->MemoS, "Memo", this);
    MemoBox->setObjectName("MemoBox");
    ClearButton = new QPushButton("C&lear", this);
    SaveButton = new QPushButton("&Save", this);
    CloseButton = Look::CloseButton(this);

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

    if (m_mode == TMemoMode::View) {
        MemoBox->SetReadOnly(true);
        ClearButton->hide();
        SaveButton->hide();
    } else {
        RunAction([] { DataMod->RosterT->Edit(); });
        // No check: what is typed stays pending in the memo table, neither saved nor
        // dropped.
        (new TCloseGuard(this))->OnClose([this] { MemoBox->UpdateRecord(); });
    }
    Look::CentreOnOwner(this);
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
