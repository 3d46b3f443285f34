// The shaded label: its properties, the pixels it paints and the tracking of
// the pointer, checked on the real widget.
#include "ui/controls/ShadedLabel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using tornavel::ui::ShadedLabel;
using tornavel::ui::ShadeStyle;

namespace {

const QColor kBackground(0, 0, 255);
const QColor kText(128, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrey(128, 128, 128);

// A label showing one full block glyph on its second line, centred, so that
// every shade copy has room on all sides.
struct BlockLabel {
    QWidget parent;
    ShadedLabel* label;

    BlockLabel() {
        parent.resize(200, 200);
        label = new ShadedLabel(&parent);
        label->setAutoSize(false);
        label->setGeometry(10, 10, 120, 140);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(40);
        // Pure colours only, so every pixel belongs to exactly one copy.
        font.setStyleStrategy(QFont::NoAntialias);
        label->setFont(font);
        label->setAlignment(Qt::AlignHCenter);
        label->setText(QStringLiteral("\n\u2588"));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kText);
        label->setPalette(palette);
    }

    QImage render() const {
        QImage image(label->size(), QImage::Format_RGB32);
        image.fill(kBackground);
        // Without DrawWindowBackground: a transparent label leaves the blue.
        label->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }
};

// The bounding box of the pixels of one colour.
QRect boxOf(const QImage& image, const QColor& colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                box = box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return box;
}

void moveTo(QWidget* receiver, const QPoint& global) {
    const QPointF local = receiver->mapFromGlobal(global);
    QMouseEvent move(QEvent::MouseMove, local, local, QPointF(global), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(receiver, &move);
}

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

} // namespace

class ShadedLabelTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheDocumentedValues();
    void leftTopShadeIsForcedWhileWhiteLeftTop();
    void settersRepaintOnlyOnChange();
    void raisedIsLightUpLeftAndDarkDownRight();
    void sunkIsDarkUpLeftAndLightDownRight();
    void dropShadowLiesFiveRightAndFiveUp();
    void disabledTextIsGreyWithTheShadeUnchanged();
    void onlyAnOpaqueLabelFillsItsBackground();
    void sizesItselfToTheCaption();
    void raisesMouseOutOnlyWhenThePointerIsReallyOut();
    void clickRaisesClicked();
};

void ShadedLabelTest::startsWithTheDocumentedValues() {
    ShadedLabel label;
    QCOMPARE(label.shadeStyle(), ShadeStyle::None);
    QCOMPARE(label.leftTopShade(), kWhite);
    QCOMPARE(label.rightBottomShade(), kGrey);
    QCOMPARE(label.shadowOffsetX(), 5);
    QCOMPARE(label.shadowOffsetY(), -5);
    QVERIFY(!label.whiteLeftTop());
    QVERIFY(label.transparent());
    QVERIFY(!label.autoFillBackground());
}

void ShadedLabelTest::leftTopShadeIsForcedWhileWhiteLeftTop() {
    ShadedLabel label;
    label.setLeftTopShade(Qt::yellow);
    QCOMPARE(label.leftTopShade(), QColor(Qt::yellow));

    label.setWhiteLeftTop(true);
    QVERIFY(label.whiteLeftTop());
    QCOMPARE(label.leftTopShade(), kWhite);

    // Ignored while set.
    label.setLeftTopShade(Qt::red);
    QCOMPARE(label.leftTopShade(), kWhite);

    // Setting it again must not save the forced white over the kept colour.
    label.setWhiteLeftTop(true);
    label.setWhiteLeftTop(false);
    QCOMPARE(label.leftTopShade(), QColor(Qt::yellow));

    label.setLeftTopShade(Qt::red);
    QCOMPARE(label.leftTopShade(), QColor(Qt::red));
    // Clearing it while already clear keeps the colour.
    label.setWhiteLeftTop(false);
    QCOMPARE(label.leftTopShade(), QColor(Qt::red));
}

void ShadedLabelTest::settersRepaintOnlyOnChange() {
    BlockLabel block;
    block.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&block.parent));
    PaintCounter counter;
    block.label->installEventFilter(&counter);
    const auto settle = [] {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    settle();

    counter.paints = 0;
    block.label->setShadeStyle(ShadeStyle::None);
    block.label->setRightBottomShade(kGrey);
    block.label->setShadowOffsetX(5);
    block.label->setShadowOffsetY(-5);
    block.label->setLeftTopShade(kWhite);
    settle();
    QCOMPARE(counter.paints, 0);

    block.label->setShadowOffsetY(-3);
    QTRY_VERIFY(counter.paints > 0);

    counter.paints = 0;
    block.label->setWhiteLeftTop(false); // unchanged, yet repaints
    QTRY_VERIFY(counter.paints > 0);

    counter.paints = 0;
    block.label->setWhiteLeftTop(true);
    settle();
    counter.paints = 0;
    block.label->setLeftTopShade(Qt::red); // ignored, no repaint
    settle();
    QCOMPARE(counter.paints, 0);
}

