#include "roster/vtxRosterFormsU.h"

#include "data/vtxDataM.h"
#include "toolkit/vtxSearchBox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

namespace RosterForms {

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

void MakeYellow(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, SearchYellow);
    widget->setPalette(palette);
}

void FixLabelWidth(QLabel* label, const QString& widestText) {
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widestText) + 4);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void LetLayoutSizeLabel(QLabel* label) {
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QWidget* MainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("MainForm"))
            return w;
    return nullptr;
}

TDBSearchBox* RosterSearchBox(QWidget* parent, QLabel*& caption) {
    caption = CaptionLabel("Search by Last Name", parent);
    auto* box = new TDBSearchBox(DataMod->RosterS, "LName", parent);
    box->setObjectName("SearchBox");
    box->SetIndexName("RLN");
    MakeYellow(box);
    caption->setBuddy(box);
    return box;
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

} // namespace RosterForms
