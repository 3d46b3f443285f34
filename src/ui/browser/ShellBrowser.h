#pragma once

#include "platform/ShellNamespace.h"
#include "ui/browser/ShellItemModel.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QMimeDatabase>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

class QButtonGroup;
class QComboBox;
class QListView;
class QStackedWidget;
class QToolBar;
class QToolButton;
class QTableView;
class QAbstractItemModel;
class QAbstractItemView;
class QModelIndex;

namespace tornavel::ui {

class NameCollator;

// The file browser of the page "Soubory": a viewer of SourceFolder and its
// sub-folders with the toolbar toolBar and the virtual list listView.
class ShellBrowser : public QWidget {
    Q_OBJECT
public:
    enum class ViewStyle { LargeIcons = 0, SmallIcons = 1, List = 2, Details = 3 };

    explicit ShellBrowser(QWidget* parent = nullptr);
    ~ShellBrowser() override;

    // ---- What the main window calls --------------------------------------
    // The set-up of the start-up step: the view style by its stored name (see
    // setViewStyleByName), a fresh root folder, an empty item list, then
    // navigateToPath(sourceFolder). sourceFolder ends with the native separator
    // and is also the limit of Back. Throws Error when the folder cannot be shown.
    void setUp(const QString& typView, const QString& sourceFolder);
    // Sets the view for "vsIcon", "vsSmallIcon", "vsList" or "vsReport" (exact
    // letter case) and returns true; any other text leaves the view as it is.
    bool setViewStyleByName(const QString& name);
    // The name of the view in use, as the settings file stores it.
    QString viewStyleName() const;
    ViewStyle viewStyle() const { return viewStyle_; }
    void setViewStyle(ViewStyle style);
    // Empties the path list pathBox (a confirmed change of SourceFolder).
    void clearPathList();

    // ---- The browser's operations (throw Error on failure) ----------------
    void navigateToPath(const QString& path);
    void navigateToId(shell::ConstIdPtr absoluteId);
    void fillFolder(shell::ShellFolder folder);
    void clearItems();
    void fillDetails(int first, int last);
    QString itemDisplayName(const shell::ShellFolder& folder, shell::ConstIdPtr list,
                            shell::NameForm form) const;
    bool isFolderItem(const shell::ShellFolder& folder, shell::ConstIdPtr relative) const;
    // The icon of an item of this MIME type, as an index into the image list.
    int iconIndexOf(const QMimeType& type);
    // Folders before files, each group by name (Czech order, numbers by value),
    // names equal but for letter case by their bytes.
    int compareItems(const ShellItem& a, const ShellItem& b) const;

    // ---- User actions (guarded: a failure shows the standard error box) ----
    void open();
    void back();
    void pathSelected();

    // ---- State -----------------------------------------------------------
    const ShellItemList& shellItems() const { return model_->items(); }
    const QString& currentPath() const { return currentPath_; }
    const shell::ShellFolder& currentFolder() const { return currentFolder_; }
    const QList<QIcon>& imageList() const { return imageList_; }
    ShellItemModel* model() const { return model_; }
    // The item view that shows the current view style.
    QAbstractItemView* currentItemView() const;
    QListView* iconView() const { return iconView_; }
    QTableView* reportView() const { return reportView_; }

    // How many times a folder has been listed: a return to a folder that has
    // not changed since its listing shows that listing again.
    int enumerationCount() const { return enumerations_; }

    // What a refused Back does; the default beeps.
    void setBeeper(std::function<void()> beeper) { beeper_ = std::move(beeper); }

    // The controls, named as the page "Soubory" names them.
    QToolBar* toolBar = nullptr;
    QToolButton* backButton = nullptr;
    QToolButton* btnLargeIcons = nullptr;
    QToolButton* btnSmallIcons = nullptr;
    QToolButton* btnList = nullptr;
    QToolButton* btnReport = nullptr;
    QComboBox* pathBox = nullptr;
    QStackedWidget* listView = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void buildViews();
    // The columns' first widths: the original's, widened where the header
    // or a typical value needs more room in this font.
    void setInitialColumnWidths();
    // The height of a row of the lists, also of the details' rows.
    int lineHeight() const;
    void updatePathList(shell::ConstIdPtr absoluteId);
    void selectFirstRow();
    void giveModelTo(QAbstractItemView* shown);
    static void setViewModel(QAbstractItemView* view, QAbstractItemModel* model);
    QString typeDescription(const QMimeType& type);
    QString modifiedText(const shell::FindData& data) const;

    shell::ShellFolder desktopFolder_;
    shell::ShellFolder currentFolder_;
    shell::IdList currentFolderId_;
    QString currentPath_;
    std::string sourcePath_; // SourceFolder as the namespace names it: the limit of Back
    ViewStyle viewStyle_ = ViewStyle::SmallIcons;
    // The current folder's stamp as read before its listing; untrusted while
    // no listing is shown.
    shell::FolderStamp listedStamp_;
    int enumerations_ = 0;

    ShellItemModel* model_ = nullptr;
    QListView* iconView_ = nullptr;
    QTableView* reportView_ = nullptr;
    QButtonGroup* viewButtons_ = nullptr;
    std::array<int, ShellItemModel::ColumnCount> columnWidths_{};

    std::unique_ptr<NameCollator> collator_;
    QMimeDatabase mimeDatabase_;
    QList<QIcon> imageList_;
    QHash<QString, int> imageIndexByIcon_;
    QHash<QString, QString> typeNameByMime_;
    std::function<void()> beeper_;
};

} // namespace tornavel::ui
