// The current printer: one object for the whole run; printing in an orientation puts the
// previous one back, also when the painting fails.

#include "TestSupport.h"
#include "toolkit/vtxPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <QTest>
#include <stdexcept>

class TestPrinter : public QObject {
    Q_OBJECT
    TempFolder folder;

private slots:
    void cleanup() { CurrentPrinter().setOutputFileName({}); }

    void orientationIsPutBack_data() {
        QTest::addColumn<bool>("throws");
        QTest::newRow("printed") << false;
        QTest::newRow("painting failed") << true;
    }
    void orientationIsPutBack() {
        QFETCH(bool, throws);
        QPrinter& printer = CurrentPrinter();
        QCOMPARE(&printer, &CurrentPrinter());
        printer.setOutputFileName(folder.file("page.pdf"));
        printer.setPageOrientation(QPageLayout::Portrait);
        QPageLayout::Orientation during = QPageLayout::Portrait;
        QSize pageSize;
        auto print = [&] {
            return PrintOnCurrentPrinter(QPageLayout::Landscape, "Page",
                                         [&](QPainter& painter, const QRect& page) {
                                             during = printer.pageLayout().orientation();
                                             pageSize = page.size();
                                             painter.drawText(page, "x");
                                             if (throws)
                                                 throw std::runtime_error("no paper");
                                         });
        };
        if (throws)
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, print());
        else
            QVERIFY(print());
        QCOMPARE(during, QPageLayout::Landscape);
        QVERIFY(pageSize.width() > pageSize.height());
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
    }
};

VTX_REGISTER_TEST(TestPrinter)
#include "tst_printer.moc"
