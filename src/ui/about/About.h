#pragma once

#include "ui/about/SystemReport.h"
#include "ui/controls/Mylabel.h"

#include <QDialog>
#include <QUrl>
#include <functional>

class QAction;
class QLabel;
class QPushButton;

namespace tornavel::ui {

// The About box "Autor programu": the program's name and version over a
// picture, a few paragraphs, links to the web pages and the author's e-mail,
// and an e-mail to the author that carries a short report on this system.
class TAutor : public QDialog {
    Q_OBJECT
public:
    explicit TAutor(QWidget* parent = nullptr);

    // The author's addresses; the labels show exactly these texts.
    static QString authorWebAddress();
    static QString authorMailAddress();
    static QString innoSetupAddress();

    // The "mailto:" address of the report e-mail. Subject and body are
    // percent-encoded, so the mail program receives spaces, "&", "?" and
    // Czech letters of the report as they are.
    static QUrl ReportMailUrl(const QString& address, const QString& title, const QString& report);

    // Opens an address with the desktop's handler; returns false when nothing
    // answered. Replaceable so that tests never start a browser.
    using UrlOpener = std::function<bool(const QUrl&)>;
    void setUrlOpener(UrlOpener opener);
    // Whether the desktop has a program for addresses of a scheme ("mailto",
    // "https"); an address of a scheme without one is not handed to the
    // opener. Replaceable for tests; the default asks the desktop.
    using HandlerLookup = std::function<bool(const QString& scheme)>;
    void setHandlerLookup(HandlerLookup lookup);
    // Gathers the facts of the system report; replaceable for tests.
    using FactsSource = std::function<SystemFacts()>;
    void setSystemFactsSource(FactsSource source);

    // From now on the action (the main window's "&O autorech", F2) shows the
    // box modally.
    void openFrom(QAction* action);

    // Shows the picture decoded from the bytes of a JPEG file. A damaged
    // picture leaves the box without one and returns false.
    bool setPicture(const QByteArray& jpeg);

    // ---- Controls --------------------------------------------------------
    QLabel* Image1;
    TmyLabel3d* myLabel3d1;
    TmyLabel3d* myLabel3d2;
    QLabel* Label1;
    QLabel* Label4;
    QLabel* Label7;
    QLabel* Label8;
    TmyLabel3d* myLabel3d5;
    QLabel* Label2;
    QLabel* Label5;
    TmyLabel3d* myLabel3d3;
    QLabel* Label3;
    TmyLabel3d* myLabel3d4;
    QPushButton* Button1;
    QPushButton* OKButton;

public slots:
    // Sets Label2 to the date of the program file; runs on every activation.
    void FormActivate();
    // Opens the clicked label's text as a web address.
    void myLabel3d3Click(tornavel::ui::TmyLabel3d* sender);
    // Writes an e-mail to the clicked label's text.
    void myLabel3d4Click(tornavel::ui::TmyLabel3d* sender);
    // Composes the system report e-mail.
    void Button1Click();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Opens the address when the desktop has a program for its scheme.
    bool openAddress(const QUrl& url) const;

    UrlOpener opener_;
    HandlerLookup handlerLookup_;
    FactsSource factsSource_;
};

} // namespace tornavel::ui
