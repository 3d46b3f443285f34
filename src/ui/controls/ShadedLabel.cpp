#include "ui/controls/ShadedLabel.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <climits>

namespace tornavel::ui {

ShadedLabel::ShadedLabel(QWidget* parent) : QWidget(parent) {
    // No background of its own, and the tracking below needs every movement,
    // not only those with a button held.
    setAutoFillBackground(false);
    setMouseTracking(true);
}

ShadedLabel::~ShadedLabel() {
    stopTracking(false);
}

// ---- Shade properties -----------------------------------------------------

void ShadedLabel::setShadeStyle(ShadeStyle value) {
    if (value != shadeStyle_) {
        shadeStyle_ = value;
        update();
    }
}

void ShadedLabel::setRightBottomShade(const QColor& value) {
    if (value != shadeRightBottom_) {
        shadeRightBottom_ = value;
        update();
    }
}

void ShadedLabel::setShadowOffsetX(int value) {
    if (value != shadowOffsetX_) {
        shadowOffsetX_ = value;
        update();
    }
}

void ShadedLabel::setShadowOffsetY(int value) {
    if (value != shadowOffsetY_) {
        shadowOffsetY_ = value;
        update();
    }
}

void ShadedLabel::setLeftTopShade(const QColor& value) {
    if (value != shadeLeftTop_ && !whiteLeftTop_) {
        shadeLeftTop_ = value;
        update();
    }
}

void ShadedLabel::setWhiteLeftTop(bool value) {
    if (value != whiteLeftTop_) {
        whiteLeftTop_ = value;
        if (value) {
            savedLeftTop_ = shadeLeftTop_;
            shadeLeftTop_ = Qt::white;
        } else {
            shadeLeftTop_ = savedLeftTop_;
        }
    }
    update();
}

// ---- Label properties -----------------------------------------------------

void ShadedLabel::setText(const QString& text) {
    if (text != caption_) {
        caption_ = text;
        sizeChanged();
    }
}

void ShadedLabel::setAlignment(Qt::Alignment alignment) {
    const Qt::Alignment horizontal =
        alignment & (Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter);
    if (horizontal != alignment_) {
        alignment_ = horizontal;
        update();
    }
}

void ShadedLabel::setWordWrap(bool on) {
    if (on != wordWrap_) {
        wordWrap_ = on;
        sizeChanged();
    }
}

void ShadedLabel::setAutoSize(bool on) {
    if (on != autoSize_) {
        autoSize_ = on;
        sizeChanged();
    }
}

void ShadedLabel::setShowAccelChar(bool on) {
    if (on != showAccelChar_) {
        showAccelChar_ = on;
        sizeChanged();
    }
}

void ShadedLabel::setTransparent(bool on) {
    if (on != transparent_) {
        transparent_ = on;
        update();
    }
}

void ShadedLabel::sizeChanged() {
    adjustBounds();
    updateGeometry();
    update();
}

// ---- Measuring and painting ---------------------------------------------

int ShadedLabel::textFlags(bool wrap) const {
    int flags = Qt::TextExpandTabs | Qt::AlignTop;
    if (wrap) {
        flags |= Qt::TextWordWrap;
    }
    if (alignment_ & Qt::AlignRight) {
        flags |= Qt::AlignRight;
    } else if (alignment_ & Qt::AlignHCenter) {
        flags |= Qt::AlignHCenter;
    } else {
        flags |= Qt::AlignLeft;
    }
    // Without this flag Qt draws "&" as it is, which is what a label that
    // shows no accelerator characters wants.
    if (showAccelChar_) {
        flags |= Qt::TextShowMnemonic;
    }
    return flags;
}

QRect ShadedLabel::drawText(QPainter* painter, const QRect& rect, bool measure) const {
    QString text = caption_;
    // An empty caption still measures one line, and a lone "&" would vanish
    // as an accelerator prefix.
    if ((measure && text.isEmpty()) || (showAccelChar_ && text == QStringLiteral("&"))) {
        text = QStringLiteral(" ");
    }
    const int flags = textFlags(measure ? wordWrap_ : true);
    if (measure) {
        return QFontMetrics(font()).boundingRect(rect, flags, text);
    }

    painter->setFont(font());
    const auto copy = [&](int dx, int dy, const QColor& colour) {
        painter->setPen(colour);
        painter->drawText(rect.translated(dx, dy), flags, text);
    };
    switch (shadeStyle_) {
    case ShadeStyle::None:
        break;
    case ShadeStyle::Sunken:
        copy(1, 1, shadeLeftTop_);
        copy(-1, -1, shadeRightBottom_);
        break;
    case ShadeStyle::Raised:
        copy(1, 1, shadeRightBottom_);
        copy(-1, -1, shadeLeftTop_);
        break;
    case ShadeStyle::Shadowed:
        copy(shadowOffsetX_, shadowOffsetY_, shadeRightBottom_);
        break;
    }
    const QColor textColour =
        isEnabled() ? palette().color(QPalette::WindowText)
                    : QGuiApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    painter->setPen(textColour);
    QRect drawn;
    painter->drawText(rect, flags, text, &drawn);
    return drawn;
}

QRect ShadedLabel::measuredTextRect() const {
    // Word-wrapped text is laid out in the current width and may grow
    // downwards; a single line takes the width it needs.
    const QRect frame = wordWrap_ ? QRect(0, 0, width(), INT_MAX / 4) : QRect(0, 0, 0, 0);
    const QRect r = drawText(nullptr, frame, true);
    return QRect(0, 0, r.width(), r.height());
}

void ShadedLabel::adjustBounds() {
    if (!autoSize_) {
        return;
    }
    const QRect r = measuredTextRect();
    int left = x();
    if (alignment_ & Qt::AlignRight) {
        left += width() - r.width();
    }
    setGeometry(left, y(), r.width(), r.height());
}

QSize ShadedLabel::sizeHint() const {
    return measuredTextRect().size();
}

QSize ShadedLabel::minimumSizeHint() const {
    return sizeHint();
}

void ShadedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
    }
    drawText(&painter, rect(), false);
}

