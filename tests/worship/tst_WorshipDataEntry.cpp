// The Worship Data Entry window with its memo and filed orders windows: templates applied
// by a mouse click only, services refused at post, the close checks, and the windows it
// opens.

#include "WorshipFixture.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "utilities/vtxYearPlannerF.h"
#include "worship/vtxMusicLibraryF.h"
#include "worship/vtxWorshipDataEntryF.h"
#include "worship/vtxWorshipFiledOrdersF.h"
#include "worship/vtxWorshipMemoF.h"

#include <QPointer>
#include <QPushButton>
#include <QToolButton>

namespace {

const QDate Sunday(2024, 3, 10);

QStringList Lines(const QString& prefix, int count) {
    QStringList lines;
    for (int k = 1; k <= count; ++k)
        lines << QString("%1 %2").arg(prefix).arg(k);
    return lines;
}

QVariantMap Service(const QTime& time, const QStringList& lines = {}) {
    QVariantMap row{{"WorshipDate", Sunday}, {"WorshipTime", time}, {"WorshipTemplateNumber", 3}};
    for (int k = 1; k <= lines.size(); ++k)
        row[WorshipFixture::ElementName(k)] = lines[k - 1];
    return row;
}

QStringList ServiceLines() {
    QStringList lines;
    for (int k = 1; k <= 30; ++k)
        lines << DataMod->WorshipT->FieldByName(WorshipFixture::ElementName(k))->AsString();
    return lines;
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void ClickTemplate(TWorshipDataEntryForm* form, int number) {
    TDBGrid* grid = form->TemplateGrid;
    const QModelIndex cell = grid->model()->index(number - 1, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
}

} // namespace

class TestWorshipDataEntry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_f.Create();
        m_f.SetTemplate(1, "Holy Communion", Lines("Communion", 25));
        m_f.SetTemplate(2, "Service of the Word", Lines("Word", 20));
        m_f.Write("WorshipT", {Service(QTime(8, 0), Lines("Early", 10)),
                               Service(QTime(10, 30), Lines("typed", 30))});
        m_f.Start();
        DataMod->WorshipT->Last(); // the 10:30 service
    }
    void cleanup() { m_f.Close(); }

    void templateClickedWhileEditing_data() {
        QTest::addColumn<QList<int>>("clicked");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("elements 21 to 30 empty clear lines 21 to 30")
            << QList<int>{2} << Lines("Word", 20) + QStringList(10, QString());
        QTest::newRow("template 2 after template 1: only template 2's headings")
            << QList<int>{1, 2} << Lines("Word", 20) + QStringList(10, QString());
        QTest::newRow("template 1")
            << QList<int>{1} << Lines("Communion", 25) + QStringList(5, QString());
    }

    void templateClickedWhileEditing() {
        QFETCH(QList<int>, clicked);
        QFETCH(QStringList, expected);
        auto* form = new TWorshipDataEntryForm;
        QVERIFY(ShowActive(form));
        Click(form->WorshipNavigator->Button(TNavButton::Edit));
        for (int number : clicked)
            ClickTemplate(form, number);
        QCOMPARE(ServiceLines(), expected);
        QCOMPARE(form->ElementEdits.at(0)->text(), expected.at(0));
        QCOMPARE(form->ElementEdits.at(29)->text(), expected.at(29));
        QCOMPARE(DataMod->WorshipT->FieldByName("WorshipTemplateNumber")->AsInteger(),
                 clicked.last());
        // Nothing is posted by a template.
        QCOMPARE(DataMod->WorshipT->State(), DataSetState::Edit);
        QCOMPARE(m_f.Shown(), QStringList());
    }

    void templateClickedWhileBrowsing() {
        auto* form = new TWorshipDataEntryForm;
        QVERIFY(ShowActive(form));
        ClickTemplate(form, 2);
        QCOMPARE(m_f.Shown(), QStringList{"Please click the Navigator to Insert or Edit record."});
        QCOMPARE(ServiceLines(), Lines("typed", 30));
        QCOMPARE(DataMod->WorshipT->FieldByName("WorshipTemplateNumber")->AsInteger(), 3);
        QCOMPARE(DataMod->WorshipT->State(), DataSetState::Browse);
    }

