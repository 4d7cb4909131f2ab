#include "toolkit/vtxWindowLook.h"

#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxSearchBox.h"

#include <QApplication>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace Look {

void SetUpWindow(QWidget* window, const QString& objectName, const QString& caption) {
    window->setObjectName(objectName);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(caption);
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
