#include "worship/vtxWorshipOrderSetupF.h"

#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"
#include "worship/vtxWorshipU.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TWorshipOrderSetupForm)

namespace {

const QColor Navy(0x00, 0x00, 0x80);

// The numbered instructions: white and bold on the navy window.
QLabel* Instruction(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TWorshipOrderSetupForm::TWorshipOrderSetupForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    Look::SetUpWindow(this, "WorshipOrderSetupForm", "Worship Orders Setup");
    Look::SetWindowColours(this, Navy, Qt::white);
    new TCloseGuard(this, {DataMod->WorshipOrdersT});

    // Step 1: the numbers 1 to 30.
    OrderList = new QListWidget(this);
    OrderList->setObjectName("OrderList");
    for (int n = 1; n <= Worship::ElementCount; ++n)
        OrderList->addItem(QString::number(n));
    OrderList->setFixedWidth(OrderList->fontMetrics().horizontalAdvance("0000") + 40);
    connect(OrderList, &QListWidget::itemClicked, this, &TWorshipOrderSetupForm::OrderListClick);
    connect(OrderList, &QListWidget::itemActivated, this, &TWorshipOrderSetupForm::OrderListClick);

    // Step 2: the navigator, without Insert: the window adds no template.
    OrderNavigator = new TDBNavigator(DataMod->WorshipOrdersS, this);
    OrderNavigator->SetVisibleButtons({TNavButton::Delete, TNavButton::Edit, TNavButton::Post,
                                       TNavButton::Cancel, TNavButton::Refresh});
    OrderState = new TDBStateLabel(DataMod->WorshipOrdersS, this);

    // Step 3: the template's name.
    OrderNameEdit = new TDBEdit(DataMod->WorshipOrdersS, "OrderName", this);
    OrderNameEdit->setObjectName("OrderNameEdit");

    // Step 4: the template grid: the number, then the thirty elements.
    Step4Label = Instruction(Step4Text, this);
    TemplateGrid = new TDBGrid(this);
    TemplateGrid->setObjectName("TemplateGrid");
    TemplateGrid->SetOptions(TDBGrid::Options(TDBGrid::DefaultOptions) | TDBGrid::NoInsert);
    TDBGridColumn& number = TemplateGrid->AddColumn("OrderNumber", "Order Number");
    number.Alignment = Qt::AlignCenter;
    number.Color = Look::Silver;
    number.ReadOnly = true;
    for (int k = 1; k <= Worship::ElementCount; ++k)
        TemplateGrid
            ->AddColumn(Worship::ElementField(k), QString("Element %1").arg(k, 2, 10, QChar('0')))
            .Width = 160;
    TemplateGrid->SetDataSource(DataMod->WorshipOrdersS);
    // The grid keeps the program's own colours, not the window's navy.
    TemplateGrid->setPalette(QApplication::palette());

    // The preview: the elements in two columns, read only, on silver.
    auto* preview = new QFrame(this);
    preview->setObjectName("Preview");
    preview->setFrameShape(QFrame::Panel);
    preview->setFrameShadow(QFrame::Sunken);
    Look::SetWindowColours(preview, Look::Silver, Qt::black);
    preview->setLayout(Worship::ElementColumns([this, preview](int k) {
        auto* text = new TDBText(DataMod->WorshipOrdersS, Worship::ElementField(k), preview);
        text->setObjectName(Worship::ElementField(k) + "Text");
        Look::LetLayoutSizeLabel(text);
        PreviewTexts << text;
        return text;
    }));
    preview->layout()->setContentsMargins(12, 6, 12, 6);
    preview->layout()->setSpacing(2);

    CloseButton = Look::CloseButton(this);

    // Layout: the list on the left; steps 2, 3 and the preview beside it; step 4 and the
    // grid across the bottom.
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(Instruction("Step 1.", this));
    listColumn->addWidget(Instruction("Select an order to edit.", this));
    listColumn->addWidget(OrderList, 1);

    auto* navigatorRow = new QHBoxLayout;
    navigatorRow->addWidget(Instruction("Step 2.  Click the Edit button to begin editing.", this));
    navigatorRow->addSpacing(12);
    navigatorRow->addWidget(OrderNavigator);
    navigatorRow->addSpacing(12);
    navigatorRow->addWidget(OrderState);
    navigatorRow->addStretch(1);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Instruction("Step 3.  Name this worship template.", this));
    nameRow->addSpacing(12);
    nameRow->addWidget(OrderNameEdit, 1);
    nameRow->addStretch(1);

    auto* stepsColumn = new QVBoxLayout;
    stepsColumn->addLayout(navigatorRow);
    stepsColumn->addLayout(nameRow);
    stepsColumn->addWidget(preview, 1);
    stepsColumn->addWidget(Instruction("Step 5.  Click the Post button to save template.", this));

    auto* top = new QHBoxLayout;
    top->addLayout(listColumn);
    top->addSpacing(12);
    top->addLayout(stepsColumn, 1);

    auto* bottomRow = new QHBoxLayout;
    bottomRow->addStretch(1);
    bottomRow->addWidget(CloseButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addWidget(Step4Label);
    layout->addWidget(TemplateGrid, 2);
    layout->addLayout(bottomRow);

    resize(980, 720);
    Look::CentreOnDesktop(this);
}

void TWorshipOrderSetupForm::OrderListClick(QListWidgetItem* item) {
    if (!item)
        return;
    const int number = item->text().toInt();
    // A missing template leaves the table where it was.
    RunAction([number] { DataMod->WorshipOrdersT->Locate("OrderNumber", {number}); });
    Step4Label->setText(
        QString("Step 2.  Edit worship order template number %1.").arg(CurrentOrderNumber));
}
