// What the controls show follows the shared table (the grid's sort arrow, the state label,
// whoever changes the table); a cut cell text ends in "…"; a post refused for an empty
// required field puts the focus on that field's control; a date box selects its text when
// it takes the focus.

#include "ToolkitFixture.h"
#include "toolkit/vtxDBControls.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxDBNavigator.h"
#include "toolkit/vtxDateEdit.h"
#include "toolkit/vtxWindowHabits.h"
#include "toolkit/vtxWindowLook.h"

#include <QFormLayout>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QVBoxLayout>

using namespace toolkit_test;

namespace {

// A paint device that notes every text drawn on it.
class TextRecorder : public QPaintEngine {
public:
    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
    QStringList texts;
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    Type type() const override { return QPaintEngine::User; }
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size) : m_size(size) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    QStringList Texts() const { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return m_size.width() / 4;
        }
    }

private:
    QSize m_size;
    mutable TextRecorder m_engine;
};

// A grid with the record number (the primary index), the last name (PLN) and the member
// flag (no index).
TDBGrid* SortableGrid(DataSource* source, QWidget* parent) {
    auto* grid = new TDBGrid(parent);
    grid->AddColumn("RecordNumber").SortIndex = "";
    grid->AddColumn("LName").SortIndex = "PLN";
    grid->AddColumn("IsMember");
    Look::SetBrowseGridLook(grid);
    grid->SetDataSource(source);
    parent->layout()->addWidget(grid);
    return grid;
}

} // namespace

