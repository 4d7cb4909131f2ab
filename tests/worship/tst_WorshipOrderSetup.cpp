// The Worship Orders Setup window: choosing a template by its number (and a number whose
// template is gone), the Step 4 caption, the preview following what is typed, the width of
// an element, no new templates, and the close check.

#include "WorshipFixture.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "worship/vtxWorshipOrderSetupF.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

namespace {

void ClickNumber(TWorshipOrderSetupForm* form, int number) {
    QListWidget* list = form->OrderList;
    QListWidgetItem* item = list->item(number - 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

int CurrentTemplate() {
    return DataMod->WorshipOrdersT->FieldByName("OrderNumber")->AsInteger();
}

} // namespace

class TestWorshipOrderSetup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_f.Create();
        m_f.SetTemplate(1, "Holy Communion", {"Prelude", "Greeting", "Hymn of Praise"});
        m_f.SetTemplate(5, "Morning Prayer", {"Opening Sentence", "Venite"});
        m_f.SetTemplate(7, "Easter Vigil", {"Service of Light", "Exsultet"});
        m_f.SetTemplate(12, QString()); // deleted
        m_f.Start();
    }
    void cleanup() { m_f.Close(); }

    void clickingANumber_data() {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("current");
        QTest::newRow("template 7 exists") << 7 << 7;
        QTest::newRow("template 12 was deleted: the previous one stays") << 12 << 5;
    }

    void clickingANumber() {
        QFETCH(int, clicked);
        QFETCH(int, current);
        auto* form = new TWorshipOrderSetupForm;
        QVERIFY(ShowActive(form));
        QCOMPARE(form->Step4Label->text(), QString("Step 4.  Edit the worship order template."));
        QCOMPARE(form->OrderList->count(), 30);
        QCOMPARE(form->OrderList->item(29)->text(), QString("30"));
        ClickNumber(form, 5);
        QCOMPARE(CurrentTemplate(), 5);

        ClickNumber(form, clicked);
        QCOMPARE(CurrentTemplate(), current);
        QCOMPARE(form->Step4Label->text(),
                 QString("Step 2.  Edit worship order template number %1.").arg(current));
        QCOMPARE(form->OrderNameEdit->text(),
                 current == 7 ? QString("Easter Vigil") : QString("Morning Prayer"));
        QCOMPARE(m_f.Shown(), QStringList());
    }

    // The caption starts afresh with every opening.
    void captionStartsAfreshInANewWindow() {
        QPointer<TWorshipOrderSetupForm> form = new TWorshipOrderSetupForm;
        QVERIFY(ShowActive(form));
        ClickNumber(form, 7);
        form->close();
        FlushDeletes();
        QVERIFY(!form);
        auto* again = new TWorshipOrderSetupForm;
        QCOMPARE(again->Step4Label->text(), TWorshipOrderSetupForm::Step4Text);
        QCOMPARE(CurrentTemplate(), 7);
    }

    // Typed into the grid: the preview follows; an element keeps at most 40 characters.
    void previewFollowsTheGridAndElementsAreCut() {
        auto* form = new TWorshipOrderSetupForm;
        QVERIFY(ShowActive(form));
        ClickNumber(form, 1);
        QCOMPARE(form->PreviewTexts.at(1)->text(), QString("Greeting"));
        QCOMPARE(form->PreviewTexts.at(15)->text(), QString());

        TDBGrid* grid = form->TemplateGrid;
        const int column = grid->ColumnOfField("Element16");
        const QModelIndex cell = grid->model()->index(grid->CursorRow(), column);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        const QString typed = "Sending Hymn: Go, My Children, with My Blessing"; // 47
        TypeAtFocus(typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(DataMod->WorshipOrdersT->State(), DataSetState::Edit);
        QCOMPARE(form->PreviewTexts.at(15)->text(), typed.left(40));
        QCOMPARE(DataMod->WorshipOrdersT->FieldByName("Element16")->AsString(), typed.left(40));

        QTest::mouseClick(form->OrderNavigator->Button(TNavButton::Post), Qt::LeftButton);
        QCOMPARE(DataMod->WorshipOrdersT->State(), DataSetState::Browse);
        QCOMPARE(CurrentTemplate(), 1);
    }

    void noTemplateIsAdded() {
        auto* form = new TWorshipOrderSetupForm;
        QVERIFY(ShowActive(form));
        const QList<TNavButton> shown = form->OrderNavigator->VisibleButtons();
        QCOMPARE(shown, (QList<TNavButton>{TNavButton::Delete, TNavButton::Edit, TNavButton::Post,
                                           TNavButton::Cancel, TNavButton::Refresh}));
        QVERIFY(form->TemplateGrid->GetOptions() & TDBGrid::NoInsert);
        const QModelIndex number = form->TemplateGrid->model()->index(0, 0);
        QVERIFY(!(number.flags() & Qt::ItemIsEditable)); // the number is read only
    }

    void closeRefusedWhileATemplateIsEdited() {
        QPointer<TWorshipOrderSetupForm> form = new TWorshipOrderSetupForm;
        QVERIFY(ShowActive(form));
        QTest::mouseClick(form->OrderNavigator->Button(TNavButton::Edit), Qt::LeftButton);
        QTest::mouseClick(form->CloseButton, Qt::LeftButton);
        FlushDeletes();
        QVERIFY(form && form->isVisible());
        QCOMPARE(m_f.Shown(), QStringList{"Please Post or Cancel the changes."});
        QTest::mouseClick(form->OrderNavigator->Button(TNavButton::Cancel), Qt::LeftButton);
        QTest::mouseClick(form->CloseButton, Qt::LeftButton);
        FlushDeletes();
        QVERIFY(!form);
    }

private:
    WorshipFixture m_f;
};

VTX_REGISTER_TEST(TestWorshipOrderSetup)
#include "tst_WorshipOrderSetup.moc"
