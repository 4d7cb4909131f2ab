#include "ministries/vtxLayMinistriesSetupF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TLayMinistriesSetupForm)

TLayMinistriesSetupForm::TLayMinistriesSetupForm(QWidget* owner) : QDialog(owner) {
    Look::SetUpWindow(this, "LayMinistriesSetupForm", "Lay Ministries Setup");
    new TCloseGuard(this, {DataMod->LayMinistriesT});

    MinistriesGrid = new TDBGrid(this);
    MinistriesGrid->setObjectName("MinistriesGrid");
    MinistriesGrid->SetOptions(TDBGrid::Editing | TDBGrid::Tabs | TDBGrid::Indicator |
                               TDBGrid::Titles | TDBGrid::ColumnResize | TDBGrid::ColLines |
                               TDBGrid::RowLines | TDBGrid::ConfirmDelete |
                               TDBGrid::AlwaysShowEditor);
    TDBGridColumn& number = MinistriesGrid->AddColumn("MinistryNumber", "Lay Ministry Number");
    number.Alignment = Qt::AlignCenter;
    number.Width = 140;
    MinistriesGrid->AddColumn("MinistryName", "Ministry Name").Width = 300;
    MinistriesGrid->AddColumn("Description").Visible = false;
    TDBGridColumn& governing = MinistriesGrid->AddColumn("Governing", "Governing");
    governing.Editor = TColumnEditor::Check;
    governing.Width = 80;
    TDBGridColumn& members = MinistriesGrid->AddColumn("NoOfMembers", "No. Of Members");
    members.Alignment = Qt::AlignLeft | Qt::AlignVCenter;
    members.Width = 110;
    MinistriesGrid->SetFixedColumns(1);
    MinistriesGrid->SetDataSource(DataMod->LayMinistriesS);

    MinistriesNavigator = new TDBNavigator(DataMod->LayMinistriesS, this);
    MinistriesNavigator->setObjectName("MinistriesNavigator");
    MinistriesNavigator->SetVisibleButtons({TNavButton::First, TNavButton::Prior, TNavButton::Next,
                                            TNavButton::Last, TNavButton::Edit, TNavButton::Post,
                                            TNavButton::Cancel, TNavButton::Refresh});

    DescriptionMemo = new TDBMemo(DataMod->LayMinistriesS, "Description", this);
    DescriptionMemo->setObjectName("DescriptionMemo");
    QLabel* descriptionCaption =
        Look::CaptionLabel(" Description ", this, Qt::AlignLeft | Qt::AlignVCenter);
    descriptionCaption->setBuddy(DescriptionMemo);
    CloseButton = Look::CloseButton(this);

    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(MinistriesNavigator);
    navigatorRow->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MinistriesGrid, 3);
    layout->addLayout(navigatorRow);
    layout->addSpacing(6);
    layout->addWidget(descriptionCaption);
    layout->addWidget(DescriptionMemo, 1);
    layout->addLayout(bottom);

    MinistriesGrid->setFocus(); // the keys go to the ministries first
    resize(720, 520);
    Look::CentreOnMainWindow(this);
}
