#include "ui/controls/IconGrid.h"

#include "platform/Errors.h"
#include "platform/PeIcons.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tornavel::ui {
namespace {

constexpr int kPlaceholderRole = Qt::UserRole + 1;

// Fills the cell and draws its icon centred at the system icon size; the
// position text is never drawn.
class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(IconGrid* box) : QStyledItemDelegate(box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        // A cell that cannot be drawn stays as far as it got; nothing of it
        // may reach the event loop.
        try {
            const bool selected = (option.state & QStyle::State_Selected) != 0;
            painter->fillRect(
                option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
            const QIcon icon = qvariant_cast<QIcon>(index.data(Qt::DecorationRole));
            if (icon.isNull()) {
                return;
            }
            // Icons are square: both offsets follow from the icon's width.
            const int size = box_->iconSize();
            const int dx = (option.rect.width() - size) / 2;
            const int dy = (option.rect.height() - size) / 2;
            const QPixmap pixmap = icon.pixmap(QSize(size, size));
            painter->drawPixmap(QRect(option.rect.x() + dx, option.rect.y() + dy, size, size),
                                pixmap);
        } catch (...) {
        }
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {box_->cellWidth(), box_->itemHeight()};
    }

private:
    IconGrid* box_;
};

// The standard application icon: an empty window with a title bar, drawn at
// the sizes the grid asks for.
QPixmap drawApplicationIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    const qreal unit = size / 32.0;
    const QRectF window(2 * unit, 4 * unit, 28 * unit, 24 * unit);
    p.fillRect(window, QColor(255, 255, 255));
    p.fillRect(QRectF(window.left(), window.top(), window.width(), 5 * unit), QColor(0, 0, 128));
    p.setPen(QPen(QColor(0, 0, 0), std::max<qreal>(1, unit)));
    p.drawRect(window.adjusted(0, 0, -unit, -unit));
    return pixmap;
}

} // namespace

QIcon iconFromIcoStream(const QByteArray& stream, int size) {
    // The directory tells each image's size and depth: try the image nearest
    // the wanted size first, the deepest among equals, and keep the first one
    // that decodes. Decoding only that one keeps a library of many large
    // icons from costing a decoded image per size per icon.
    struct Candidate {
        int index, distance, depth;
    };
    std::vector<Candidate> candidates;
    const auto byte = [&stream](qsizetype at) { return static_cast<unsigned char>(stream[at]); };
    const int count = stream.size() >= 6 ? byte(4) | byte(5) << 8 : 0;
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= stream.size(); ++i) {
        const qsizetype entry = 6 + 16 * i;
        const int width = byte(entry) == 0 ? 256 : byte(entry);
        const int depth = byte(entry + 6) | byte(entry + 7) << 8;
        candidates.push_back({i, std::abs(width - size), depth});
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        return a.distance != b.distance ? a.distance < b.distance : a.depth > b.depth;
    });

    QBuffer buffer;
    buffer.setData(stream);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    for (const Candidate& c : candidates) {
        if (!reader.jumpToImage(c.index)) {
            continue;
        }
        QImage image = reader.read();
        if (image.isNull()) {
            continue;
        }
        if (image.width() != size || image.height() != size) {
            image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        return QIcon(QPixmap::fromImage(image));
    }
    return {};
}

QIcon IconGrid::applicationIcon() {
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 24, 32, 48, 64}) {
            i.addPixmap(drawApplicationIcon(size));
        }
        return i;
    }();
    return icon;
}

bool IconGrid::isPlaceholder(const QListWidgetItem* item) {
    return item && item->data(kPlaceholderRole).toBool();
}

IconGrid::IconGrid(QWidget* parent) : QListWidget(parent) {
    iconSize_ = style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, this);
    cellWidth_ = iconSize_ + 6;
    itemHeight_ = iconSize_ + 6;

    // A multi-column list box: items run down a column, then on to the next,
    // and the box scrolls sideways.
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSpacing(0);
    setGridSize(QSize(cellWidth_, itemHeight_));
    setIconSize(QSize(iconSize_, iconSize_));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new CellDelegate(this));

    // The sizes leave one pixel of border left and right, and one pixel
    // more than the rows need in height: the list lays out a column only
    // while a cell's last pixel row lies above the viewport's last one, so
    // that pixel belongs to the viewport and the top border is drawn over
    // it (paintEvent); the sides are drawn in event().
    setFrameShape(QFrame::NoFrame);
    setViewportMargins(1, 0, 1, 0);

    QFont cellFont(QStringLiteral("Arial"));
    cellFont.setPixelSize(itemHeight_);
    setFont(cellFont);

    setCellsAcross(4);
}

void IconGrid::setCellsAcross(int value) {
    if (value <= 0 || value == cellsAcross_) {
        return;
    }
    cellsAcross_ = value;
    updateSize();
}

void IconGrid::setCellsDown(int value) {
    if (value <= 0 || value == cellsDown_) {
        return;
    }
    cellsDown_ = value;
    updateSize();
}

void IconGrid::updateSize() {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    setFixedSize(cellWidth_ * cellsAcross_ + 2, itemHeight_ * cellsDown_ + scrollBar + 1);
}

bool IconGrid::event(QEvent* e) {
    const bool handled = QListWidget::event(e);
    if (e->type() == QEvent::Paint) {
        QPainter p(this);
        p.setPen(palette().color(QPalette::Dark));
        const int bottom = viewport()->geometry().bottom();
        p.drawLine(0, 0, 0, bottom);
        p.drawLine(width() - 1, 0, width() - 1, bottom);
    }
    return handled;
}

void IconGrid::paintEvent(QPaintEvent* e) {
    QListWidget::paintEvent(e);
    QPainter p(viewport());
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, 0, viewport()->width() - 1, 0);
}

bool IconGrid::insertIcon(const QString& path, int index, int position) {
    try {
        return insertIcon(tornavel::LoadIconSource(QFile::encodeName(path).toStdString()), index,
                          position);
    } catch (const tornavel::Error&) {
        // A file that cannot be read gives no icon, like one without icons.
        return insertIcon(tornavel::IconSource(), index, position);
    }
}

bool IconGrid::insertIcon(const tornavel::IconSource& source, int index, int position) {
    QIcon icon;
    if (const auto stream = source.image(index)) {
        icon = iconFromIcoStream(QByteArray(stream->data(), static_cast<qsizetype>(stream->size())),
                                 iconSize_);
    }
    const bool fromFile = !icon.isNull();
    return insert(fromFile ? icon : applicationIcon(), !fromFile, position);
}

bool IconGrid::insert(const QIcon& icon, bool placeholder, int position) {
    const bool replace = position >= 0 && position < count();
    if (replace) {
        deleteIcon(position);
    }
    auto* item = new QListWidgetItem(icon, QString::number(position));
    item->setData(kPlaceholderRole, placeholder);
    if (replace) {
        insertItem(position, item);
    } else {
        addItem(item);
    }
    iconCount_ = iconCount_ == -1 ? 1 : iconCount_ + 1;
    return !placeholder;
}

bool IconGrid::deleteIcon(int position) {
    if (position < 0 || position >= count()) {
        return false;
    }
    delete takeItem(position);
    iconCount_ = iconCount_ <= 0 ? -1 : iconCount_ - 1;
    return true;
}

} // namespace tornavel::ui
