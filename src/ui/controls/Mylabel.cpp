#include "ui/controls/Mylabel.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <climits>

namespace tornavel::ui {

TmyLabel3d::TmyLabel3d(QWidget* parent) : QWidget(parent) {
    // No background of its own, and the tracking below needs every movement,
    // not only those with a button held.
    setAutoFillBackground(false);
    setMouseTracking(true);
}

TmyLabel3d::~TmyLabel3d() {
    stopTracking(false);
}

// ---- Shade properties -----------------------------------------------------

void TmyLabel3d::SetAStyle3D(T3DEffect value) {
    if (value != style3D_) {
        style3D_ = value;
        update();
    }
}

void TmyLabel3d::SetAShadeRightBottom(const QColor& value) {
    if (value != shadeRightBottom_) {
        shadeRightBottom_ = value;
        update();
    }
}

void TmyLabel3d::SetAHShadeOffSet(int value) {
    if (value != hShadeOffset_) {
        hShadeOffset_ = value;
        update();
    }
}

void TmyLabel3d::SetAVShadeOffSet(int value) {
    if (value != vShadeOffset_) {
        vShadeOffset_ = value;
        update();
    }
}

void TmyLabel3d::SetAShadeLeftTop(const QColor& value) {
    if (value != shadeLeftTop_ && !shadeLTSet_) {
        shadeLeftTop_ = value;
        update();
    }
}

void TmyLabel3d::SetAShadeLTSet(bool value) {
    if (value != shadeLTSet_) {
        shadeLTSet_ = value;
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

void TmyLabel3d::setText(const QString& text) {
    if (text != caption_) {
        caption_ = text;
        sizeChanged();
    }
}

void TmyLabel3d::setAlignment(Qt::Alignment alignment) {
    const Qt::Alignment horizontal =
        alignment & (Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter);
    if (horizontal != alignment_) {
        alignment_ = horizontal;
        update();
    }
}

void TmyLabel3d::setWordWrap(bool on) {
    if (on != wordWrap_) {
        wordWrap_ = on;
        sizeChanged();
    }
}

void TmyLabel3d::setAutoSize(bool on) {
    if (on != autoSize_) {
        autoSize_ = on;
        sizeChanged();
    }
}

void TmyLabel3d::setShowAccelChar(bool on) {
    if (on != showAccelChar_) {
        showAccelChar_ = on;
        sizeChanged();
    }
}

void TmyLabel3d::setTransparent(bool on) {
    if (on != transparent_) {
        transparent_ = on;
        update();
    }
}

void TmyLabel3d::sizeChanged() {
    adjustBounds();
    updateGeometry();
    update();
}

// ---- Measuring and painting ---------------------------------------------

int TmyLabel3d::textFlags(bool wrap) const {
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

QRect TmyLabel3d::drawText(QPainter* painter, const QRect& rect, bool measure) const {
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
    switch (style3D_) {
    case T3DEffect::Normal3d:
        break;
    case T3DEffect::Resit3d:
        copy(1, 1, shadeLeftTop_);
        copy(-1, -1, shadeRightBottom_);
        break;
    case T3DEffect::Raised3d:
        copy(1, 1, shadeRightBottom_);
        copy(-1, -1, shadeLeftTop_);
        break;
    case T3DEffect::Shadowed3d:
        copy(hShadeOffset_, vShadeOffset_, shadeRightBottom_);
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

QRect TmyLabel3d::measuredTextRect() const {
    // Word-wrapped text is laid out in the current width and may grow
    // downwards; a single line takes the width it needs.
    const QRect frame = wordWrap_ ? QRect(0, 0, width(), INT_MAX / 4) : QRect(0, 0, 0, 0);
    const QRect r = drawText(nullptr, frame, true);
    return QRect(0, 0, r.width(), r.height());
}

void TmyLabel3d::adjustBounds() {
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

QSize TmyLabel3d::sizeHint() const {
    return measuredTextRect().size();
}

QSize TmyLabel3d::minimumSizeHint() const {
    return sizeHint();
}

void TmyLabel3d::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
    }
    drawText(&painter, rect(), false);
}

void TmyLabel3d::changeEvent(QEvent* event) {
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

bool TmyLabel3d::isOutside(const QPoint& local) const {
    return local.x() < 0 || local.y() < 0 || local.x() > width() || local.y() > height();
}

void TmyLabel3d::startTracking() {
    if (!tracking_) {
        tracking_ = true;
        QCoreApplication::instance()->installEventFilter(this);
    }
}

void TmyLabel3d::stopTracking(bool notify) {
    if (!tracking_) {
        return;
    }
    tracking_ = false;
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    if (notify) {
        emit OnMouseOut(this);
    }
}

void TmyLabel3d::mouseMoveEvent(QMouseEvent* event) {
    startTracking();
    if (isOutside(event->position().toPoint())) {
        stopTracking(true);
    }
    QWidget::mouseMoveEvent(event);
}

bool TmyLabel3d::eventFilter(QObject* watched, QEvent* event) {
    if (tracking_ && watched != this && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (isOutside(mapFromGlobal(move->globalPosition().toPoint()))) {
            stopTracking(true);
        }
    }
    return false;
}

void TmyLabel3d::leaveEvent(QEvent* event) {
    // Qt reports leaving already on the right and bottom edge lines; only a
    // pointer that is really out ends the tracking here, the filter sees the rest.
    if (tracking_ && isOutside(mapFromGlobal(QCursor::pos()))) {
        stopTracking(true);
    }
    QWidget::leaveEvent(event);
}

void TmyLabel3d::hideEvent(QHideEvent* event) {
    // A hidden label no longer has the pointer over it.
    stopTracking(true);
    QWidget::hideEvent(event);
}

void TmyLabel3d::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
    QWidget::mousePressEvent(event);
}

void TmyLabel3d::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        if (rect().contains(event->position().toPoint())) {
            emit OnClick(this);
        }
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace tornavel::ui
