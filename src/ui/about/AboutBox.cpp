#include "ui/about/AboutBox.h"

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
#include <algorithm>

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

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                  int left, int top, int width = 0, int height = 0) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
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

ShadedLabel* makeShadedLabel(QWidget* parent, const char* name, const QString& text,
                             const QFont& font, int left, int top, ShadeStyle style) {
    auto* label = new ShadedLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->setFont(font);
    label->setText(text);
    setTextColour(label, kMaroon);
    label->setShadeStyle(style);
    return label;
}

QDateTime programFileTime() {
    return QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
}

} // namespace

QString AboutBox::authorWebAddress() {
    return QStringLiteral("tornavel.example");
}

QString AboutBox::authorMailAddress() {
    return QStringLiteral("tornavel@example.org");
}

QString AboutBox::innoSetupAddress() {
    return QStringLiteral("https://jrsoftware.org/isinfo.php");
}

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      handlerLookup_(DesktopHasHandlerFor) {
    setObjectName(QStringLiteral("Autor"));
    setWindowTitle(QStringLiteral("Autor programu"));
    setModal(true);
    const QFont base = boxFont();
    setFont(base);

    // The picture first, so that everything else lies on top of it.
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setScaledContents(true);
    QFile picture(QStringLiteral(":/about.jpg"));
    if (picture.open(QIODevice::ReadOnly)) {
        setPicture(picture.readAll());
    }

    title_ = makeShadedLabel(this, "myLabel3d1", QStringLiteral("Tornavel verze 3.2"),
                             styled(base, true, 27), 8, 8, ShadeStyle::Raised);
    title_->setLeftTopShade(kYellow);
    freeware_ = makeShadedLabel(this, "myLabel3d2", QStringLiteral("freeware"), styled(base, true),
                                384, 20, ShadeStyle::Sunken);
    freeware_->setLeftTopShade(kYellow);

    authorNote_ =
        makeLabel(this, "Label1",
                  QStringLiteral("Program Tornavel napsal Tým Tornavel pro vlastní potřebu "
                                 "a nyní jej zdarma nabízí všem, kdo o něj projeví zájem."),
                  styled(base, true), 8, 48, 433, 33);
    thanks_ = makeLabel(this, "Label4",
                        QStringLiteral("Děkuji touto cestou za návrhy na vylepšení programu. "
                                       "Zvláštní dík patří Petrovi, Janě a Lukášovi."),
                        base, 10, 80, 431, 33);
    feedbackRequest_ =
        makeLabel(this, "Label7",
                  QStringLiteral("Budu rád, když mě upozorníte na případné chyby v programu. "
                                 "Též Vás prosím o kritiku, či návrhy na vylepšení tohoto "
                                 "programu, aby lépe vyhovoval Vašim potřebám a přinesl tak "
                                 "větší užitek."),
                  styled(base, true), 8, 112, 433, 57);
    compilerNote_ =
        makeLabel(this, "Label8",
                  QStringLiteral("Tornavel je průvodce psaním skriptů pro Inno Setup 5.1.12 "
                                 "od Jordana Russella. Tento volně šiřitelný instalátor "
                                 "najdete na stránkách jeho autora:"),
                  base, 8, 160, 433, 33);

    compilerLink_ =
        makeShadedLabel(this, "myLabel3d5", innoSetupAddress(), base, 8, 190, ShadeStyle::Raised);
    compilerLink_->setCursor(Qt::PointingHandCursor);

    dateLine_ = makeLabel(this, "Label2", QStringLiteral("Tato verze spatřila světlo světa "), base,
                          8, 212);
    webCaption_ = makeLabel(this, "Label5", QStringLiteral("Internetová adresa programu:"),
                            styled(base, true), 8, 232);

    webLink_ = makeShadedLabel(this, "myLabel3d3", authorWebAddress(), styled(base, true, 16), 176,
                               228, ShadeStyle::Raised);
    webLink_->setCursor(Qt::PointingHandCursor);
    webLink_->setStatusTip(QStringLiteral("Spustí Váš internetový prohlížeč a najde mé stránky"));

    mailCaption_ = makeLabel(this, "Label3", QStringLiteral("E-mailová adresa autora:"),
                             styled(base, true), 8, 252);

    mailLink_ = makeShadedLabel(this, "myLabel3d4", authorMailAddress(), styled(base, true, 16), 8,
                                269, ShadeStyle::Raised);
    mailLink_->setCursor(Qt::PointingHandCursor);
    mailLink_->setStatusTip(QStringLiteral("Spustí Váš poštovní program, abyste mi mohli napsat"));

    reportButton_ = new QPushButton(QStringLiteral("Pošli informace"), this);
    reportButton_->setObjectName(QStringLiteral("Button1"));
    reportButton_->setGeometry(344, 232, 97, 25);
    reportButton_->setAutoDefault(false);
    closeButton_ = new QPushButton(QStringLiteral("Zavřít"), this);
    closeButton_->setObjectName(QStringLiteral("OKButton"));
    closeButton_->setGeometry(374, 264, 67, 25);
    // Enter presses it; Esc closes any dialog.
    closeButton_->setDefault(true);

    arrangeContents();

    connect(webLink_, &ShadedLabel::clicked, this, &AboutBox::openWebAddress);
    connect(compilerLink_, &ShadedLabel::clicked, this, &AboutBox::openWebAddress);
    connect(mailLink_, &ShadedLabel::clicked, this, &AboutBox::writeMail);
    connect(reportButton_, &QPushButton::clicked, this, &AboutBox::sendSystemReport);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::arrangeContents() {
    constexpr int kWidth = 447;
    constexpr int kLeft = 8;
    constexpr int kGap = 6;
    constexpr int kTextWidth = kWidth - 2 * kLeft;
    int top = 8;
    title_->move(kLeft, top);
    freeware_->move(kWidth - kLeft - freeware_->width(),
                    top + (title_->height() - freeware_->height()) / 2);
    top += title_->height() + kGap;
    for (QLabel* paragraph : {authorNote_, thanks_, feedbackRequest_, compilerNote_}) {
        paragraph->setGeometry(kLeft, top, kTextWidth, paragraph->heightForWidth(kTextWidth));
        top += paragraph->height() + kGap;
    }
    // The compiler's address belongs to the paragraph above it.
    compilerLink_->move(kLeft, top - kGap);
    top = compilerLink_->y() + compilerLink_->height() + 2 * kGap;
    dateLine_->move(kLeft, top);
    top += dateLine_->height() + kGap;
    webLink_->move(kLeft + webCaption_->width() + 2 * kGap, top);
    webCaption_->move(kLeft, top + (webLink_->height() - webCaption_->height()) / 2);
    top += webLink_->height() + kGap;
    mailCaption_->move(kLeft, top);
    top += mailCaption_->height() + 2;
    mailLink_->move(kLeft, top);
    top += mailLink_->height();

    const int height = std::max(297, top + kLeft);
    closeButton_->setGeometry(kWidth - kLeft - 67, height - kLeft - 25, 67, 25);
    reportButton_->setGeometry(kWidth - kLeft - 97, closeButton_->y() - kGap - 25, 97, 25);
    setFixedSize(kWidth, height);
    picture_->setGeometry(rect());
}

void AboutBox::openFrom(QAction* action) {
    connect(action, &QAction::triggered, this, [this] { exec(); });
}

void AboutBox::setUrlOpener(UrlOpener opener) {
    opener_ = std::move(opener);
}

void AboutBox::setHandlerLookup(HandlerLookup lookup) {
    handlerLookup_ = std::move(lookup);
}

bool AboutBox::openAddress(const QUrl& url) const {
    return url.isValid() && handlerLookup_(url.scheme()) && opener_(url);
}

void AboutBox::setSystemFactsSource(FactsSource source) {
    factsSource_ = std::move(source);
}

bool AboutBox::setPicture(const QByteArray& jpeg) {
    const QImage image = DecodeJpeg(jpeg);
    if (image.isNull()) {
        picture_->setPixmap(QPixmap());
        return false;
    }
    picture_->setPixmap(QPixmap::fromImage(image));
    return true;
}

QUrl AboutBox::reportMailUrl(const QString& address, const QString& title, const QString& report) {
    const QByteArray encoded =
        "mailto:" + QUrl::toPercentEncoding(address, "@") +
        "?subject=" + QUrl::toPercentEncoding(QStringLiteral("Informace o programu ") + title) +
        "&body=" + QUrl::toPercentEncoding(report);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

void AboutBox::showProgramDate() {
    dateLine_->setText(QStringLiteral("Tato verze spatřila světlo světa ") +
                       QLocale().toString(programFileTime().date(), QLocale::ShortFormat));
    dateLine_->adjustSize();
}

void AboutBox::openWebAddress(ShadedLabel* sender) {
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

void AboutBox::writeMail(ShadedLabel* sender) {
    runGuarded(this, [&] {
        const QUrl url(QStringLiteral("mailto:") + sender->text());
        if (!openAddress(url)) {
            MessageBoxes::errorDialog(this, QStringLiteral("Nemohu spustit poštovní program."));
        }
    });
}

void AboutBox::sendSystemReport() {
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
        if (!openAddress(reportMailUrl(authorMailAddress(), title_->text(), report))) {
            MessageBoxes::errorDialog(
                this, QStringLiteral("Nemohu spustit poštovní program. Pošlete, prosím, "
                                     "následující údaje na adresu ") +
                          authorMailAddress());
            MessageBoxes::plain(this, report);
        }
    });
}

bool AboutBox::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        showProgramDate();
    }
    // Status texts stop at the window they arise in; the long hints of the
    // links belong on the main window's status line.
    if (event->type() == QEvent::StatusTip && parentWidget() != nullptr) {
        QCoreApplication::sendEvent(parentWidget()->window(), event);
        return true;
    }
    return QDialog::event(event);
}

void AboutBox::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (const QScreen* screen = this->screen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
        closeButton_->setFocus();
        showProgramDate();
    }
    QDialog::showEvent(event);
}

} // namespace tornavel::ui
