#pragma once
// The About window of the Help menu: the program's name, version, copyright,
// comments and installation folder, with a dedication that scrolls on a double click.

#include <QDialog>
#include <QLabel>
#include <QStringList>

class QTimer;

// A picture that can be clicked.
class TClickImage : public QLabel {
    Q_OBJECT
public:
    explicit TClickImage(QWidget* parent = nullptr) : QLabel(parent) {}
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The panel of bold yellow dedication lines. A double click starts it scrolling
// upward one step at a time, over and over.
class TScrollingText : public QWidget {
    Q_OBJECT
public:
    explicit TScrollingText(const QStringList& lines, QWidget* parent = nullptr);
    // Pixels the text moves up at each step.
    static constexpr int StepPixels = 2;
    // Moves the text one step up; once it has left the top it comes in again at the
    // bottom.
    void Step();
    int Offset() const { return m_offset; }
    int TextHeight() const;
    const QStringList& Lines() const { return m_lines; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QStringList m_lines;
    int m_offset = 0; // top of the text within the panel
};

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // Modal; frees itself when closed.
    explicit TAboutForm(QWidget* owner = nullptr);

    // The eight lines of the dedication.
    static QStringList DedicationLines();

    QLabel* ProgramIcon;
    TScrollingText* DedicationPanel;
    QLabel* QuillfenLabel;
    QLabel* ProductNameLabel;
    QLabel* VersionLabel;
    QLabel* LegalCopyrightLabel;
    QLabel* CommentsLabel;
    QLabel* InstallPathLabel;
    QLabel* Picture;
    TClickImage* QtLogo;
    TClickImage* SqliteLogo;
    QTimer* ScrollTimer; // 200 ms

    void FormCreate();
    void DedicationPanelDblClick();
    void ScrollTimerTimer();
    void LogoClick();
};
