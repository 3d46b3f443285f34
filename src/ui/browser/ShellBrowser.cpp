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
    layout->addWidget(ToolBar2);
    layout->addWidget(ListView, 1);
    setViewStyle(ViewStyle::SmallIcons);
}

ShellBrowser::~ShellBrowser() {
    ClearItems();
}

void ShellBrowser::buildToolbar() {
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setIconSize(QSize(21, 21));
    ToolBar2->setMovable(false);
    ToolBar2->setFloatable(false);

    auto makeButton = [this](const char* name, const QIcon& icon) {
        auto* button = new QToolButton(ToolBar2);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(icon);
        button->setAutoRaise(true);
        button->setFixedSize(28, 27);
        button->setFocusPolicy(Qt::NoFocus);
        ToolBar2->addWidget(button);
        return button;
    };
    btnBack = makeButton("btnBack", themedIcon("go-previous", QStyle::SP_ArrowBack));
    ToolBar2->addSeparator();
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
    connect(btnBack, &QToolButton::clicked, this, [this] { Back(); });

    cbPath = new QComboBox(ToolBar2);
    cbPath->setObjectName(QStringLiteral("cbPath"));
    cbPath->setEditable(true);
    cbPath->setInsertPolicy(QComboBox::NoInsert);
    cbPath->setMinimumWidth(298);
    cbPath->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    ToolBar2->addWidget(cbPath);
    connect(cbPath, &QComboBox::activated, this, [this](int) { PathSelected(); });
    // A typed path is taken with Enter; the combo itself would only look it
    // up among its entries.
    cbPath->lineEdit()->installEventFilter(this);
}

int ShellBrowser::lineHeight() const {
    return std::max(18, fontMetrics().height() + 4);
}

void ShellBrowser::buildViews() {
    model_ = new ShellItemModel(*this);
    ListView = new QStackedWidget(this);
    ListView->setObjectName(QStringLiteral("ListView"));

    iconView_ = new QListView(ListView);
    iconView_->setObjectName(QStringLiteral("ListViewItems"));
    // Every item has the size of the grid, so the view never measures rows it
    // does not show (a measure would read their details).
    iconView_->setUniformItemSizes(true);
    iconView_->setMovement(QListView::Static);
    iconView_->setResizeMode(QListView::Adjust);
    iconView_->setTextElideMode(Qt::ElideRight);

    // A table rather than a tree: it keeps no record per row (a tree view
    // holds 40 bytes for each of them), only the header's 8 bytes.
    reportView_ = new QTableView(ListView);
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
    std::copy(std::begin(kColumnWidths), std::end(kColumnWidths), columnWidths_.begin());

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(iconView_),
                                    static_cast<QAbstractItemView*>(reportView_)}) {
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex&) { Open(); });
        ListView->addWidget(view);
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
        ListView->setCurrentWidget(reportView_);
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
        ListView->setCurrentWidget(iconView_);
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
    cbPath->clear();
}

// ---- Set-up and navigation -----------------------------------------------------

void ShellBrowser::SetUp(const QString& typView, const QString& sourceFolder) {
    setViewStyleByName(typView);
    desktopFolder_ = shell::ShellFolder();
    currentFolder_ = desktopFolder_;
    ClearItems();
    sourcePath_ = shell::NormalFolderPath(QFile::encodeName(sourceFolder).toStdString());
    NavigateToPath(sourceFolder);
}

void ShellBrowser::NavigateToPath(const QString& path) {
    const shell::IdList id = desktopFolder_.ParseDisplayName(QFile::encodeName(path).toStdString());
    NavigateToID(id.get());
}

void ShellBrowser::NavigateToID(shell::ConstIdPtr absoluteId) {
    // Our own copy: the list may live in a path-list entry that this call changes.
    shell::IdList target(shell::CopyIdList(absoluteId));
    shell::ShellFolder folder = desktopFolder_.BindToObject(target.get());
    if (folder.path() == currentFolder_.path() &&
        shell::ListingStillHolds(listedStamp_, folder.Stamp())) {
        // The folder shown, unchanged since it was listed: the same entries in
        // the same order. Sizes and dates may have changed, so their details
        // are read again for the rows shown.
        currentFolder_ = std::move(folder);
        model_->forgetDetails();
    } else {
        RedrawSuspended suspended(ListView);
        FillFolder(std::move(folder));
    }
    currentFolderId_ = std::move(target);
    currentPath_ =
        ItemDisplayName(desktopFolder_, currentFolderId_.get(), shell::NameForm::ForParsing);
    updatePathList(currentFolderId_.get());
    selectFirstRow();
}

void ShellBrowser::FillFolder(shell::ShellFolder folder) {
    WaitCursor wait;
    // Read before the listing, so a change made while it runs shows as one.
    const shell::FolderStamp stamp = folder.Stamp();
    shell::FolderEnumeration enumeration = folder.EnumObjects();
    ++enumerations_;
    currentFolder_ = std::move(folder);
    // The names stay in the block the enumeration read them into; the sort
    // orders their offsets, and the model takes the block whole.
    shell::FolderListing listing = enumeration.TakeAll();
    SortForDisplay(listing, *collator_);
    model_->setItems(ShellItemList(std::move(listing)));
    listedStamp_ = stamp;
}

