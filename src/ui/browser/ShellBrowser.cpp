#include "ui/browser/ShellBrowser.h"

#include "ui/MessageBoxes.h"
#include "ui/browser/NameCollator.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileIconProvider>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cstring>

namespace tornavel::ui {
namespace {

constexpr int kTypeNameLimit = 80;
constexpr int kColumnWidths[ShellItemModel::ColumnCount] = {169, 49, 59, 114, 47};
const char* const kViewStyleNames[] = {"vsIcon", "vsSmallIcon", "vsList", "vsReport"};

// The hourglass for the duration of an enumeration, restored also on failure.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// No repainting of the list while it is refilled, resumed also on failure.
class RedrawSuspended {
public:
    explicit RedrawSuspended(QWidget* widget) : widget_(widget), was_(widget->updatesEnabled()) {
        widget_->setUpdatesEnabled(false);
    }
    ~RedrawSuspended() { widget_->setUpdatesEnabled(was_); }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    QWidget* widget_;
    bool was_;
};

QString fromNative(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

// The user's long time format without the time zone, which a file list has no
// room for and the date column never showed.
QString longTimeFormatWithoutZone(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c == u't') {
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

QIcon themedIcon(const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name),
                            QApplication::style()->standardIcon(fallback));
}

} // namespace

// ---- ShellBrowser: construction ------------------------------------------------

ShellBrowser::ShellBrowser(QWidget* parent)
    : QWidget(parent), collator_(std::make_unique<NameCollator>()), beeper_([] { beep(); }) {
    setObjectName(QStringLiteral("ShellBrowser"));

    // Without a desktop environment the icon theme is the bare "hicolor",
    // which has no file-type icons; look them up in Adwaita then.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
        if (QIcon::fallbackThemeName().isEmpty() ||
            QIcon::fallbackThemeName() == QLatin1String("hicolor")) {
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        }
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    buildViews();
    layout->addWidget(toolBar);
    layout->addWidget(listView, 1);
    setViewStyle(ViewStyle::SmallIcons);
}

ShellBrowser::~ShellBrowser() {
    clearItems();
}

void ShellBrowser::buildToolbar() {
    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar2"));
    toolBar->setIconSize(QSize(21, 21));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);

    auto makeButton = [this](const char* name, const QIcon& icon) {
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(icon);
        button->setAutoRaise(true);
        button->setFixedSize(28, 27);
        button->setFocusPolicy(Qt::NoFocus);
        toolBar->addWidget(button);
        return button;
    };
    backButton = makeButton("btnBack", themedIcon("go-previous", QStyle::SP_ArrowBack));
    toolBar->addSeparator();
    btnLargeIcons =
        makeButton("btnLargeIcons", themedIcon("view-grid", QStyle::SP_FileDialogContentsView));
    btnSmallIcons =
        makeButton("btnSmallIcons", themedIcon("view-list-icons", QStyle::SP_FileDialogInfoView));
    btnList = makeButton("btnList", themedIcon("view-list", QStyle::SP_FileDialogListView));
    btnReport =
        makeButton("btnReport", themedIcon("view-list-details", QStyle::SP_FileDialogDetailedView));

    // One group of toggles, none down until the user presses one.
    viewButtons_ = new QButtonGroup(this);
    viewButtons_->setExclusive(true);
    int id = 0;
    for (QToolButton* button : {btnLargeIcons, btnSmallIcons, btnList, btnReport}) {
        button->setCheckable(true);
        viewButtons_->addButton(button, id++);
    }
    connect(viewButtons_, &QButtonGroup::idClicked, this,
            [this](int style) { setViewStyle(static_cast<ViewStyle>(style)); });
    connect(backButton, &QToolButton::clicked, this, [this] { back(); });

