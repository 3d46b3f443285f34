#pragma once

#include "ui/about/SystemReport.h"
#include "ui/controls/ShadedLabel.h"

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
// It is 447 pixels wide and as tall as its texts need; the picture fills it.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    // The author's addresses; the labels show exactly these texts.
    static QString authorWebAddress();
    static QString authorMailAddress();
    static QString innoSetupAddress();

    // The "mailto:" address of the report e-mail. Subject and body are
    // percent-encoded, so the mail program receives spaces, "&", "?" and
    // Czech letters of the report as they are.
    static QUrl reportMailUrl(const QString& address, const QString& title, const QString& report);

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

public Q_SLOTS:
    // Shows the date of the program file; runs on every activation.
    void showProgramDate();
    // Opens the clicked label's text as a web address.
    void openWebAddress(tornavel::ui::ShadedLabel* sender);
    // Writes an e-mail to the clicked label's text.
    void writeMail(tornavel::ui::ShadedLabel* sender);
    // Composes the system report e-mail.
    void sendSystemReport();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Lays the texts out one below another, each as tall as its wrapped
    // lines in the font at hand, with room between them, and makes the box
    // as tall as they need (at least the original 447 x 297).
    void arrangeContents();
    // Opens the address when the desktop has a program for its scheme.
    bool openAddress(const QUrl& url) const;

    QLabel* picture_;
    ShadedLabel* title_;
    ShadedLabel* freeware_;
    QLabel* authorNote_;
    QLabel* thanks_;
    QLabel* feedbackRequest_;
    QLabel* compilerNote_;
    ShadedLabel* compilerLink_;
    QLabel* dateLine_;
    QLabel* webCaption_;
    ShadedLabel* webLink_;
    QLabel* mailCaption_;
    ShadedLabel* mailLink_;
    QPushButton* reportButton_;
    QPushButton* closeButton_;

    UrlOpener opener_;
    HandlerLookup handlerLookup_;
    FactsSource factsSource_;
};

} // namespace tornavel::ui
