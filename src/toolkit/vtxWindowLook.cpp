#include "toolkit/vtxWindowLook.h"

#include "toolkit/vtxCloseGuard.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxSearchBox.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace Look {

namespace {

// What SetUpWindow gives a window when it is first shown: no maximize button at one fixed
// size, and boxes that stay readable.
class TFirstShowHabits : public QObject {
public:
    explicit TFirstShowHabits(QWidget* window) : QObject(window), m_window(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Show) {
            KeepBoxesReadable();
            DropMaximizeAtFixedSize();
            deleteLater(); // once
        }
        return false;
    }

private:
    void KeepBoxesReadable() {
        for (QLineEdit* box : m_window->findChildren<QLineEdit*>()) {
            // A box inside a list or a spin box is sized by it; a box of another window by
            // that window; a box given a width by its window keeps it.
            if (box->window() != m_window || box->minimumWidth() > 0 ||
                qobject_cast<QComboBox*>(box->parentWidget()) ||
                qobject_cast<QAbstractSpinBox*>(box->parentWidget()))
                continue;
            box->setMinimumWidth(qMin(ReadableBoxWidth(box), box->maximumWidth()));
        }
    }

    void DropMaximizeAtFixedSize() {
        const bool fixed = m_window->minimumSize() == m_window->maximumSize() ||
                           m_window->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
        if (!fixed)
            return;
        Qt::WindowFlags flags = m_window->windowFlags();
        if (!flags.testFlag(Qt::CustomizeWindowHint))
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowCloseButtonHint;
        flags &= ~Qt::WindowMaximizeButtonHint;
        if (flags == m_window->windowFlags())
            return;
        // The window is made but not yet on the screen: tell the window system without
        // making it again.
        m_window->overrideWindowFlags(flags);
        if (QWindow* handle = m_window->windowHandle())
            handle->setFlags(flags);
    }

    QWidget* m_window;
};

// Sends a window back to its owner's window once the modal window it went with is gone.
class TModalCompanion : public QObject {
public:
    TModalCompanion(QWidget* window, QWindow* modal) : QObject(window), m_window(window) {
        connect(modal, &QWindow::visibleChanged, this, [this](bool visible) {
            if (!visible)
                BackToOwner();
        });
        connect(modal, &QObject::destroyed, this, &TModalCompanion::BackToOwner);
    }

private:
    void BackToOwner() {
        if (QWindow* handle = m_window->windowHandle()) {
            QWidget* owner = m_window->parentWidget();
            handle->setTransientParent(owner ? owner->window()->windowHandle() : nullptr);
        }
        deleteLater();
    }
    QWidget* m_window;
};

} // namespace

void SetUpWindow(QWidget* window, const QString& objectName, const QString& caption) {
    window->setObjectName(objectName);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(caption);
    KeepAboveOwner(window);
    TCloseGuard::AttachDefault(window);
    new TFirstShowHabits(window);
}

void KeepAboveOwner(QWidget* window) {
    if (!window->isWindow())
        return;
    if (!window->parentWidget())
        if (QWidget* main = MainWindow(); main && main != window)
            window->setParent(main, window->windowFlags());
    // The window system keeps dialogs above the window they belong to; a plain top-level
    // window it lets fall behind. Such a window becomes a dialog with a plain window's title
    // bar buttons.
    if (window->windowType() != Qt::Window)
        return;
    Qt::WindowFlags flags = window->windowFlags() & ~Qt::WindowType_Mask;
    if (!flags.testFlag(Qt::CustomizeWindowHint))
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags | Qt::Dialog);
}

void ShowBesideModalWindow(QWidget* window) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window && !window->isAncestorOf(modal)) {
        window->winId(); // its window-system window, to tell whom it goes with
        if (QWindow* handle = window->windowHandle();
            handle && modal->windowHandle() && handle->transientParent() != modal->windowHandle()) {
            handle->setTransientParent(modal->windowHandle());
            new TModalCompanion(window, modal->windowHandle());
        }
    }
    window->show();
    window->raise();
    window->activateWindow();
}

int ReadableBoxWidth(const QLineEdit* box) {
    const QFontMetrics metrics = box->fontMetrics();
    const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
    const int fieldWidth = box->maxLength() > 0 && box->maxLength() < 12 ? box->maxLength() : 12;
    const int text = qMax(3, fieldWidth) * digit;
    const QMargins margins = box->textMargins();
    const int frame = 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    return text + margins.left() + margins.right() + frame + 8;
}

