#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;

namespace tornavel::ui {

// The kind of shade a ShadedLabel draws around its caption.
enum class ShadeStyle { None, Sunken, Raised, Shadowed };

// A text label that draws its caption with a three-dimensional shade: raised,
// sunk ("Resit3d") or with a drop shadow. It has no window of its own and by
// default paints no background, so it sits on pictures.
//
// Besides the shade it behaves as a plain label: caption with accelerator
// characters, horizontal alignment, optional word wrap while measuring, and
// automatic sizing to its caption (keeping the left edge, or the right edge
// when right-aligned). The caption colour is the palette's window-text colour;
// a disabled label draws its caption in the application's grey-text colour.
class ShadedLabel : public QWidget {
    Q_OBJECT
public:
    explicit ShadedLabel(QWidget* parent = nullptr);
    ~ShadedLabel() override;

    // ---- Shade properties ------------------------------------------------
    ShadeStyle shadeStyle() const { return shadeStyle_; }
    QColor leftTopShade() const { return shadeLeftTop_; }
    QColor rightBottomShade() const { return shadeRightBottom_; }
    int shadowOffsetX() const { return shadowOffsetX_; }
    int shadowOffsetY() const { return shadowOffsetY_; }
    bool whiteLeftTop() const { return whiteLeftTop_; }

    // Each stores a value that differs from the current one and repaints; an
    // equal value changes nothing.
    void setShadeStyle(ShadeStyle value);
    void setRightBottomShade(const QColor& value);
    void setShadowOffsetX(int value);
    void setShadowOffsetY(int value);
    // Ignored while whiteLeftTop is true.
    void setLeftTopShade(const QColor& value);
    // True forces the left-top shade to white and keeps the previous colour,
    // false brings that colour back. Repaints even when nothing changed.
    void setWhiteLeftTop(bool value);

    // ---- Label properties ------------------------------------------------
    QString text() const { return caption_; }
    void setText(const QString& text);
    // Only the horizontal part counts (left, right, centre); text is always
    // drawn from the top.
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    // Word wrap while measuring for AutoSize; painting always wraps.
    void setWordWrap(bool on);
    void setAutoSize(bool on);
    // "&x" underlines x and "&&" shows "&"; off shows every "&" as it is.
    void setShowAccelChar(bool on);
    // A non-transparent label fills its rectangle with the palette's window colour.
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);

    // The rectangle the caption needs when laid out in the label's current
    // width (or on one line without word wrap); the shade is not counted.
    QRect measuredTextRect() const;
    // Resizes the label to measuredTextRect() as the AutoSize rule does.
    void adjustBounds();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The pointer has left the label (see mouseMoveEvent for the rule).
    void mouseOut(tornavel::ui::ShadedLabel* sender);
    // A left-button press and release on the label.
    void clicked(tornavel::ui::ShadedLabel* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Draws (or, with measure set, only measures) the caption and its shade
    // copies into rect; returns the rectangle the caption itself takes.
    QRect drawText(QPainter* painter, const QRect& rect, bool measure) const;
    int textFlags(bool wrap) const;
    // Outside means x < 0, y < 0, x > width or y > height: the right and
    // bottom edge lines themselves still count as inside.
    bool isOutside(const QPoint& local) const;
    void startTracking();
    void stopTracking(bool notify);
    void sizeChanged();

    ShadeStyle shadeStyle_ = ShadeStyle::None;
    QColor shadeLeftTop_ = Qt::white;
    QColor shadeRightBottom_ = QColor(128, 128, 128);
    int shadowOffsetX_ = 5;
    int shadowOffsetY_ = -5;
    bool whiteLeftTop_ = false;
    QColor savedLeftTop_ = Qt::white;

    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool wordWrap_ = false;
    bool autoSize_ = true;
    bool showAccelChar_ = true;
    bool transparent_ = true;

    bool tracking_ = false;
    bool pressed_ = false;
};

} // namespace tornavel::ui
