// The pie-chart progress indicator: the slice grows clockwise from twelve o'clock.
#include "TestSupport.h"
#include "toolkit/vtxPieProgress.h"

#include <QImage>
#include <QTest>

class TestPieProgress : public QObject {
    Q_OBJECT

    // Whether the point at a clock position, half way out from the centre, is painted in
    // the indicator's colour.
    static bool Filled(TPieProgress& pie, int hour) {
        const QImage image = pie.grab().toImage();
        const double angle = (90.0 - hour * 30.0) * M_PI / 180.0;
        const double r = std::min(image.width(), image.height()) / 2.0;
        // Outside the percent text in the middle: three quarters of the way out.
        const int x = int(image.width() / 2.0 + 0.75 * r * std::cos(angle));
        const int y = int(image.height() / 2.0 - 0.75 * r * std::sin(angle));
        return image.pixelColor(x, y) == pie.ForeColor();
    }

private slots:
    void thePercentIsReadableOverTheSlice() {
        TPieProgress pie;
        pie.resize(48, 48);
        pie.SetValue(100);
        const QImage image = pie.grab().toImage();
        // The middle of the full slice is the window's colour behind the percent.
        const QColor middle = image.pixelColor(image.width() / 2 - 1, image.height() / 2 + 3);
        QVERIFY(middle != pie.ForeColor());
    }

    void valuesStayWithinAHundred() {
        TPieProgress pie;
        pie.SetValue(140);
        QCOMPARE(pie.Value(), 100);
        pie.SetValue(-5);
        QCOMPARE(pie.Value(), 0);
        pie.SetValue(37);
        pie.Reset();
        QCOMPARE(pie.Value(), 0);
    }

    void theSliceGrowsClockwiseFromTwelve_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QList<int>>("filledHours");
        QTest::newRow("nothing done") << 0 << QList<int>{};
        QTest::newRow("a quarter") << 25 << QList<int>{1, 2};
        QTest::newRow("half") << 50 << QList<int>{1, 2, 4, 5};
        QTest::newRow("three quarters") << 75 << QList<int>{1, 2, 4, 5, 7, 8};
        QTest::newRow("all") << 100 << QList<int>{1, 2, 4, 5, 7, 8, 10, 11};
    }

    void theSliceGrowsClockwiseFromTwelve() {
        QFETCH(int, value);
        QFETCH(QList<int>, filledHours);
        TPieProgress pie;
        pie.resize(80, 80);
        pie.SetValue(value);
        for (int hour : {1, 2, 4, 5, 7, 8, 10, 11})
            QCOMPARE(Filled(pie, hour), filledHours.contains(hour));
    }
};

VTX_REGISTER_TEST(TestPieProgress)
#include "tst_pieprogress.moc"