QLabel* HintLine(QWidget* window) {
    auto* line = new QLabel(window);
    line->setObjectName(QStringLiteral("HintLine"));
    line->setFrameShape(QFrame::Panel);
    line->setFrameShadow(QFrame::Sunken);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LetLayoutSizeLabel(line);
    line->setMinimumHeight(line->fontMetrics().height() + 4);
    return line;
}

bool ShowHint(QWidget* window, const QString& text) {
    auto* line = window->findChild<QLabel*>(QStringLiteral("HintLine"));
    if (!line || line->window() != window)
        return false;
    line->setText(text);
    line->setToolTip(text);
    return true;
}

QPushButton* CloseButton(QWidget* window, const QString& text) {
    auto* button = new QPushButton(text, window);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, window, &QWidget::close);
    return button;
}

void SetWindowColours(QWidget* window, const QColor& background, const QColor& text) {
    window->setAutoFillBackground(true);
    QPalette colours = window->palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, text);
    window->setPalette(colours);
}

QWidget* MainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("MainForm"))
            return w;
    return nullptr;
}

void CentreOn(QWidget* window, QWidget* on) {
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    QRect area;
    if (on && on->isVisible())
        area = on->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        window->move(area.center() - window->rect().center());
}

void CentreOnDesktop(QWidget* window) {
    CentreOn(window, nullptr);
}

void CentreOnMainWindow(QWidget* window) {
    CentreOn(window, MainWindow());
}

void CentreOnOwner(QWidget* window) {
    CentreOn(window, window->parentWidget());
}

void MakeBoldMaroon(QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Maroon);
    palette.setColor(QPalette::Text, Maroon);
    widget->setPalette(palette);
}

QLabel* CaptionLabel(const QString& text, QWidget* parent, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment);
    MakeBoldMaroon(label);
    return label;
}

QFormLayout* CaptionForm() {
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

QLabel* AddCaptionRow(QFormLayout* form, const QString& caption, QWidget* control) {
    QLabel* label = CaptionLabel(caption, control->parentWidget(), form->labelAlignment());
    label->setBuddy(control);
    form->addRow(label, control);
    return label;
}

void FixLabelWidth(QLabel* label, const QString& widestText) {
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widestText) + 4);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void LetLayoutSizeLabel(QLabel* label) {
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void MakeYellow(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, SearchYellow);
    widget->setPalette(palette);
}

TDBSearchBox* SearchBox(QWidget* parent, DataSource* source, const QString& field,
                        const QString& indexName, const QString& caption, QLabel*& captionLabel) {
    captionLabel = CaptionLabel(caption, parent);
    auto* box = new TDBSearchBox(source, field, parent);
    box->setObjectName(QStringLiteral("SearchBox"));
    box->SetIndexName(indexName);
    MakeYellow(box);
    captionLabel->setBuddy(box);
    return box;
}

void SetBrowseGridLook(TDBGrid* grid, TBrowseGridLook look) {
    grid->SetOptions(TDBGrid::Titles | TDBGrid::Indicator | TDBGrid::ColLines | TDBGrid::RowLines |
                     TDBGrid::RowSelect | TDBGrid::ColumnResize);
    // The style's own eliding stays off: the grid ends a cut text in "…" itself, measuring
    // only the texts that may not fit.
    grid->setTextElideMode(Qt::ElideNone);
    QFont titleFont = grid->font();
    titleFont.setBold(true);
    for (int c = 0; c < grid->ColumnCount(); ++c) {
        TDBGridColumn& column = grid->Column(c);
        column.TitleColor = Maroon;
        if (look.boldCentredTitles) {
            column.TitleAlignment = Qt::AlignCenter;
            column.TitleFont = titleFont;
        }
    }
    if (look.silverRows)
        grid->SetAlternateRowColor(Silver);
}

void SetGridTitleColours(TDBGrid* grid, const QColor& text, const QColor& background) {
    QFont titleFont = grid->font();
    titleFont.setBold(true);
    for (int c = 0; c < grid->ColumnCount(); ++c) {
        TDBGridColumn& column = grid->Column(c);
        column.TitleAlignment = Qt::AlignCenter;
        column.TitleFont = titleFont;
        column.TitleColor = text;
        column.TitleBackground = background;
    }
}

} // namespace Look
