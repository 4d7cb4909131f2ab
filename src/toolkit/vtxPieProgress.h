#pragma once
// A pie-chart progress indicator: the share done is a slice that grows clockwise from
// twelve o'clock, in the indicator's colour (blue unless set) on the window's colour, with
// the percent written in the middle.
//
// Example:
//   auto* header = new TPieProgress(this);
//   header->SetValue(40); // a slice of 144 degrees, "40%"
//   header->Reset();      // empty again

#include <QColor>
#include <QWidget>

class TPieProgress : public QWidget {
    Q_OBJECT
public:
    explicit TPieProgress(QWidget* parent = nullptr);

    int Value() const { return m_value; }
    // Sets the percent done (kept within 0 to 100) and repaints when it changed.
    void SetValue(int percent);
    void Reset() { SetValue(0); }

    QColor ForeColor() const { return m_foreColor; }
    void SetForeColor(const QColor& color);

    QSize sizeHint() const override { return {48, 48}; }
    QSize minimumSizeHint() const override { return {24, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_value = 0;
    QColor m_foreColor = Qt::blue;
};
