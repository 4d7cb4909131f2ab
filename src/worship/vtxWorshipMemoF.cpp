#include "worship/vtxWorshipMemoF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowLook.h"
#include "worship/vtxWorshipDataEntryF.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TWorshipMemoForm::TWorshipMemoForm(QWidget* owner) : QDialog(owner) {
    Look::SetUpWindow(this, "WorshipMemoForm", "Worship Memo");
    auto* guard = new TCloseGuard(this, {DataMod->WorshipMemoT});
    guard->SetPendingMessage(PendingText);

    MemoNavigator = new TDBNavigator(DataMod->WorshipMemoS, this);
    MemoNavigator->SetVisibleButtons({TNavButton::Insert, TNavButton::Delete, TNavButton::Edit,
                                      TNavButton::Post, TNavButton::Cancel, TNavButton::Refresh});
    MemoNavigator->SetShowHint(true);
    MemoNavigator->setVisible(qobject_cast<TWorshipDataEntryForm*>(owner) != nullptr);
    MemoEdit = new TDBMemo(DataMod->WorshipMemoS, "Special Instructions", this);
    MemoEdit->setObjectName("MemoEdit");
    MemoState = new TDBStateLabel(DataMod->WorshipMemoS, this);
    CloseButton = Look::CloseButton(this);

    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(MemoNavigator);
    navigatorRow->addStretch(1);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(MemoState);
    bottomRow->addStretch(1);
    bottomRow->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(navigatorRow);
    layout->addWidget(MemoEdit, 1);
    layout->addLayout(bottomRow);

    resize(480, 320);
    Look::CentreOnOwner(this);
}
