#pragma once
// The Contact window of the Help menu: how to reach Quillfen Software, with the web
// address opening in the system's web browser.

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;

class TContactForm : public QDialog {
    Q_OBJECT
public:
    // Modal; frees itself when closed.
    explicit TContactForm(QWidget* owner = nullptr);

    // The supplier's web address.
    static QUrl WebAddress();
    // Opens an address in the system's web browser; tests replace it.
    static std::function<bool(const QUrl&)> OpenUrl;

    QLabel* NameLabel;
    QLabel* StreetLabel;
    QLabel* TownLabel;
    QLabel* TelephoneLabel;
    QLabel* FacsimileLabel;
    QLabel* WebAddressLabel;

    void WebAddressClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