void ShadedLabelTest::raisedIsLightUpLeftAndDarkDownRight() {
    BlockLabel block;
    block.label->setShadeStyle(ShadeStyle::Raised);
    const QImage image = block.render();
    const QRect text = boxOf(image, kText);
    QVERIFY2(text.width() > 10 && text.height() > 10, "the block glyph was not drawn");
    const int midY = text.center().y();
    const int midX = text.center().x();

    QCOMPARE(image.pixelColor(text.left() - 1, midY), kWhite);
    QCOMPARE(image.pixelColor(midX, text.top() - 1), kWhite);
    QCOMPARE(image.pixelColor(text.right() + 1, midY), kGrey);
    QCOMPARE(image.pixelColor(midX, text.bottom() + 1), kGrey);
    // One pixel each, no more.
    QCOMPARE(image.pixelColor(text.left() - 2, midY), kBackground);
    QCOMPARE(image.pixelColor(text.right() + 2, midY), kBackground);
}

void ShadedLabelTest::sunkIsDarkUpLeftAndLightDownRight() {
    BlockLabel block;
    block.label->setShadeStyle(ShadeStyle::Sunken);
    const QImage image = block.render();
    const QRect text = boxOf(image, kText);
    QVERIFY(text.width() > 10);
    const int midY = text.center().y();
    const int midX = text.center().x();

    QCOMPARE(image.pixelColor(text.left() - 1, midY), kGrey);
    QCOMPARE(image.pixelColor(midX, text.top() - 1), kGrey);
    QCOMPARE(image.pixelColor(text.right() + 1, midY), kWhite);
    QCOMPARE(image.pixelColor(midX, text.bottom() + 1), kWhite);
}

void ShadedLabelTest::dropShadowLiesFiveRightAndFiveUp() {
    BlockLabel block;
    block.label->setShadeStyle(ShadeStyle::Shadowed);
    const QImage image = block.render();
    const QRect text = boxOf(image, kText);
    const QRect shadow = boxOf(image, kGrey);
    QVERIFY(text.width() > 10);
    // The visible shadow is the copy minus what the text covers: its right
    // and top edges are the copy's.
    QCOMPARE(shadow.right(), text.right() + 5);
    QCOMPARE(shadow.top(), text.top() - 5);
    QCOMPARE(shadow.left(), text.left() + 5);
    QCOMPARE(shadow.bottom(), text.bottom() - 5);
    QCOMPARE(image.pixelColor(text.left() + 2, text.top() - 2), kBackground);
    QCOMPARE(boxOf(image, kWhite), QRect());

    // The offsets are the label's own.
    block.label->setShadowOffsetX(-3);
    block.label->setShadowOffsetY(4);
    const QImage moved = block.render();
    QCOMPARE(boxOf(moved, kGrey).left(), text.left() - 3);
    QCOMPARE(boxOf(moved, kGrey).bottom(), text.bottom() + 4);
}

void ShadedLabelTest::disabledTextIsGreyWithTheShadeUnchanged() {
    BlockLabel block;
    block.label->setShadeStyle(ShadeStyle::Raised);
    const QColor grey = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    QVERIFY(grey != kText && grey != kWhite && grey != kGrey && grey != kBackground);
    const QRect enabledBox = boxOf(block.render(), kText);

    block.label->setEnabled(false);
    const QImage image = block.render();
    QCOMPARE(boxOf(image, kText), QRect());
    const QRect text = boxOf(image, grey);
    QCOMPARE(text, enabledBox);
    QCOMPARE(image.pixelColor(text.left() - 1, text.center().y()), kWhite);
    QCOMPARE(image.pixelColor(text.right() + 1, text.center().y()), kGrey);
}

void ShadedLabelTest::onlyAnOpaqueLabelFillsItsBackground() {
    BlockLabel block;
    QCOMPARE(block.render().pixelColor(1, 1), kBackground);
    QPalette palette = block.label->palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 0));
    block.label->setPalette(palette);
    block.label->setTransparent(false);
    QCOMPARE(block.render().pixelColor(1, 1), QColor(0, 255, 0));
}

