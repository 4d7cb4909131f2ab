#include "attendance/vtxUsherDataEditF.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowLook.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

VTX_REGISTER_WINDOW(TUsherDataEditForm)

namespace {

// The width of the short boxes (time and counts): room for "12:00 PM" and six digits.
int ShortBoxWidth(QWidget* box) {
    return box->fontMetrics().horizontalAdvance(QStringLiteral("00:00 PMM")) + 16;
}

template <class Box> Box* FieldBox(const QString& field, QWidget* window, bool isShort = false) {
    auto* box = new Box(DataMod->UsherReportS, field, window);
    box->setObjectName(field + "Edit");
    if (isShort)
        box->setFixedWidth(ShortBoxWidth(box));
    return box;
}

} // namespace

TUsherDataEditForm::TUsherDataEditForm(QWidget* owner) : QDialog(owner) {
    Look::SetUpWindow(this, "UsherDataEditForm", "Usher Data Entry");
    new TCloseGuard(this, {DataMod->UsherReportT});

    UsherState = new TDBStateLabel(DataMod->UsherReportS, this);
    UsherState->setObjectName("UsherState");

    WorshipDateEdit = FieldBox<TDBDateEdit>("WorshipDate", this);
    WorshipDateEdit->SetCalendarStyle(TCalendarStyle::Dialog);
    WorshipDateEdit->setMaximumWidth(WorshipDateEdit->sizeHint().width() * 3 / 2);
    WorshipTimeEdit = FieldBox<TDBTimeEdit>("WorshipTime", this, true);
    NumberInServiceEdit = FieldBox<TDBEdit>("NumberInService", this, true);
    NumberInChoirEdit = FieldBox<TDBEdit>("NumberInChoir", this, true);
    NumberInSundaySchoolEdit = FieldBox<TDBEdit>("NumberInSundaySchool", this, true);
    NumberOtherEdit = FieldBox<TDBEdit>("NumberOther", this, true);
    WeatherEdit = FieldBox<TDBEdit>("Weather", this);
    RemarkEdit = FieldBox<TDBEdit>("Remark", this);
    ReportByEdit = FieldBox<TDBEdit>("ReportBy", this);

    QFormLayout* fields = Look::CaptionForm();
    Look::AddCaptionRow(fields, "Worship Date", WorshipDateEdit);
    Look::AddCaptionRow(fields, "Worship Time", WorshipTimeEdit);
    Look::AddCaptionRow(fields, "Number in Service", NumberInServiceEdit);
    Look::AddCaptionRow(fields, "Number in Choir", NumberInChoirEdit);
    Look::AddCaptionRow(fields, "Number in Sunday School", NumberInSundaySchoolEdit);
    Look::AddCaptionRow(fields, "Number Other", NumberOtherEdit);
    Look::AddCaptionRow(fields, "Weather", WeatherEdit);
    Look::AddCaptionRow(fields, "Remark", RemarkEdit);
    Look::AddCaptionRow(fields, "Entered by", ReportByEdit);

    UsherNavigator = new TDBNavigator(DataMod->UsherReportS, this);
    UsherNavigator->setObjectName("UsherNavigator");
    UsherNavigator->SetShowHint(true);
    CloseButton = Look::CloseButton(this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(UsherNavigator);
    bottom->addStretch(1);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(UsherState);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(bottom);

    // The nine fields, the navigator, Close.
    QWidget* order[] = {WorshipDateEdit,
                        WorshipTimeEdit,
                        NumberInServiceEdit,
                        NumberInChoirEdit,
                        NumberInSundaySchoolEdit,
                        NumberOtherEdit,
                        WeatherEdit,
                        RemarkEdit,
                        ReportByEdit,
                        UsherNavigator,
                        CloseButton};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    resize(520, sizeHint().height());
    Look::CentreOnDesktop(this);
}
