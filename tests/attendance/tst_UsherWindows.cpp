// The Usher Data Entry and Usher Reports windows, and the menu items that open the
// attendance windows.

#include "DataModuleFixture.h"
#include "app/vtxMenuTable.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "attendance/vtxAttendanceChartF.h"
#include "attendance/vtxUsherDataEditF.h"
#include "attendance/vtxUsherReportsViewF.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"

#include <QPushButton>
#include <QToolButton>

namespace {

QVariantMap Report(const QDate& date, int inService, const QString& by = "J. Usher") {
    return {{"WorshipDate", date},
            {"WorshipTime", QTime(10, 0)},
            {"NumberInService", inService},
            {"NumberInSundaySchool", 20},
            {"NumberInChoir", 12},
            {"NumberOther", 3},
            {"ReportBy", by}};
}

Table* Ushers() {
    return DataMod->UsherReportT;
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestUsherWindows : public QObject {
    Q_OBJECT
    DataModuleFixture fx;

private slots:
    void init() {
        fx.Open({{"UsherReportT",
                  {Report(QDate(2024, 1, 7), 120), Report(QDate(2024, 1, 14), 95, "A. Smith")}}});
    }
    void cleanup() { fx.Close(); }

    // A whole report typed with the keyboard only: Insert, the nine boxes in tab order,
    // Post. The time is read by the time field, the counts by their integer fields.
    void aReportIsEnteredWithTheKeyboard() {
        auto* form = new TUsherDataEditForm;
        QVERIFY(ShowActive(form));
        Click(form->UsherNavigator->Button(TNavButton::Insert));
        QCOMPARE(Ushers()->State(), DataSetState::Insert);
        QCOMPARE(form->UsherState->text(), QString("UsherReportT: Insert"));
        form->WorshipDateEdit->setFocus();
        const QStringList typed = {"1/21/2024", "10:30pm", "130",    "14",      "25",
                                   "4",         "Snow",    "Advent", "K. Jones"};
        for (const QString& text : typed) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QVERIFY(fx.Shown().isEmpty());
        // Tab has reached the navigator.
        QVERIFY(form->UsherNavigator->isAncestorOf(QApplication::focusWidget()));
        Click(form->UsherNavigator->Button(TNavButton::Post));
        QCOMPARE(Ushers()->State(), DataSetState::Browse);
        QCOMPARE(Ushers()->RecordCount(), 3);
        QCOMPARE(Ushers()->FieldByName("WorshipDate")->AsDate(), QDate(2024, 1, 21));
        QCOMPARE(Ushers()->FieldByName("WorshipTime")->AsTime(), QTime(22, 30));
        QCOMPARE(Ushers()->FieldByName("NumberInService")->AsInteger(), 130);
        QCOMPARE(Ushers()->FieldByName("NumberInChoir")->AsInteger(), 14);
        QCOMPARE(Ushers()->FieldByName("NumberInSundaySchool")->AsInteger(), 25);
        QCOMPARE(Ushers()->FieldByName("NumberOther")->AsInteger(), 4);
        QCOMPARE(Ushers()->FieldByName("ReportBy")->AsString(), QString("K. Jones"));
    }

    // What a box's field cannot hold is refused with the engine's conversion message when the
    // box is left; the record stays in edit and nothing is stored.
    void fieldsRefuseWhatTheyCannotHold_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("count in service") << "NumberInServiceEdit"
                                          << "many"
                                          << "'many' is not a valid integer value";
        QTest::newRow("choir") << "NumberInChoirEdit"
                               << "12a"
                               << "'12a' is not a valid integer value";
        QTest::newRow("date") << "WorshipDateEdit"
                              << "2/30/2024"
                              << "'2/30/2024' is not a valid date";
    }
    void fieldsRefuseWhatTheyCannotHold() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        auto* form = new TUsherDataEditForm;
        QVERIFY(ShowActive(form));
        auto* edit = form->findChild<QLineEdit*>(box);
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(fx.Shown().size(), 1);
        QVERIFY2(fx.Shown().first().contains(message), qPrintable(fx.Shown().first()));
        QCOMPARE(Ushers()->State(), DataSetState::Edit);
        Click(form->UsherNavigator->Button(TNavButton::Cancel));
        QCOMPARE(Ushers()->FieldByName("NumberInService")->AsInteger(), 120);
    }

    // The window stays open while a report is being inserted or edited, whatever closes it.
    void closeIsRefusedWhileAReportIsPending_data() {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<bool>("escape");
        QTest::newRow("insert, Close") << true << false;
        QTest::newRow("insert, Escape") << true << true;
        QTest::newRow("edit, Close") << false << false;
    }
    void closeIsRefusedWhileAReportIsPending() {
        QFETCH(bool, insert);
        QFETCH(bool, escape);
        QPointer<TUsherDataEditForm> form = new TUsherDataEditForm;
        QVERIFY(ShowActive(form));
        Click(form->UsherNavigator->Button(insert ? TNavButton::Insert : TNavButton::Edit));
        if (escape)
            QTest::keyClick(form, Qt::Key_Escape);
        else
            Click(form->CloseButton);
        QCOMPARE(fx.Shown(), QStringList{"Please Post or Cancel the changes."});
        QVERIFY(form->isVisible());
        Click(form->UsherNavigator->Button(TNavButton::Cancel));
        Click(form->CloseButton);
        FlushDeletes();
        QVERIFY(form.isNull());
        QCOMPARE(Ushers()->RecordCount(), 2);
    }