void ShadedLabelTest::sizesItselfToTheCaption() {
    QWidget parent;
    auto* label = new ShadedLabel(&parent);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    label->setFont(font);
    const QFontMetrics metrics(font);
    label->move(20, 30);

    label->setText(QStringLiteral("Tornavel"));
    const QRect expected = metrics.boundingRect(QRect(), Qt::TextShowMnemonic, "Tornavel");
    QCOMPARE(label->geometry(), QRect(20, 30, expected.width(), expected.height()));

    // The shade is not counted.
    label->setShadeStyle(ShadeStyle::Shadowed);
    QCOMPARE(label->size(), expected.size());

    // An empty caption keeps the height of a line.
    label->setText(QString());
    QCOMPARE(label->height(), expected.height());
    QVERIFY(label->width() > 0);

    // "&x" measures without the "&"; without accelerators it is a character.
    label->setText(QStringLiteral("&Soubor"));
    const int withAccel = label->width();
    QCOMPARE(withAccel, metrics.boundingRect(QRect(), 0, "Soubor").width());
    label->setShowAccelChar(false);
    QVERIFY(label->width() > withAccel);

    // Right-aligned labels keep their right edge.
    label->setShowAccelChar(true);
    label->setAlignment(Qt::AlignRight);
    const int right = label->geometry().right();
    label->setText(QStringLiteral("Tornavel, průvodce"));
    QCOMPARE(label->geometry().right(), right);

    // Word wrap keeps the width and grows downwards.
    label->setAlignment(Qt::AlignLeft);
    label->setAutoSize(false);
    label->resize(80, 10);
    label->setWordWrap(true);
    label->setAutoSize(true);
    label->setText(QStringLiteral("jedno dvě tři čtyři pět šest sedm"));
    QVERIFY(label->width() <= 80);
    QVERIFY(label->height() >= 3 * metrics.height());

    // Without AutoSize nothing moves.
    label->setAutoSize(false);
    label->setGeometry(1, 2, 3, 4);
    label->setText(QStringLiteral("delší text"));
    QCOMPARE(label->geometry(), QRect(1, 2, 3, 4));
}

void ShadedLabelTest::raisesMouseOutOnlyWhenThePointerIsReallyOut() {
    QWidget parent;
    parent.resize(300, 200);
    auto* label = new ShadedLabel(&parent);
    label->setAutoSize(false);
    label->setGeometry(50, 50, 100, 40);
    label->setText(QStringLiteral("odkaz"));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QSignalSpy out(label, &ShadedLabel::mouseOut);

    const auto at = [&](int x, int y) { return label->mapToGlobal(QPoint(x, y)); };
    moveTo(label, at(5, 5));
    QCOMPARE(out.count(), 0);
    // Movements over other widgets are watched, too: the edge lines are inside.
    moveTo(&parent, at(100, 40));
    moveTo(&parent, at(100, 10));
    moveTo(&parent, at(0, 40));
    QCOMPARE(out.count(), 0);

    moveTo(&parent, at(101, 10));
    QCOMPARE(out.count(), 1);
    QCOMPARE(out.at(0).at(0).value<ShadedLabel*>(), label);
    // Once out, nothing more until the pointer comes back.
    moveTo(&parent, at(150, 10));
    QCOMPARE(out.count(), 1);

    moveTo(label, at(10, 10));
    moveTo(&parent, at(10, -1));
    QCOMPARE(out.count(), 2);

    moveTo(label, at(10, 10));
    moveTo(&parent, at(-1, 10));
    QCOMPARE(out.count(), 3);

    moveTo(label, at(10, 10));
    moveTo(&parent, at(10, 41));
    QCOMPARE(out.count(), 4);

    // A movement reported to the label itself while a button holds it.
    moveTo(label, at(10, 10));
    moveTo(label, at(10, 60));
    QCOMPARE(out.count(), 5);

    // Hiding the label ends the tracking as well.
    moveTo(label, at(10, 10));
    label->hide();
    QCOMPARE(out.count(), 6);
}

void ShadedLabelTest::clickRaisesClicked() {
    QWidget parent;
    auto* label = new ShadedLabel(&parent);
    label->setText(QStringLiteral("odkaz"));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QSignalSpy clicks(label, &ShadedLabel::clicked);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(2, 2));
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(ShadedLabelTest)
#include "ShadedLabelTest.moc"
