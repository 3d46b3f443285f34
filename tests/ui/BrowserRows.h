#pragma once

#include "ui/browser/ShellBrowser.h"

#include <QAbstractItemView>
#include <QDateTime>
#include <QFile>
#include <QItemSelectionModel>
#include <QString>
#include <QStringList>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>

// The browser's rows as the tests look at them, found by their shown names.

// The row showing `name`, or -1.
inline int rowOf(const tornavel::ui::ShellBrowser& browser, const QString& name) {
    const auto& items = browser.shellItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].displayName == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// What the row showing `name` shows in `column`.
inline QString cell(const tornavel::ui::ShellBrowser& browser, const QString& name, int column,
                    int role = Qt::DisplayRole) {
    const int row = rowOf(browser, name);
    if (row < 0) {
        return QStringLiteral("<no row %1>").arg(name);
    }
    return browser.model()->data(browser.model()->index(row, column), role).toString();
}

inline QStringList shownNames(const tornavel::ui::ShellBrowser& browser) {
    QStringList names;
    const auto& items = browser.shellItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        names << items[i].displayName;
    }
    return names;
}

// Makes the row showing `name` the current and only selected one.
inline void selectRow(tornavel::ui::ShellBrowser& browser, const QString& name) {
    const int row = rowOf(browser, name);
    QVERIFY2(row >= 0, qPrintable(name));
    browser.currentItemView()->selectionModel()->setCurrentIndex(
        browser.model()->index(row, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Sets the file's or folder's access and modification times to `when`.
inline void setModified(const QString& path, const QDateTime& when) {
    const qint64 secs = when.toSecsSinceEpoch();
    const timespec times[2] = {{secs, 0}, {secs, 0}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}