    pathBox = new QComboBox(toolBar);
    pathBox->setObjectName(QStringLiteral("cbPath"));
    pathBox->setEditable(true);
    pathBox->setInsertPolicy(QComboBox::NoInsert);
    pathBox->setMinimumWidth(298);
    pathBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    toolBar->addWidget(pathBox);
    connect(pathBox, &QComboBox::activated, this, [this](int) { pathSelected(); });
    // A typed path is taken with Enter; the combo itself would only look it
    // up among its entries.
    pathBox->lineEdit()->installEventFilter(this);
}

int ShellBrowser::lineHeight() const {
    return std::max(18, fontMetrics().height() + 4);
}

void ShellBrowser::buildViews() {
    model_ = new ShellItemModel(*this);
    listView = new QStackedWidget(this);
    listView->setObjectName(QStringLiteral("ListView"));

    iconView_ = new QListView(listView);
    iconView_->setObjectName(QStringLiteral("ListViewItems"));
    // Every item has the size of the grid, so the view never measures rows it
    // does not show (a measure would read their details).
    iconView_->setUniformItemSizes(true);
    iconView_->setMovement(QListView::Static);
    iconView_->setResizeMode(QListView::Adjust);
    iconView_->setTextElideMode(Qt::ElideRight);

    // A table rather than a tree: it keeps no record per row (a tree view
    // holds 40 bytes for each of them), only the header's 8 bytes.
    reportView_ = new QTableView(listView);
    reportView_->setObjectName(QStringLiteral("ListViewReport"));
    reportView_->setShowGrid(false);
    reportView_->setWordWrap(false);
    reportView_->setCornerButtonEnabled(false);
    reportView_->setTabKeyNavigation(false);
    reportView_->setIconSize(QSize(16, 16));
    QHeaderView* rows = reportView_->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(lineHeight());
    QHeaderView* columns = reportView_->horizontalHeader();
    columns->setStretchLastSection(false);
    columns->setSectionsMovable(false);
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setInitialColumnWidths();

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(iconView_),
                                    static_cast<QAbstractItemView*>(reportView_)}) {
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex&) { open(); });
        listView->addWidget(view);
    }
}

void ShellBrowser::setInitialColumnWidths() {
    const QLocale user = QLocale::system();
    const QDateTime late(QDate(2026, 12, 28), QTime(23, 58, 58));
    const std::array<QString, ShellItemModel::ColumnCount> typical = {
        QString(), QStringLiteral("999999KB"), QStringLiteral("spustitelný soubor"),
        user.toString(late.date(), QLocale::ShortFormat) + u' ' +
            user.toString(late.time(), longTimeFormatWithoutZone(user)),
        QStringLiteral("RHSA")};
    const QFontMetrics cells = reportView_->fontMetrics();
    const QFontMetrics titles = reportView_->horizontalHeader()->fontMetrics();
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 6;
    for (int c = 0; c < ShellItemModel::ColumnCount; ++c) {
        const QString title = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        columnWidths_[c] = std::max({kColumnWidths[c], titles.horizontalAdvance(title) + margins,
                                     cells.horizontalAdvance(typical[c]) + margins});
    }
}

// ---- View style ----------------------------------------------------------------

bool ShellBrowser::setViewStyleByName(const QString& name) {
    for (int style = 0; style < 4; ++style) {
        if (name == QLatin1String(kViewStyleNames[style])) {
            setViewStyle(static_cast<ViewStyle>(style));
            return true;
        }
    }
    return false;
}

QString ShellBrowser::viewStyleName() const {
    return QString::fromLatin1(kViewStyleNames[static_cast<int>(viewStyle_)]);
}

