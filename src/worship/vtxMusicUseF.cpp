#include "worship/vtxMusicUseF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowLook.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TMusicUseForm::TMusicUseForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "MusicUseForm", "Music Use");
    new TCloseGuard(this, {DataMod->MusicUseT});

    LibraryNavigator = new TDBNavigator(DataMod->MusicLibraryS, this);
    LibraryNavigator->SetVisibleButtons({TNavButton::First, TNavButton::Prior, TNavButton::Next,
                                         TNavButton::Last, TNavButton::Delete, TNavButton::Edit,
                                         TNavButton::Post, TNavButton::Cancel,
                                         TNavButton::Refresh});
    LibraryNavigator->SetShowHint(true);

    UseGrid = new TDBGrid(this);
    UseGrid->setObjectName("UseGrid");
    UseGrid->AddColumn("MusicName", "Music Name").Width = 260;
    UseGrid->AddColumn("UsedDate", "Used").Width = 100;
    UseGrid->SetDataSource(DataMod->MusicUseS);
    UsePosition = new TDBRecordPosition(DataMod->MusicUseS, this);
    Look::FixLabelWidth(UsePosition, Look::WidestRecordPosition);
    CloseButton = Look::CloseButton(this);

    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(LibraryNavigator);
    navigatorRow->addStretch(1);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(UsePosition);
    bottomRow->addStretch(1);
    bottomRow->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(navigatorRow);
    layout->addWidget(UseGrid, 1);
    layout->addLayout(bottomRow);

    resize(460, 420);
    Look::CentreOnOwner(this);
}
