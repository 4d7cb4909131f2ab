#include "app/vtxAboutF.h"

#include "app/vtxProgramInfo.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/vtxWindowLook.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor kNavy(0, 0, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kYellow(0xFF, 0xFF, 0);

QLabel* CentredLabel(QWidget* parent, const char* name, int pointSize, bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

// A small badge standing for one of the libraries the program is built with.
QPixmap LibraryBadge(const QString& name, const QColor& colour) {
    QPixmap pixmap(88, 40);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kSilver, 1.5));
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(1, 1, 86, 38), 7, 7);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(17);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 88, 40), Qt::AlignCenter, name);
    return pixmap;
}

// The larger picture at the bottom left: the program's tile above its name.
QPixmap SignaturePicture() {
    QPixmap pixmap(150, 96);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(43, 0, VestrixPixmap(64));
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(20);
    font.setItalic(true);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kYellow);
    painter.drawText(QRect(0, 66, 150, 30), Qt::AlignCenter, QStringLiteral("Vestrix"));
    return pixmap;
}

} // namespace

void TClickImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

TScrollingText::TScrollingText(const QStringList& lines, QWidget* parent)
    : QWidget(parent), m_lines(lines) {
    QFont f = font();
    f.setBold(true);
    setFont(f);
}

int TScrollingText::TextHeight() const {
    return fontMetrics().lineSpacing() * int(m_lines.size());
}

void TScrollingText::Step() {
    m_offset -= StepPixels;
    if (m_offset + TextHeight() <= 0)
        m_offset = height();
    update();
}

void TScrollingText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(kYellow);
    const int lineHeight = fontMetrics().lineSpacing();
    int y = m_offset;
    for (const QString& line : m_lines) {
        if (y + lineHeight > 0 && y < height())
            painter.drawText(QRect(0, y, width(), lineHeight), Qt::AlignCenter, line);
        y += lineHeight;
    }
}

void TScrollingText::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

QStringList TAboutForm::DedicationLines() {
    return {
        QStringLiteral("Dedicated to the parish secretaries who keep the roster,"),
        QStringLiteral("the ushers who count every Sunday,"),
        QStringLiteral("the treasurers who balance the plate,"),
        QStringLiteral("the musicians who keep the hymns alive,"),
        QStringLiteral("the volunteers who serve without being asked,"),
        QStringLiteral("and the pastors who know every name."),
        QStringLiteral("May these records serve the people"),
        QStringLiteral("whose lives they remember."),
    };
}

TAboutForm::TAboutForm(QWidget* owner) : QDialog(owner, Look::FixedDialogFlags) {
    Look::SetUpWindow(this, QStringLiteral("AboutForm"), QStringLiteral("About Vestrix..."));
    setFixedSize(817, 366);
    Look::SetWindowColours(this, kNavy, kSilver);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setFixedSize(49, 49);
    ProgramIcon->setPixmap(VestrixPixmap(49));
    DedicationPanel = new TScrollingText(DedicationLines(), this);
    DedicationPanel->setObjectName(QStringLiteral("DedicationPanel"));
    // Three whole lines show at a time.
    DedicationPanel->setFixedHeight(DedicationPanel->fontMetrics().lineSpacing() * 3);
    DedicationPanel->setToolTip(QStringLiteral("Double click to read on"));

    QuillfenLabel = CentredLabel(this, "QuillfenLabel", 10, true);
    QuillfenLabel->setText(QStringLiteral("Quillfen Software's"));
    ProductNameLabel = CentredLabel(this, "ProductNameLabel", 24, true);
    VersionLabel = CentredLabel(this, "VersionLabel", 10, false);
    LegalCopyrightLabel = CentredLabel(this, "LegalCopyrightLabel", 10, false);
    CommentsLabel = CentredLabel(this, "CommentsLabel", 10, false);
    InstallPathLabel = CentredLabel(this, "InstallPathLabel", 10, false);

    Picture = new QLabel(this);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setPixmap(SignaturePicture());
    QtLogo = new TClickImage(this);
    QtLogo->setObjectName(QStringLiteral("QtLogo"));
    QtLogo->setPixmap(LibraryBadge(QStringLiteral("Qt"), QColor(0x2C, 0x8C, 0x3C)));
    QtLogo->setToolTip(QStringLiteral("Windows built with Qt"));
    SqliteLogo = new TClickImage(this);
    SqliteLogo->setObjectName(QStringLiteral("SqliteLogo"));
    SqliteLogo->setPixmap(LibraryBadge(QStringLiteral("SQLite"), QColor(0x0F, 0x50, 0x8C)));
    SqliteLogo->setToolTip(QStringLiteral("Tables kept with SQLite"));

    ScrollTimer = new QTimer(this);
    ScrollTimer->setObjectName(QStringLiteral("ScrollTimer"));
    ScrollTimer->setInterval(200);

    auto* top = new QHBoxLayout;
    top->addWidget(ProgramIcon, 0, Qt::AlignVCenter);
    top->addWidget(DedicationPanel, 1, Qt::AlignVCenter);
    top->addSpacing(49); // keeps the dedication centred across the window
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Picture, 0, Qt::AlignBottom);
    bottom->addStretch(1);
    bottom->addWidget(QtLogo, 0, Qt::AlignBottom);
    bottom->addWidget(SqliteLogo, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addSpacing(10);
    layout->addWidget(QuillfenLabel);
    layout->addWidget(ProductNameLabel);
    layout->addWidget(VersionLabel);
    layout->addWidget(LegalCopyrightLabel);
    layout->addWidget(CommentsLabel);
    layout->addSpacing(8);
    layout->addWidget(InstallPathLabel);
    layout->addStretch(1);
    layout->addLayout(bottom);

    connect(DedicationPanel, &TScrollingText::doubleClicked, this,
            &TAboutForm::DedicationPanelDblClick);
    connect(ScrollTimer, &QTimer::timeout, this, &TAboutForm::ScrollTimerTimer);
    connect(QtLogo, &TClickImage::clicked, this, &TAboutForm::LogoClick);
    connect(SqliteLogo, &TClickImage::clicked, this, &TAboutForm::LogoClick);
    FormCreate();
}

void TAboutForm::FormCreate() {
    ProductNameLabel->setText(ProgramInfo::ProductName());
    VersionLabel->setText(QStringLiteral("Version: ") + ProgramInfo::ProductVersion());
    LegalCopyrightLabel->setText(ProgramInfo::LegalCopyright());
    CommentsLabel->setText(ProgramInfo::Comments());
    InstallPathLabel->setText(QStringLiteral("Installed in:  ") + ProgramFolder);
}

void TAboutForm::DedicationPanelDblClick() {
    if (!ScrollTimer->isActive())
        ScrollTimer->start();
}

void TAboutForm::ScrollTimerTimer() {
    DedicationPanel->Step();
}

void TAboutForm::LogoClick() {
    close();
}