void ShellBrowser::setViewStyle(ViewStyle style) {
    viewStyle_ = style;
    if (style == ViewStyle::Details) {
        listView->setCurrentWidget(reportView_);
    } else {
        if (style == ViewStyle::LargeIcons) {
            iconView_->setViewMode(QListView::IconMode);
            iconView_->setIconSize(QSize(32, 32));
            iconView_->setFlow(QListView::LeftToRight);
            iconView_->setWordWrap(true);
            iconView_->setGridSize(QSize(76, 36 + 2 * fontMetrics().height()));
        } else {
            iconView_->setViewMode(QListView::ListMode);
            iconView_->setIconSize(QSize(16, 16));
            iconView_->setWordWrap(false);
            // Small icons fill rows, the list fills columns.
            iconView_->setFlow(style == ViewStyle::SmallIcons ? QListView::LeftToRight
                                                              : QListView::TopToBottom);
            iconView_->setGridSize(QSize(150, lineHeight()));
        }
        iconView_->setWrapping(true);
        iconView_->setMovement(QListView::Static);
        iconView_->setResizeMode(QListView::Adjust);
        listView->setCurrentWidget(iconView_);
    }
    giveModelTo(currentItemView());
    const QModelIndex current = currentItemView()->currentIndex();
    if (current.isValid()) {
        currentItemView()->scrollTo(current);
    }
}

// Only the view in use has the model: a hidden view would keep records of
// every row for itself (the table's row header, the list's positions). The
// current row and the column widths go with the model.
void ShellBrowser::giveModelTo(QAbstractItemView* shown) {
    if (shown->model() == model_) {
        return;
    }
    QAbstractItemView* hidden =
        shown == iconView_ ? static_cast<QAbstractItemView*>(reportView_) : iconView_;
    QModelIndex current;
    if (hidden->model() == model_) {
        current = hidden->currentIndex();
        if (hidden == reportView_) {
            for (int c = 0; c < ShellItemModel::ColumnCount; ++c) {
                columnWidths_[c] = reportView_->horizontalHeader()->sectionSize(c);
            }
        }
        setViewModel(hidden, nullptr);
    }
    setViewModel(shown, model_);
    if (shown == reportView_) {
        for (int c = 0; c < ShellItemModel::ColumnCount; ++c) {
            reportView_->horizontalHeader()->resizeSection(c, columnWidths_[c]);
        }
    }
    if (current.isValid()) {
        shown->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
    }
}

// A view makes a selection model of its own for each model it is given; the
// one it had goes.
void ShellBrowser::setViewModel(QAbstractItemView* view, QAbstractItemModel* model) {
    QItemSelectionModel* previous = view->selectionModel();
    view->setModel(model);
    delete previous;
}

QAbstractItemView* ShellBrowser::currentItemView() const {
    if (viewStyle_ == ViewStyle::Details) {
        return reportView_;
    }
    return iconView_;
}

void ShellBrowser::clearPathList() {
    pathBox->clear();
}

// ---- Set-up and navigation -----------------------------------------------------

void ShellBrowser::setUp(const QString& typView, const QString& sourceFolder) {
    setViewStyleByName(typView);
    desktopFolder_ = shell::ShellFolder();
    currentFolder_ = desktopFolder_;
    clearItems();
    sourcePath_ = shell::NormalFolderPath(QFile::encodeName(sourceFolder).toStdString());
    navigateToPath(sourceFolder);
}

void ShellBrowser::navigateToPath(const QString& path) {
    const shell::IdList id = desktopFolder_.parseDisplayName(QFile::encodeName(path).toStdString());
    navigateToId(id.get());
}

void ShellBrowser::navigateToId(shell::ConstIdPtr absoluteId) {
    // Our own copy: the list may live in a path-list entry that this call changes.
    shell::IdList target(shell::CopyIdList(absoluteId));
    shell::ShellFolder folder = desktopFolder_.bindToObject(target.get());
    if (folder.path() == currentFolder_.path() &&
        shell::ListingStillHolds(listedStamp_, folder.stamp())) {
        // The folder shown, unchanged since it was listed: the same entries in
        // the same order. Sizes and dates may have changed, so their details
        // are read again for the rows shown.
        currentFolder_ = std::move(folder);
        model_->forgetDetails();
    } else {
        RedrawSuspended suspended(listView);
        fillFolder(std::move(folder));
    }
    currentFolderId_ = std::move(target);
    currentPath_ =
        itemDisplayName(desktopFolder_, currentFolderId_.get(), shell::NameForm::ForParsing);
    updatePathList(currentFolderId_.get());
    selectFirstRow();
}

