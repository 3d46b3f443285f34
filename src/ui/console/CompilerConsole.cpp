#include "ui/console/CompilerConsole.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace tornavel::ui {
namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TCompilerConsole::TCompilerConsole(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("Kompilace"));
    setWindowTitle(QStringLiteral("Kompilace"));
    resize(720, 420);

    Notice = new QLabel(this);
    Notice->setObjectName(QStringLiteral("Notice"));
    Notice->setWordWrap(true);
    Notice->setTextFormat(Qt::PlainText);
    Notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Notice->hide();

    Output = new QPlainTextEdit(this);
    Output->setObjectName(QStringLiteral("Output"));
    Output->setReadOnly(true);
    Output->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Output->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    Status = new QLabel(this);
    Status->setObjectName(QStringLiteral("Status"));
    Status->setTextFormat(Qt::PlainText);
    Status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    CloseButton = new QPushButton(QStringLiteral("Zavřít"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Status, 1);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Notice);
    layout->addWidget(Output, 1);
    layout->addLayout(bottom);
}

void TCompilerConsole::beginBuild() {
    hide();
    Notice->clear();
    Notice->hide();
    Output->clear();
    Output->setExtraSelections({});
    Status->clear();
}

void TCompilerConsole::notice(const std::string& text) {
    Notice->setText(fromUtf8(text));
    Notice->show();
    showUp();
}

void TCompilerConsole::compilerStarted(const std::string& commandLine) {
    Output->appendPlainText(fromUtf8(commandLine));
    Status->setText(QStringLiteral("Kompilace běží…"));
    showUp();
}

void TCompilerConsole::compilerLine(const std::string& line) {
    Output->appendPlainText(fromUtf8(line));
}

void TCompilerConsole::compilerFinished(std::uint32_t exitCode, const std::string& errorLine) {
    if (exitCode == 0) {
        Status->setText(QStringLiteral("Kompilace byla úspěšně dokončena."));
        // The notice must stay readable; without one the window has done its job.
        if (Notice->isHidden()) {
            hide();
        }
        return;
    }
    Status->setText(QStringLiteral("Kompilátor skončil s chybovým kódem %1.").arg(exitCode));
    if (!errorLine.empty()) {
        markLine(fromUtf8(errorLine));
    }
    showUp();
}

void TCompilerConsole::compilerFailed(const std::string& message) {
    Status->setText(QStringLiteral("Kompilátor nelze spustit: %1").arg(fromUtf8(message)));
    showUp();
}

QString TCompilerConsole::markedLine() const {
    const auto selections = Output->extraSelections();
    return selections.isEmpty() ? QString() : selections.constFirst().cursor.block().text();
}

void TCompilerConsole::showUp() {
    show();
    raise();
}

// Highlights the first block that holds the line and scrolls to it.
void TCompilerConsole::markLine(const QString& line) {
    for (QTextBlock block = Output->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text() != line) {
            continue;
        }
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(block);
        selection.format.setBackground(QColor(255, 214, 214));
        selection.format.setForeground(QColor(Qt::black));
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
        Output->setExtraSelections({selection});
        Output->setTextCursor(selection.cursor);
        Output->centerCursor();
        return;
    }
}

} // namespace tornavel::ui