void ShellBrowser::ClearItems() {
    // Each entry releases its ID lists with the list's block.
    if (model_) {
        model_->setItems(ShellItemList());
    }
    listedStamp_ = shell::FolderStamp();
}

int ShellBrowser::CompareItems(const ShellItem& a, const ShellItem& b) const {
    return CompareForDisplay(a.RelativeID, b.RelativeID, *collator_);
}

void ShellBrowser::updatePathList(shell::ConstIdPtr absoluteId) {
    int entry = cbPath->findText(currentPath_, Qt::MatchFixedString); // letter case ignored
    if (entry < 0) {
        cbPath->insertItem(0, currentPath_,
                           QByteArray(reinterpret_cast<const char*>(absoluteId),
                                      static_cast<qsizetype>(shell::IdListSize(absoluteId))));
        entry = 0;
    }
    cbPath->setCurrentIndex(entry);
    cbPath->setEditText(cbPath->itemText(entry));
}

void ShellBrowser::selectFirstRow() {
    if (ShellItems().empty()) {
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

void ShellBrowser::FillDetails(int first, int last) {
    const ShellItemList& items = ShellItems();
    const int count = static_cast<int>(items.size());
    if (first < 0 || last < 0 || first >= count || last >= count) {
        return;
    }
    for (int row = first; row <= last; ++row) {
        const auto entry = static_cast<std::size_t>(row);
        if (items.Details(entry)) {
            continue;
        }
        const shell::ConstIdPtr relative = items.RelativeID(entry);
        ShellItemDetails details;
        details.AbsoluteID.reset(shell::JoinIdLists(currentFolderId_.get(), relative));
        const QString path =
            ItemDisplayName(desktopFolder_, details.AbsoluteID.get(), shell::NameForm::ForParsing);
        const QMimeType type =
            IsFolderItem(currentFolder_, relative)
                ? mimeDatabase_.mimeTypeForName(QStringLiteral("inode/directory"))
                : mimeDatabase_.mimeTypeForFile(path);
        details.ImageIndex = IconIndexOf(type);
        details.TypeName = typeDescription(type).left(kTypeNameLimit);
        const shell::FindData data = currentFolder_.GetFindData(relative);
        details.SizeKB = shell::SizeInKB(data.size);
        details.ModifiedText = modifiedText(data);
        details.Attributes = data.attributes;
        model_->setDetails(entry, std::move(details));
    }
}

QString ShellBrowser::ItemDisplayName(const shell::ShellFolder& folder, shell::ConstIdPtr list,
                                      shell::NameForm form) const {
    return fromNative(folder.GetDisplayNameOf(list, form));
}

bool ShellBrowser::IsFolderItem(const shell::ShellFolder& folder,
                                shell::ConstIdPtr relative) const {
    return folder.IsFolder(relative);
}

int ShellBrowser::IconIndexOf(const QMimeType& type) {
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

void ShellBrowser::Open() {
    runGuarded(this, [this] {
        const QModelIndexList selected = currentItemView()->selectionModel()->selectedIndexes();
        if (selected.isEmpty()) {
            return;
        }
        const int row = selected.constFirst().row();
        if (row < 0 || static_cast<std::size_t>(row) >= ShellItems().size()) {
            return;
        }
        const shell::ConstIdPtr relative = ShellItems().RelativeID(static_cast<std::size_t>(row));
        if (!IsFolderItem(currentFolder_, relative)) {
            return; // files are never opened or started
        }
        const shell::IdList target(shell::JoinIdLists(currentFolderId_.get(), relative));
        NavigateToID(target.get());
    });
}

void ShellBrowser::Back() {
    runGuarded(this, [this] {
        const shell::IdList parent(shell::CopyIdList(currentFolderId_.get()));
        // Never above SourceFolder: the folder shown, not the path combo's
        // text, which the user may have edited without confirming it.
        if (desktopFolder_.GetDisplayNameOf(currentFolderId_.get(), shell::NameForm::ForParsing) ==
            sourcePath_) {
            return;
        }
        shell::RemoveLastId(parent.get());
        if (shell::IdListIsEmpty(parent.get())) {
            beeper_();
            return;
        }
        NavigateToID(parent.get());
    });
}

void ShellBrowser::PathSelected() {
    runGuarded(this, [this] {
        const QString text = cbPath->currentText();
        const int entry = cbPath->findText(text, Qt::MatchFixedString);
        if (entry >= 0) {
            const QByteArray id = cbPath->itemData(entry).toByteArray();
            NavigateToID(reinterpret_cast<shell::ConstIdPtr>(id.constData()));
        } else {
            NavigateToPath(text);
        }
    });
}

bool ShellBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == cbPath->lineEdit()) {
        if (enter) {
            PathSelected();
            return true;
        }
    } else if (watched == iconView_ || watched == reportView_) {
        if (enter) {
            Open();
            return true;
        }
        if (key == Qt::Key_Backspace) {
            Back();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tornavel::ui