void ShellBrowser::fillFolder(shell::ShellFolder folder) {
    WaitCursor wait;
    // Read before the listing, so a change made while it runs shows as one.
    const shell::FolderStamp stamp = folder.stamp();
    shell::FolderEnumeration enumeration = folder.enumObjects();
    ++enumerations_;
    currentFolder_ = std::move(folder);
    // The names stay in the block the enumeration read them into; the sort
    // orders their offsets, and the model takes the block whole.
    shell::FolderListing listing = enumeration.takeAll();
    SortForDisplay(listing, *collator_);
    model_->setItems(ShellItemList(std::move(listing)));
    listedStamp_ = stamp;
}

void ShellBrowser::clearItems() {
    // Each entry releases its ID lists with the list's block.
    if (model_) {
        model_->setItems(ShellItemList());
    }
    listedStamp_ = shell::FolderStamp();
}

int ShellBrowser::compareItems(const ShellItem& a, const ShellItem& b) const {
    return CompareForDisplay(a.relativeId, b.relativeId, *collator_);
}

void ShellBrowser::updatePathList(shell::ConstIdPtr absoluteId) {
    int entry = pathBox->findText(currentPath_, Qt::MatchFixedString); // letter case ignored
    if (entry < 0) {
        pathBox->insertItem(0, currentPath_,
                            QByteArray(reinterpret_cast<const char*>(absoluteId),
                                       static_cast<qsizetype>(shell::IdListSize(absoluteId))));
        entry = 0;
    }
    pathBox->setCurrentIndex(entry);
    pathBox->setEditText(pathBox->itemText(entry));
}

void ShellBrowser::selectFirstRow() {
    if (shellItems().empty()) {
        return;
    }
    const QModelIndex first = model_->index(0, 0);
    currentItemView()->selectionModel()->setCurrentIndex(
        first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // The first row lies at the top left in every view style, so moving the
    // scroll bars there shows it whole. scrollTo would lay out every row
    // first, in a hidden list or one not yet at its size (at start-up) for
    // nothing, as the list lays out again once it is shown.
    QAbstractItemView* view = currentItemView();
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->minimum());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->minimum());
}

// ---- Details -------------------------------------------------------------------

void ShellBrowser::fillDetails(int first, int last) {
    const ShellItemList& items = shellItems();
    const int count = static_cast<int>(items.size());
    if (first < 0 || last < 0 || first >= count || last >= count) {
        return;
    }
    for (int row = first; row <= last; ++row) {
        const auto entry = static_cast<std::size_t>(row);
        if (items.details(entry)) {
            continue;
        }
        const shell::ConstIdPtr relative = items.relativeId(entry);
        ShellItemDetails details;
        details.absoluteId.reset(shell::JoinIdLists(currentFolderId_.get(), relative));
        const QString path =
            itemDisplayName(desktopFolder_, details.absoluteId.get(), shell::NameForm::ForParsing);
        const QMimeType type =
            isFolderItem(currentFolder_, relative)
                ? mimeDatabase_.mimeTypeForName(QStringLiteral("inode/directory"))
                : mimeDatabase_.mimeTypeForFile(path);
        details.imageIndex = iconIndexOf(type);
        details.typeName = typeDescription(type).left(kTypeNameLimit);
        const shell::FindData data = currentFolder_.getFindData(relative);
        details.sizeKb = shell::SizeInKB(data.size);
        details.modifiedText = modifiedText(data);
        details.attributes = data.attributes;
        model_->setDetails(entry, std::move(details));
    }
}

QString ShellBrowser::itemDisplayName(const shell::ShellFolder& folder, shell::ConstIdPtr list,
                                      shell::NameForm form) const {
    return fromNative(folder.getDisplayNameOf(list, form));
}

bool ShellBrowser::isFolderItem(const shell::ShellFolder& folder,
                                shell::ConstIdPtr relative) const {
    return folder.isFolder(relative);
}

