#pragma once

#include <QIcon>
#include <QListWidget>
#include <QString>

namespace tornavel {
class IconSource;
}

namespace tornavel::ui {

// A list box whose items are icons, drawn centred in a grid of cells cellsAcross
// wide and cellsDown high. Items run down the first column, then down the next,
// as in a multi-column list box; more icons than cells scroll sideways. Each
// item carries the decimal text of the position it was put in at (never
// drawn) and owns its icon.
class IconGrid : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(bool autoDisable READ autoDisable WRITE setAutoDisable)
    Q_PROPERTY(int iconCount READ iconCount)
    Q_PROPERTY(int cellsAcross READ cellsAcross WRITE setCellsAcross)
    Q_PROPERTY(int cellsDown READ cellsDown WRITE setCellsDown)

public:
    explicit IconGrid(QWidget* parent = nullptr);

    // Stored only; nothing in the grid depends on it.
    bool autoDisable() const { return autoDisable_; }
    void setAutoDisable(bool value) { autoDisable_ = value; }

    // -1 before the first insertion, then counted up by each insertion and
    // down by each removal (never below -1). Clearing leaves it alone.
    int iconCount() const { return iconCount_; }

    // Cells per row (the column count) and visible rows. A value of 0 or less,
    // or the present value, changes nothing; a new value resizes the box.
    int cellsAcross() const { return cellsAcross_; }
    void setCellsAcross(int value);
    int cellsDown() const { return cellsDown_; }
    void setCellsDown(int value);

    // width = cellWidth x cellsAcross + 2; height = item height x cellsDown + the
    // horizontal scroll bar + 1.
    void updateSize();

    int cellWidth() const { return cellWidth_; }
    int itemHeight() const { return itemHeight_; }
    int iconSize() const { return iconSize_; }

    // Puts icon `index` of the file at `path` at `position`, replacing the
    // item there; a position outside the list appends. Returns false when the
    // file gave no icon and the standard application icon took its place.
    bool insertIcon(const QString& path, int index, int position);
    // The same with the file already read (drawing all icons of a library
    // reads it once).
    bool insertIcon(const tornavel::IconSource& source, int index, int position);
    // Removes the item at position and its icon; false when there is none.
    bool deleteIcon(int position);
    // Clearing is the list's own clear(): every item and icon goes.

    // The system's standard application icon, shown for icons that cannot be read.
    static QIcon applicationIcon();
    // Whether the item shows the standard application icon instead of its own.
    static bool isPlaceholder(const QListWidgetItem* item);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool insert(const QIcon& icon, bool placeholder, int position);

    bool autoDisable_ = true;
    int iconCount_ = -1;
    int cellsAcross_ = 0;
    int cellsDown_ = 1;
    int iconSize_ = 32;
    int cellWidth_ = 38;
    int itemHeight_ = 38;
};

// The image of an icon-file byte stream that suits a square of `size` pixels
// best (nearest size, then deepest colour), decoded and scaled to that size;
// a null icon when no image of the stream can be decoded.
QIcon iconFromIcoStream(const QByteArray& stream, int size);

} // namespace tornavel::ui