    void keysInTheTemplateListApplyNothing() {
        auto* form = new TWorshipDataEntryForm;
        QVERIFY(ShowActive(form));
        Click(form->WorshipNavigator->Button(TNavButton::Edit));
        form->TemplateGrid->setFocus();
        QTest::keyClick(form->TemplateGrid, Qt::Key_Down);
        QTest::keyClick(form->TemplateGrid, Qt::Key_Down);
        QCOMPARE(DataMod->WorshipOrdersT->FieldByName("OrderNumber")->AsInteger(), 3);
        QCOMPARE(ServiceLines(), Lines("typed", 30));
        QCOMPARE(m_f.Shown(), QStringList());
    }

    void postingANewService_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same date, another time") << "3/10/2024"
                                                 << "6:00pm" << true;
        QTest::newRow("same date and time") << "3/10/2024"
                                            << "10:30am" << false;
        QTest::newRow("no time") << "3/10/2024"
                                 << "" << false;
        QTest::newRow("no date") << ""
                                 << "9:00am" << false;
    }

    void postingANewService() {
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(bool, accepted);
        auto* form = new TWorshipDataEntryForm;
        QVERIFY(ShowActive(form));
        Click(form->WorshipNavigator->Button(TNavButton::Insert));
        QCOMPARE(DataMod->WorshipT->State(), DataSetState::Insert);
        TypeInto(form->WorshipDateEdit, date);
        TypeInto(form->WorshipTimeEdit, time);
        TypeInto(form->OfficiantEdit, "Pastor Lindqvist");
        ClickTemplate(form, 1);
        Click(form->WorshipNavigator->Button(TNavButton::Post));
        if (accepted) {
            QCOMPARE(m_f.Shown(), QStringList());
            QCOMPARE(DataMod->WorshipT->State(), DataSetState::Browse);
            QCOMPARE(DataMod->WorshipT->RecordCount(), 3);
            QCOMPARE(DataMod->WorshipT->FieldByName("WorshipTime")->AsTime(), QTime(18, 0));
            QCOMPARE(DataMod->WorshipT->FieldByName("WorshipTemplateNumber")->AsInteger(), 1);
        } else {
            QCOMPARE(m_f.Shown(), QStringList{WorshipFixture::WorshipMessage()});
            QCOMPARE(DataMod->WorshipT->State(), DataSetState::Insert);
            QCOMPARE(form->OfficiantEdit->text(), QString("Pastor Lindqvist"));
            QCOMPARE(DataMod->WorshipT->StoredRowCount(), 2);
        }
    }

    void closeRefusedWhileAServiceIsPending() {
        QPointer<TWorshipDataEntryForm> form = new TWorshipDataEntryForm;
        QVERIFY(ShowActive(form));
        Click(form->WorshipNavigator->Button(TNavButton::Insert));
        form->close();
        FlushDeletes();
        QVERIFY(form && form->isVisible());
        QCOMPARE(m_f.Shown(), QStringList{"Please Post or Cancel the changes."});
        Click(form->WorshipNavigator->Button(TNavButton::Cancel));
        Click(form->CloseButton);
        FlushDeletes();
        QVERIFY(!form);
    }

    // The memo window from the entry window: its navigator, the singular close message, and
    // the memo filed under the service's date and time.
    void memoOfTheService() {
        auto* form = new TWorshipDataEntryForm;
        QVERIFY(ShowActive(form));
        bool navigatorShown = false;
        QStringList shownWhilePending;
        bool stayedOpen = false;
        Dialogs::QueueModal([&](QDialog* dialog) {
            auto* memo = qobject_cast<TWorshipMemoForm*>(dialog);
            if (!memo)
                return int(QDialog::Rejected);
            dialog->show();
            navigatorShown = memo->MemoNavigator->isVisible();
            Click(memo->MemoNavigator->Button(TNavButton::Insert));
            TypeInto(memo->MemoEdit, "Baptism after the sermon");
            QTest::keyClick(memo, Qt::Key_Escape);
            stayedOpen = memo->isVisible();
            shownWhilePending = m_f.Messages();
            Click(memo->MemoNavigator->Button(TNavButton::Post));
            Click(memo->CloseButton);
            return int(QDialog::Rejected);
        });
        Click(form->MemoButton);
        QVERIFY(navigatorShown);
        QVERIFY(stayedOpen);
        QCOMPARE(shownWhilePending, QStringList{"Please Post or Cancel the change."});
        Table* memo = DataMod->WorshipMemoT;
        QCOMPARE(memo->State(), DataSetState::Browse);
        QCOMPARE(memo->RecordCount(), 1);
        QCOMPARE(memo->FieldByName("WorshipDate")->AsDate(), Sunday);
        QCOMPARE(memo->FieldByName("WorshipTime")->AsTime(), QTime(10, 30));
        DataMod->WorshipT->First();
        QCOMPARE(memo->RecordCount(), 0);
    }

    void memoNavigatorOnlyUnderTheEntryWindow() {
        auto* alone = new TWorshipMemoForm(nullptr);
        alone->show();
        QVERIFY(!alone->MemoNavigator->isVisible());
    }

    // Filed orders from the entry window: it starts on the service being entered, and moving
    // in it moves the entry window's service.
    void filedOrdersShareTheService() {
        auto* form = new TWorshipDataEntryForm;
        QVERIFY(ShowActive(form));
        QString firstShown;
        QString shownAfterPrior;
        bool instructionsReadOnly = false;
        Dialogs::QueueModal([&](QDialog* dialog) {
            auto* filed = qobject_cast<TWorshipFiledOrdersForm*>(dialog);
            if (!filed)
                return int(QDialog::Rejected);
            dialog->show();
            firstShown = filed->WorshipTimeText->text() + " | " + filed->ElementTexts.at(0)->text();
            instructionsReadOnly = filed->InstructionsMemo->isReadOnly();
            Click(filed->WorshipNavigator->Button(TNavButton::Prior));
            shownAfterPrior =
                filed->WorshipTimeText->text() + " | " + filed->ElementTexts.at(0)->text();
            filed->close();
            return int(QDialog::Rejected);
        });
        Click(form->ViewFiledButton);
        QCOMPARE(firstShown, QString("10:30 AM | typed 1"));
        QCOMPARE(shownAfterPrior, QString("8:00 AM | Early 1"));
        QVERIFY(instructionsReadOnly); // written in the Worship Memo window only
        QCOMPARE(form->ElementEdits.at(0)->text(), QString("Early 1"));
        QCOMPARE(form->WorshipTimeEdit->text(), QString("8:00 AM"));
    }

    // The Year Planner and the Music Library open modeless, owned by the entry window, and
    // close with it.
    void ownedWindows() {
        QPointer<TWorshipDataEntryForm> form = new TWorshipDataEntryForm;
        QVERIFY(ShowActive(form));
        Click(form->YearPlannerButton);
        Click(form->MusicLibraryButton);
        QPointer<TYearPlannerForm> planner = form->findChild<TYearPlannerForm*>();
        QPointer<TMusicLibraryForm> library = form->findChild<TMusicLibraryForm*>();
        QVERIFY(planner && planner->isVisible());
        QVERIFY(library && library->isVisible());
        QVERIFY(!planner->isModal());
        form->close();
        FlushDeletes();
        QVERIFY(!form);
        QVERIFY(!planner);
        QVERIFY(!library);
    }

private:
    WorshipFixture m_f;
};

VTX_REGISTER_TEST(TestWorshipDataEntry)
#include "tst_WorshipDataEntry.moc"