int ShellBrowser::iconIndexOf(const QMimeType& type) {
    const QString key = type.name();
    if (const auto it = imageIndexByIcon_.constFind(key); it != imageIndexByIcon_.constEnd()) {
        return it.value();
    }
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull()) {
        icon = QIcon::fromTheme(type.genericIconName());
    }
    if (icon.isNull()) {
        const QFileIconProvider provider;
        icon = provider.icon(type.inherits(QStringLiteral("inode/directory"))
                                 ? QAbstractFileIconProvider::Folder
                                 : QAbstractFileIconProvider::File);
    }
    imageList_.append(icon);
    const int index = static_cast<int>(imageList_.size()) - 1;
    imageIndexByIcon_.insert(key, index);
    return index;
}

QString ShellBrowser::typeDescription(const QMimeType& type) {
    // The folder's text is the program's own: the MIME database has it in
    // Czech only where its translations are installed, else "Folder".
    if (type.name() == QLatin1String("inode/directory")) {
        return QStringLiteral("složka");
    }
    const QString key = type.name();
    if (const auto it = typeNameByMime_.constFind(key); it != typeNameByMime_.constEnd()) {
        return it.value();
    }
    // The MIME database answers in the default locale's language; the program
    // speaks Czech whatever the system locale is.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    const QString text = type.comment();
    QLocale::setDefault(previous);
    typeNameByMime_.insert(key, text);
    return text;
}

QString ShellBrowser::modifiedText(const shell::FindData& data) const {
    if (!data.hasWriteTime) {
        return {};
    }
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(
        data.writeTimeSeconds * 1000 + data.writeTimeNanoseconds / 1'000'000, Qt::LocalTime);
    if (!local.isValid()) {
        return {};
    }
    const QLocale user = QLocale::system();
    QString text = user.toString(local.date(), QLocale::ShortFormat);
    if (local.time() != QTime(0, 0)) {
        text += u' ' + user.toString(local.time(), longTimeFormatWithoutZone(user));
    }
    return text;
}

// ---- User actions --------------------------------------------------------------

void ShellBrowser::open() {
    runGuarded(this, [this] {
        const QModelIndexList selected = currentItemView()->selectionModel()->selectedIndexes();
        if (selected.isEmpty()) {
            return;
        }
        const int row = selected.constFirst().row();
        if (row < 0 || static_cast<std::size_t>(row) >= shellItems().size()) {
            return;
        }
        const shell::ConstIdPtr relative = shellItems().relativeId(static_cast<std::size_t>(row));
        if (!isFolderItem(currentFolder_, relative)) {
            return; // files are never opened or started
        }
        const shell::IdList target(shell::JoinIdLists(currentFolderId_.get(), relative));
        navigateToId(target.get());
    });
}

void ShellBrowser::back() {
    runGuarded(this, [this] {
        const shell::IdList parent(shell::CopyIdList(currentFolderId_.get()));
        // Never above SourceFolder: the folder shown, not the path combo's
        // text, which the user may have edited without confirming it.
        if (desktopFolder_.getDisplayNameOf(currentFolderId_.get(), shell::NameForm::ForParsing) ==
            sourcePath_) {
            return;
        }
        shell::RemoveLastId(parent.get());
        if (shell::IdListIsEmpty(parent.get())) {
            beeper_();
            return;
        }
        navigateToId(parent.get());
    });
}

void ShellBrowser::pathSelected() {
    runGuarded(this, [this] {
        const QString text = pathBox->currentText();
        const int entry = pathBox->findText(text, Qt::MatchFixedString);
        if (entry >= 0) {
            const QByteArray id = pathBox->itemData(entry).toByteArray();
            navigateToId(reinterpret_cast<shell::ConstIdPtr>(id.constData()));
        } else {
            navigateToPath(text);
        }
    });
}

bool ShellBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == pathBox->lineEdit()) {
        if (enter) {
            pathSelected();
            return true;
        }
    } else if (watched == iconView_ || watched == reportView_) {
        if (enter) {
            open();
            return true;
        }
        if (key == Qt::Key_Backspace) {
            back();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tornavel::ui
