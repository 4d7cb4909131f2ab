// A bound edit box narrower than its text shows the text's beginning when the row changes
// and when it is left, and leaves the cursor alone while the user is in the box.

#include "ToolkitFixture.h"
#include "toolkit/vtxDBControls.h"

#include <QVBoxLayout>

using namespace toolkit_test;

class TestEditBeginning : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longTextShowsItsBeginning() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddPerson(1, "Bartholomew-Alexande", "Smith");
        t.AddPerson(2, "Maximiliana-Theodora", "Adams");
        t.people->First();
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* name = new TDBEdit(t.peopleS.get(), "FName", &window);
        auto* other = new TDBEdit(t.peopleS.get(), "LName", &window);
        name->setFixedWidth(40);
        layout->addWidget(name);
        layout->addWidget(other);
        QVERIFY(ShowActive(window));
        name->setFocus(Qt::TabFocusReason); // the focus selects the text, cursor at its end
        QCOMPARE(name->cursorPosition(), 20);
        QTest::keyClick(name, Qt::Key_Tab);
        QVERIFY(other->hasFocus());
        QCOMPARE(name->text(), QString("Bartholomew-Alexande"));
        QCOMPARE(name->cursorPosition(), 0);
        t.people->Next();
        QCOMPARE(name->text(), QString("Maximiliana-Theodora"));
        QCOMPARE(name->cursorPosition(), 0);

        // In the box, the cursor is the user's: a change of row puts it at the end as typing
        // would.
        name->setFocus();
        name->setCursorPosition(5);
        t.people->First();
        QCOMPARE(name->text(), QString("Bartholomew-Alexande"));
        QVERIFY(name->cursorPosition() != 0);
    }
};

VTX_REGISTER_TEST(TestEditBeginning)
#include "tst_editbeginning.moc"