class TestControlHabits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The arrow of a grid follows the order another grid, a report's keeper or any code gives
    // the shared table; an order that no column serves shows no arrow.
    void sortArrowFollowsTheTablesOrder() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QWidget window;
        new QVBoxLayout(&window);
        TDBGrid* first = SortableGrid(t.peopleS.get(), &window);
        TDBGrid* second = SortableGrid(t.peopleS.get(), &window);
        QCOMPARE(second->SortColumn(), -1);
        t.people->SetIndexName("PLN"); // the other grid's title, say
        QCOMPARE(first->SortColumn(), 1);
        QCOMPARE(second->SortColumn(), 1);
        first->SetSortColumn(2); // "IsMember" clicked: the order stays, only the arrow moves
        t.people->Refresh();
        QCOMPARE(first->SortColumn(), 2);
        t.people->SetIndexFieldNames("RecordNumber"); // what a roster report leaves
        QCOMPARE(first->SortColumn(), -1);
        QCOMPARE(second->SortColumn(), -1);
        t.people->SetIndexName("PLN");
        t.people->SetIndexName(""); // the primary order, which the first column serves
        QCOMPARE(first->SortColumn(), 0);
        // A walk under DisableControls tells the grid once it is over.
        t.people->DisableControls();
        t.people->SetIndexName("PLN");
        QCOMPARE(second->SortColumn(), 0);
        t.people->EnableControls();
        QCOMPARE(second->SortColumn(), 1);
    }

    // The state label shows the state the table is in, whoever changed it.
    void stateLabelFollowsTheTable() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        TDBStateLabel label(t.peopleS.get());
        QCOMPARE(label.text(), QString("PeopleT: Browse"));
        t.people->Edit();
        QCOMPARE(label.text(), QString("PeopleT: Edit"));
        t.people->Cancel();
        t.people->DisableControls();
        t.people->Insert();
        t.people->EnableControls();
        QCOMPARE(label.text(), QString("PeopleT: Insert"));
        t.people->Cancel();
        QCOMPARE(label.text(), QString("PeopleT: Browse"));
        t.people->Close();
        QCOMPARE(label.text(), QString("PeopleT: Inactive"));
    }

    // A text wider than its column is drawn cut with "…"; a text that fits is drawn whole.
    void cutCellTextEndsInAnEllipsis() {
        ScriptedDialogs dialogs;
        Tables t;
        t.AddPerson(1, "Bartholomew Alexander", "Ng");
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new TDBGrid(&window);
        grid->AddColumn("FName").Width = 70;
        grid->AddColumn("LName").Width = 70;
        Look::SetBrowseGridLook(grid);
        grid->SetDataSource(t.peopleS.get());
        layout->addWidget(grid);
        window.resize(300, 150);
        QVERIFY(ShowActive(window));
        RecordingDevice device(grid->viewport()->size());
        grid->viewport()->render(&device);
        const QStringList drawn = device.Texts();
        QVERIFY2(drawn.contains("Ng"), qPrintable(drawn.join('|')));
        QString cut;
        for (const QString& text : drawn)
            if (text.endsWith(u'…'))
                cut = text;
        QVERIFY2(!cut.isEmpty(), qPrintable(drawn.join('|')));
        QVERIFY(cut.size() > 1);
        QVERIFY(QString("Bartholomew Alexander").startsWith(cut.chopped(1)));
        QVERIFY(grid->fontMetrics().horizontalAdvance(cut) <= 70);
    }

    // The control of the first empty required field takes the focus after the refusal: a box
    // of the form or the grid's cell.
    void refusedRequiredFieldTakesTheFocus_data() {
        QTest::addColumn<bool>("grid");
        QTest::newRow("box") << false;
        QTest::newRow("grid cell") << true;
    }
    void refusedRequiredFieldTakesTheFocus() {
        QFETCH(bool, grid);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* first = new TDBEdit(t.peopleS.get(), "FName", &window);
        auto* last = new TDBEdit(t.peopleS.get(), "LName", &window);
        layout->addWidget(first);
        layout->addWidget(last);
        TDBGrid* cells = nullptr;
        if (grid) {
            last->hide();
            cells = new TDBGrid(t.peopleS.get(), &window);
            cells->AddColumn("RecordNumber");
            cells->AddColumn("FName");
            cells->AddColumn("LName");
            layout->addWidget(cells);
        }
        QVERIFY(ShowActive(window));
        t.people->Insert();
        t.people->FieldByName("RecordNumber")->SetAsInteger(9);
        first->setFocus();
        QTest::keyClicks(first, "Ida");
        QVERIFY(!RunAction([&] { t.people->Post(); }));
        QCOMPARE(LastError(), QString("Field 'LName' must have a value"));
        if (grid) {
            QTRY_VERIFY(cells->hasFocus());
            QCOMPARE(cells->currentIndex().column(), 2);
        } else {
            QTRY_VERIFY(last->hasFocus());
        }
        QCOMPARE(t.people->State(), DataSetState::Insert); // the row stays as typed
        QCOMPARE(t.people->FieldByName("FName")->AsString(), QString("Ida"));
    }

    // However it takes the focus, a date box selects its text; a key typed into a grid's date
    // cell as it opens begins the new date.
    void dateBoxSelectsItsTextOnFocus_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("click") << "click";
        QTest::newRow("Tab") << "Tab";
        QTest::newRow("caption's mnemonic") << "mnemonic";
        QTest::newRow("set by the window") << "code";
    }
    void dateBoxSelectsItsTextOnFocus() {
        QFETCH(QString, how);
        ScriptedDialogs dialogs;
        Tables t;
        t.AddFive();
        t.people->Edit();
        t.people->FieldByName("Joined")->SetAsDate(QDate(1980, 9, 14));
        t.people->Post();
        QWidget window;
        auto* form = new QFormLayout(&window);
        auto* other = new QLineEdit(&window);
        auto* box = new TDBDateEdit(t.peopleS.get(), "Joined", &window);
        form->addRow("Other", other);
        Look::AddCaptionRow(form, "&Joined", box);
        QVERIFY(ShowActive(window));
        other->setFocus();
        if (how == "click")
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        else if (how == "Tab")
            QTest::keyClick(other, Qt::Key_Tab);
        else if (how == "mnemonic")
            QTest::keyClick(&window, Qt::Key_J, Qt::AltModifier);
        else
            box->setFocus();
        QTRY_COMPARE(box->selectedText(), QString("9/14/1980"));
        QVERIFY(box->hasFocus());
    }
};

VTX_REGISTER_TEST(TestControlHabits)
#include "tst_controlhabits.moc"