void ShadedLabel::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
        sizeChanged();
        break;
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

// ---- Mouse ---------------------------------------------------------------
//
// The label must learn when the pointer leaves it, also when it leaves over
// the label's own right or bottom edge line, which still counts as inside.
// Grabbing the mouse would do that but would also steal every click of the
// application while the pointer rests on the label's edge, and a grab that is
// never released locks the whole program. Instead, from the first movement
// over the label until the pointer is out, an application-wide event filter
// watches the movements reported to any widget (Qt passes even those that no
// widget tracks through the application's filters) without consuming them;
// the leave event covers the pointer leaving the program's windows.

bool ShadedLabel::isOutside(const QPoint& local) const {
    return local.x() < 0 || local.y() < 0 || local.x() > width() || local.y() > height();
}

void ShadedLabel::startTracking() {
    if (!tracking_) {
        tracking_ = true;
        QCoreApplication::instance()->installEventFilter(this);
    }
}

void ShadedLabel::stopTracking(bool notify) {
    if (!tracking_) {
        return;
    }
    tracking_ = false;
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    if (notify) {
        Q_EMIT mouseOut(this);
    }
}

void ShadedLabel::mouseMoveEvent(QMouseEvent* event) {
    startTracking();
    if (isOutside(event->position().toPoint())) {
        stopTracking(true);
    }
    QWidget::mouseMoveEvent(event);
}

bool ShadedLabel::eventFilter(QObject* watched, QEvent* event) {
    if (tracking_ && watched != this && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (isOutside(mapFromGlobal(move->globalPosition().toPoint()))) {
            stopTracking(true);
        }
    }
    return false;
}

void ShadedLabel::leaveEvent(QEvent* event) {
    // Qt reports leaving already on the right and bottom edge lines; only a
    // pointer that is really out ends the tracking here, the filter sees the rest.
    if (tracking_ && isOutside(mapFromGlobal(QCursor::pos()))) {
        stopTracking(true);
    }
    QWidget::leaveEvent(event);
}

void ShadedLabel::hideEvent(QHideEvent* event) {
    // A hidden label no longer has the pointer over it.
    stopTracking(true);
    QWidget::hideEvent(event);
}

void ShadedLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
    QWidget::mousePressEvent(event);
}

void ShadedLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        if (rect().contains(event->position().toPoint())) {
            Q_EMIT clicked(this);
        }
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace tornavel::ui