    // The grid's columns as the ushers' sheet has them: titles (the leading blank of
    // " Report By" kept), every cell left-aligned (the counts too), four titles centred;
    // read only.
    void gridColumns_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("centredTitle");
        QTest::newRow("date") << "WorshipDate"
                              << "Worship Date" << true;
        QTest::newRow("time") << "WorshipTime"
                              << "Worship Time" << false;
        QTest::newRow("service") << "NumberInService"
                                 << "Number In Service" << false;
        QTest::newRow("school") << "NumberInSundaySchool"
                                << "Number In Sunday School" << false;
        QTest::newRow("choir") << "NumberInChoir"
                               << "Number In Choir" << false;
        QTest::newRow("other") << "NumberOther"
                               << "Number Other" << false;
        QTest::newRow("weather") << "Weather"
                                 << "Weather" << true;
        QTest::newRow("remark") << "Remark"
                                << "Remark" << true;
        QTest::newRow("by") << "ReportBy"
                            << " Report By" << true;
    }
    void gridColumns() {
        QFETCH(QString, field);
        QFETCH(QString, title);
        QFETCH(bool, centredTitle);
        auto* view = new TUsherReportsViewForm;
        TDBGrid* grid = view->UsherReportsDBGrid;
        const int column = grid->ColumnOfField(field);
        QVERIFY(column >= 0);
        TDBGridModel* model = grid->GridModel();
        QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), title);
        const auto cellAlign =
            Qt::Alignment(model->data(model->index(0, column), Qt::TextAlignmentRole).toInt());
        QVERIFY(cellAlign & Qt::AlignLeft); // the counts too, which would stand right
        const auto titleAlign =
            Qt::Alignment(model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
        QCOMPARE(bool(titleAlign & Qt::AlignHCenter), centredTitle);
        QVERIFY(!(model->flags(model->index(0, column)) & Qt::ItemIsEditable));
    }

    // The columns stand left to right in the sheet's order.
    void gridColumnOrder() {
        auto* view = new TUsherReportsViewForm;
        QStringList fields;
        for (int column : view->UsherReportsDBGrid->VisibleColumns())
            fields << view->UsherReportsDBGrid->Column(column).FieldName;
        QCOMPARE(fields, QStringList({"WorshipDate", "WorshipTime", "NumberInService",
                                      "NumberInSundaySchool", "NumberInChoir", "NumberOther",
                                      "Weather", "Remark", "ReportBy"}));
    }

    // The view opens with Close focused, moves with five navigator buttons only, shows the
    // position, and opens one more Attendance window, owned by it, at each click.
    void viewWindowHabits() {
        auto* view = new TUsherReportsViewForm;
        QVERIFY(ShowActive(view));
        QCOMPARE(QApplication::focusWidget(), view->CloseButton);
        QCOMPARE(view->windowTitle(), QString(" Usher Reports"));
        QList<TNavButton> shown;
        for (TNavButton b : TDBNavigator::AllButtons())
            if (view->UsherNavigator->Button(b)->isVisibleTo(view))
                shown << b;
        QCOMPARE(shown, QList<TNavButton>({TNavButton::First, TNavButton::Prior, TNavButton::Next,
                                           TNavButton::Last, TNavButton::Refresh}));
        QCOMPARE(view->RecordPosition->text(), QString("1:2"));
        Click(view->UsherNavigator->Button(TNavButton::Last));
        QCOMPARE(view->RecordPosition->text(), QString("2:2"));
        Click(view->ViewChartButton);
        Click(view->ViewChartButton);
        const auto charts = view->findChildren<TAttendanceChartForm*>();
        QCOMPARE(charts.size(), 2);
        for (TAttendanceChartForm* chart : charts) {
            QVERIFY(chart->isWindow() && chart->isVisible());
            QCOMPARE(chart->parentWidget(), view);
        }
    }

    // The menu items open the three windows: the usher entry modal after the usher
    // functions password (level 2), the grid and the chart modeless without a password.
    void menuItemsOpenTheWindows_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("objectName");
        QTest::newRow("Files, Usher") << "UshersData1"
                                      << "UsherDataEditForm";
        QTest::newRow("Reports, grid") << "UshersReport1"
                                       << "UsherReportsViewForm";
        QTest::newRow("Reports, Attendance") << "Attendance1"
                                             << "AttendanceChartForm";
    }
    void menuItemsOpenTheWindows() {
        QFETCH(QString, item);
        QFETCH(QString, objectName);
        const TMenuRow* row = FindMenuRow(item);
        QVERIFY(row);
        QString modalName;
        Dialogs::QueueModal([&modalName](QDialog* dialog) {
            modalName = dialog->objectName();
            return int(QDialog::Rejected);
        });
        AccessFileRead = true;
        PasswordsInForce = TAccessRecord();
        SetPassword(PasswordsInForce, 2, "Usher2");
        if (row->accessLevel == 2)
            Dialogs::QueueInput(true, "Usher2");
        QWidget owner;
        const TMenuOutcome outcome = RunMenuRow(*row, &owner);
        AccessFileRead = false;
        PasswordsInForce = TAccessRecord();
        QCOMPARE(outcome, TMenuOutcome::WindowShown);
        QCOMPARE(row->accessLevel, row->show == TShowMode::Modal ? 2 : 0);
        if (row->show == TShowMode::Modal)
            QCOMPARE(modalName, objectName);
        else
            QVERIFY(owner.findChild<QWidget*>(objectName));
    }
};

VTX_REGISTER_TEST(TestUsherWindows)
#include "tst_UsherWindows.moc"
