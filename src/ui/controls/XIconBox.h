#pragma once

#include <QIcon>
#include <QListWidget>
#include <QString>

namespace tornavel {
class IconSource;
}

namespace tornavel::ui {

// A list box whose items are icons, drawn centred in a grid of cells XIcons
// wide and YIcons high. Items run down the first column, then down the next,
// as in a multi-column list box; more icons than cells scroll sideways. Each
// item carries the decimal text of the position it was put in at (never
// drawn) and owns its icon.
class TXIconListBox : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(bool AutoDisable READ AutoDisable WRITE setAutoDisable)
    Q_PROPERTY(int NumberOfIcons READ NumberOfIcons)
    Q_PROPERTY(int XIcons READ XIcons WRITE setXIcons)
    Q_PROPERTY(int YIcons READ YIcons WRITE setYIcons)

public:
    explicit TXIconListBox(QWidget* parent = nullptr);

    // Stored only; nothing in the grid depends on it.
    bool AutoDisable() const { return autoDisable_; }
    void setAutoDisable(bool value) { autoDisable_ = value; }

    // -1 before the first insertion, then counted up by each insertion and
    // down by each removal (never below -1). Clearing leaves it alone.
    int NumberOfIcons() const { return numberOfIcons_; }

    // Cells per row (the column count) and visible rows. A value of 0 or less,
    // or the present value, changes nothing; a new value resizes the box.
    int XIcons() const { return xIcons_; }
    void setXIcons(int value);
    int YIcons() const { return yIcons_; }
    void setYIcons(int value);

    // width = CellWidth x XIcons + 2; height = item height x YIcons + the
    // horizontal scroll bar + 1.
    void UpdateSize();

    int CellWidth() const { return cellWidth_; }
    int ItemHeight() const { return itemHeight_; }
    int IconSize() const { return iconSize_; }

    // Puts icon `index` of the file at `path` at `position`, replacing the
    // item there; a position outside the list appends. Returns false when the
    // file gave no icon and the standard application icon took its place.
    bool InsertIcon(const QString& path, int index, int position);
    // The same with the file already read (drawing all icons of a library
    // reads it once).
    bool InsertIcon(const tornavel::IconSource& source, int index, int position);
    // Removes the item at position and its icon; false when there is none.
    bool DeleteIcon(int position);
    // Clearing is the list's own clear(): every item and icon goes.

    // The system's standard application icon, shown for icons that cannot be read.
    static QIcon applicationIcon();
    // Whether the item shows the standard application icon instead of its own.
    static bool isPlaceholder(const QListWidgetItem* item);

signals:
    // Published for the designer's sake; the grid never raises them.
    void OnFileChange();
    void OnChange();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool insert(const QIcon& icon, bool placeholder, int position);

    bool autoDisable_ = true;
    int numberOfIcons_ = -1;
    int xIcons_ = 0;
    int yIcons_ = 1;
    int iconSize_ = 32;
    int cellWidth_ = 38;
    int itemHeight_ = 38;
};

// The image of an icon-file byte stream that suits a square of `size` pixels
// best (nearest size, then deepest colour), decoded and scaled to that size;
// a null icon when no image of the stream can be decoded.
QIcon iconFromIcoStream(const QByteArray& stream, int size);

} // namespace tornavel::ui
