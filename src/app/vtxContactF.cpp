#include "app/vtxContactF.h"

#include "toolkit/vtxWindowLook.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

std::function<bool(const QUrl&)> TContactForm::OpenUrl = [](const QUrl& url) {
    return QDesktopServices::openUrl(url);
};

namespace {

QLabel* Line(QWidget* parent, const char* name, const QString& text, int pointSize) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignHCenter);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

} // namespace

QUrl TContactForm::WebAddress() {
    return QUrl(QStringLiteral("https://www.quillfen.example/vestrix/"));
}

TContactForm::TContactForm(QWidget* owner) : QDialog(owner, Look::FixedDialogFlags) {
    // No caption: a blank one, since an empty title is replaced by the program's name.
    Look::SetUpWindow(this, QStringLiteral("ContactForm"), QStringLiteral(" "));
    setFixedSize(449, 194);
    Look::SetWindowColours(this, QColor(0, 0, 0x80), Qt::white);

    NameLabel = Line(this, "NameLabel", QStringLiteral("Quillfen Software"), 16);
    StreetLabel = Line(this, "StreetLabel", QStringLiteral("14 Chapel Row, Suite 3"), 10);
    TownLabel = Line(this, "TownLabel", QStringLiteral("Millbrook, VT 05401"), 10);
    TelephoneLabel = Line(this, "TelephoneLabel", QStringLiteral("Telephone: (555) 014-2270"), 10);
    FacsimileLabel = Line(this, "FacsimileLabel", QStringLiteral("Facsimile: (555) 014-2271"), 10);
    WebAddressLabel = Line(this, "WebAddressLabel", WebAddress().host(), 10);
    QFont underlined = WebAddressLabel->font();
    underlined.setUnderline(true);
    WebAddressLabel->setFont(underlined);
    QPalette yellow = WebAddressLabel->palette();
    yellow.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0));
    WebAddressLabel->setPalette(yellow);
    WebAddressLabel->setCursor(Qt::PointingHandCursor);
    WebAddressLabel->setToolTip(WebAddress().toString());
    WebAddressLabel->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 12, 10, 12);
    layout->addStretch(1);
    layout->addWidget(NameLabel);
    layout->addWidget(StreetLabel);
    layout->addWidget(TownLabel);
    layout->addWidget(TelephoneLabel);
    layout->addWidget(FacsimileLabel);
    layout->addSpacing(6);
    layout->addWidget(WebAddressLabel);
    layout->addStretch(1);
}

void TContactForm::WebAddressClick() {
    if (OpenUrl)
        OpenUrl(WebAddress());
}

bool TContactForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == WebAddressLabel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        WebAddressClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
