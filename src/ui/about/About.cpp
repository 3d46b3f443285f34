#include "ui/about/About.h"

#include "ui/MessageBoxes.h"
#include "ui/about/JpegImage.h"
#include "ui/about/SchemeHandlers.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace tornavel::ui {
namespace {

const QColor kMaroon(128, 0, 0);
const QColor kYellow(255, 255, 0);

QFont boxFont() {
    QFont font;
    // Metric-compatible stand-ins first, so the paragraphs break as they do
    // with the Windows font.
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("Tinos"), QStringLiteral("DejaVu Serif Condensed"),
                      QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(13);
    return font;
}

QFont styled(QFont font, bool bold, int pixelSize = 0) {
    font.setBold(bold);
    if (pixelSize > 0) {
        font.setPixelSize(pixelSize);
    }
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QFont& font, int left, int top,
                  int width = 0, int height = 0) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    if (width > 0) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(left, top, width, height);
    } else {
        label->move(left, top);
        label->adjustSize();
    }
    return label;
}

TmyLabel3d* makeShadedLabel(QWidget* parent, const QString& text, const QFont& font, int left,
                            int top, T3DEffect style) {
    auto* label = new TmyLabel3d(parent);
    label->move(left, top);
    label->setFont(font);
    label->setText(text);
    setTextColour(label, kMaroon);
    label->SetAStyle3D(style);
    return label;
}

QDateTime programFileTime() {
    return QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
}

} // namespace

QString TAutor::authorWebAddress() {
    return QStringLiteral("tornavel.example");
}

QString TAutor::authorMailAddress() {
    return QStringLiteral("tornavel@example.org");
}

QString TAutor::innoSetupAddress() {
    return QStringLiteral("https://jrsoftware.org/isinfo.php");
}

