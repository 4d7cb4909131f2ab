#include "utilities/vtxDBCleanupF.h"

#include "app/vtxHelpF.h"
#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"
#include "utilities/vtxDBCleanupU.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TDBCleanupForm)

namespace {

QLabel* CentredLine(const QString& text, int pointSize, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TDBCleanupForm::TDBCleanupForm(QWidget* owner) : QDialog(owner) {
    Look::SetUpWindow(this, "DBCleanupForm", "Database Cleanup");

    auto* panel = new QFrame(this);
    panel->setObjectName("CategoryPanel");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* boxes = new QVBoxLayout(panel);
    const QList<TCleanupCategory>& categories = CleanupCategories();
    for (int i = 0; i < categories.size(); ++i) {
        auto* box = new QCheckBox(categories[i].caption, panel);
        box->setObjectName(categories[i].checkBoxName);
        QFont font = box->font();
        font.setBold(true);
        box->setFont(font);
        boxes->addWidget(box);
        CategoryBoxes << box;
        connect(box, &QCheckBox::clicked, this, [this, i] { CategoryClick(i); });
    }
    HelpButton = new QPushButton(QStringLiteral("Help"), this);
    HelpButton->setObjectName("HelpButton");
    CloseButton = Look::CloseButton(this);
    connect(HelpButton, &QPushButton::clicked, this, &TDBCleanupForm::HelpButtonClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(HelpButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CentredLine(
        QStringLiteral(
            "CAUTION!  Before deleting data from the database be sure you have saved copies"),
        12, this));
    layout->addWidget(CentredLine(
        QStringLiteral(
            "of all data you wish to keep.  Refer to the Help system for detailed information."),
        12, this));
    layout->addSpacing(8);
    layout->addWidget(CentredLine(
        QStringLiteral(
            "To empty all records in a category, check the box to the left of the description."),
        0, this));
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);
    Look::CentreOnMainWindow(this);
}

void TDBCleanupForm::CategoryClick(int category) {
    const TCleanupCategory& c = CleanupCategories().at(category);
    const bool ticked = CategoryBoxes.at(category)->isChecked();
    if (Dialogs::Message(CleanupQuestion(c, ticked), Dialogs::Icon::Question,
                         Dialogs::Yes | Dialogs::No) != Dialogs::Yes)
        return;
    QList<bool> boxes;
    for (const QCheckBox* box : CategoryBoxes)
        boxes << box->isChecked();
    // The hourglass while tables are emptied, the normal cursor over each message.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RunCleanup(*DataMod, boxes, OptionsRecord.ConfirmCritical, [](const QString& text, bool error) {
        QApplication::restoreOverrideCursor();
        Dialogs::Message(text, error ? Dialogs::Icon::Error : Dialogs::Icon::Information);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    });
    QApplication::restoreOverrideCursor();
}

void TDBCleanupForm::HelpButtonClick() {
    HelpWithUsingVestrix(this);
}
