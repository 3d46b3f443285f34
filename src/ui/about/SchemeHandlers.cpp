#include "ui/about/SchemeHandlers.h"

#include <QProcess>
#include <QStandardPaths>

namespace tornavel::ui {

bool DesktopHasHandlerFor(const QString& scheme) {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) {
        return true;
    }
    QProcess query;
    query.setProcessChannelMode(QProcess::SeparateChannels);
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("x-scheme-handler/") + scheme});
    // The query reads a few small files; a desktop that does not answer in
    // a few seconds is not asked further.
    if (!query.waitForStarted(5000)) {
        return true;
    }
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace tornavel::ui