TAutor::TAutor(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      handlerLookup_(DesktopHasHandlerFor) {
    setObjectName(QStringLiteral("Autor"));
    setWindowTitle(QStringLiteral("Autor programu"));
    setModal(true);
    setFixedSize(447, 297);
    const QFont base = boxFont();
    setFont(base);

    // The picture first, so that everything else lies on top of it.
    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 447, 297);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFile picture(QStringLiteral(":/about.jpg"));
    if (picture.open(QIODevice::ReadOnly)) {
        setPicture(picture.readAll());
    }

    myLabel3d1 = makeShadedLabel(this, QStringLiteral("Tornavel verze 3.2"), styled(base, true, 27),
                                 8, 8, T3DEffect::Raised3d);
    myLabel3d1->SetAShadeLeftTop(kYellow);
    myLabel3d2 = makeShadedLabel(this, QStringLiteral("freeware"), styled(base, true), 384, 20,
                                 T3DEffect::Resit3d);
    myLabel3d2->SetAShadeLeftTop(kYellow);

    Label1 = makeLabel(this,
                       QStringLiteral("Program Tornavel napsal Tým Tornavel pro vlastní potřebu "
                                      "a nyní jej zdarma nabízí všem, kdo o něj projeví zájem."),
                       styled(base, true), 8, 48, 433, 33);
    Label4 = makeLabel(this,
                       QStringLiteral("Děkuji touto cestou za návrhy na vylepšení programu. "
                                      "Zvláštní dík patří Petrovi, Janě a Lukášovi."),
                       base, 10, 80, 431, 33);
    Label7 = makeLabel(this,
                       QStringLiteral("Budu rád, když mě upozorníte na případné chyby v programu. "
                                      "Též Vás prosím o kritiku, či návrhy na vylepšení tohoto "
                                      "programu, aby lépe vyhovoval Vašim potřebám a přinesl tak "
                                      "větší užitek."),
                       styled(base, true), 8, 112, 433, 57);
    Label8 = makeLabel(this,
                       QStringLiteral("Tornavel je průvodce psaním skriptů pro Inno Setup 5.1.12 "
                                      "od Jordana Russella. Tento volně šiřitelný instalátor "
                                      "najdete na stránkách jeho autora:"),
                       base, 8, 160, 433, 33);

    myLabel3d5 = makeShadedLabel(this, innoSetupAddress(), base, 8, 190, T3DEffect::Raised3d);
    myLabel3d5->setCursor(Qt::PointingHandCursor);

    Label2 = makeLabel(this, QStringLiteral("Tato verze spatřila světlo světa "), base, 8, 212);
    Label5 =
        makeLabel(this, QStringLiteral("Internetová adresa programu:"), styled(base, true), 8, 232);

    myLabel3d3 = makeShadedLabel(this, authorWebAddress(), styled(base, true, 16), 176, 228,
                                 T3DEffect::Raised3d);
    myLabel3d3->setCursor(Qt::PointingHandCursor);
    myLabel3d3->setStatusTip(QStringLiteral("Spustí Váš internetový prohlížeč a najde mé stránky"));

    Label3 =
        makeLabel(this, QStringLiteral("E-mailová adresa autora:"), styled(base, true), 8, 252);

    myLabel3d4 = makeShadedLabel(this, authorMailAddress(), styled(base, true, 16), 8, 269,
                                 T3DEffect::Raised3d);
    myLabel3d4->setCursor(Qt::PointingHandCursor);
    myLabel3d4->setStatusTip(QStringLiteral("Spustí Váš poštovní program, abyste mi mohli napsat"));

    Button1 = new QPushButton(QStringLiteral("Pošli informace"), this);
    Button1->setGeometry(344, 232, 97, 25);
    Button1->setAutoDefault(false);
    OKButton = new QPushButton(QStringLiteral("Zavřít"), this);
    OKButton->setGeometry(374, 264, 67, 25);
    // Enter presses it; Esc closes any dialog.
    OKButton->setDefault(true);

    connect(myLabel3d3, &TmyLabel3d::OnClick, this, &TAutor::myLabel3d3Click);
    connect(myLabel3d5, &TmyLabel3d::OnClick, this, &TAutor::myLabel3d3Click);
    connect(myLabel3d4, &TmyLabel3d::OnClick, this, &TAutor::myLabel3d4Click);
    connect(Button1, &QPushButton::clicked, this, &TAutor::Button1Click);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAutor::openFrom(QAction* action) {
    connect(action, &QAction::triggered, this, [this] { exec(); });
}

void TAutor::setUrlOpener(UrlOpener opener) {
    opener_ = std::move(opener);
}

void TAutor::setHandlerLookup(HandlerLookup lookup) {
    handlerLookup_ = std::move(lookup);
}

bool TAutor::openAddress(const QUrl& url) const {
    return url.isValid() && handlerLookup_(url.scheme()) && opener_(url);
}

void TAutor::setSystemFactsSource(FactsSource source) {
    factsSource_ = std::move(source);
}

bool TAutor::setPicture(const QByteArray& jpeg) {
    const QImage image = DecodeJpeg(jpeg);
    if (image.isNull()) {
        Image1->setPixmap(QPixmap());
        return false;
    }
    Image1->setPixmap(QPixmap::fromImage(image));
    return true;
}

QUrl TAutor::ReportMailUrl(const QString& address, const QString& title, const QString& report) {
    const QByteArray encoded =
        "mailto:" + QUrl::toPercentEncoding(address, "@") +
        "?subject=" + QUrl::toPercentEncoding(QStringLiteral("Informace o programu ") + title) +
        "&body=" + QUrl::toPercentEncoding(report);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

void TAutor::FormActivate() {
    Label2->setText(QStringLiteral("Tato verze spatřila světlo světa ") +
                    QLocale().toString(programFileTime().date(), QLocale::ShortFormat));
    Label2->adjustSize();
}

void TAutor::myLabel3d3Click(TmyLabel3d* sender) {
    runGuarded(this, [&] {
        QUrl url = QUrl::fromUserInput(sender->text());
        // A bare host name is completed with the secure scheme, not plain http.
        if (!sender->text().contains(QStringLiteral("://")) &&
            url.scheme() == QStringLiteral("http")) {
            url.setScheme(QStringLiteral("https"));
        }
        if (!openAddress(url)) {
            MessageBoxes::errorDialog(this, QStringLiteral("Nemohu spustit webový prohlížeč."));
        }
    });
}

void TAutor::myLabel3d4Click(TmyLabel3d* sender) {
    runGuarded(this, [&] {
        const QUrl url(QStringLiteral("mailto:") + sender->text());
        if (!openAddress(url)) {
            MessageBoxes::errorDialog(this, QStringLiteral("Nemohu spustit poštovní program."));
        }
    });
}

void TAutor::Button1Click() {
    runGuarded(this, [&] {
        SystemFacts facts;
        if (factsSource_) {
            facts = factsSource_();
        } else {
            // The clock measurement holds the program for half a second.
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            const QWidget* mainWindow = parentWidget() != nullptr ? parentWidget() : this;
            facts = GatherSystemFacts(mainWindow, this);
            QGuiApplication::restoreOverrideCursor();
        }
        const QString report = ComposeSystemReport(facts, QLocale());
        if (!openAddress(ReportMailUrl(authorMailAddress(), myLabel3d1->text(), report))) {
            MessageBoxes::errorDialog(
                this, QStringLiteral("Nemohu spustit poštovní program. Pošlete, prosím, "
                                     "následující údaje na adresu ") +
                          authorMailAddress());
            MessageBoxes::plain(this, report);
        }
    });
}

bool TAutor::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    // Status texts stop at the window they arise in; the long hints of the
    // links belong on the main window's status line.
    if (event->type() == QEvent::StatusTip && parentWidget() != nullptr) {
        QCoreApplication::sendEvent(parentWidget()->window(), event);
        return true;
    }
    return QDialog::event(event);
}

void TAutor::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (const QScreen* screen = this->screen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
        OKButton->setFocus();
        FormActivate();
    }
    QDialog::showEvent(event);
}

} // namespace tornavel::ui
