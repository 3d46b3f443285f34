#include "ui/console/CompilerConsole.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <cmath>

namespace tornavel::ui {
namespace {

// The bar's range: its value is a share of the bytes, which an int cannot hold.
constexpr int kProgressSteps = 1000;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CompilerConsole::CompilerConsole(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("Kompilace"));
    setWindowTitle(QStringLiteral("Kompilace"));
    resize(720, 420);

    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("Notice"));
    notice_->setWordWrap(true);
    notice_->setTextFormat(Qt::PlainText);
    notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notice_->hide();

    output_ = new QPlainTextEdit(this);
    output_->setObjectName(QStringLiteral("Output"));
    output_->setReadOnly(true);
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    output_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The view follows the output while it stands at the end; a person who
    // scrolls up to read keeps the place until scrolling back to the end.
    QScrollBar* scroll = output_->verticalScrollBar();
    connect(scroll, &QScrollBar::valueChanged, this,
            [this, scroll](int value) { following_ = value == scroll->maximum(); });
    connect(scroll, &QScrollBar::rangeChanged, this, [this, scroll](int, int maximum) {
        if (following_) {
            scroll->setValue(maximum);
        }
    });

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Status"));
    status_->setTextFormat(Qt::PlainText);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Prubeh"));
    progress_->hide();

    file_ = new QLabel(this);
    file_->setObjectName(QStringLiteral("Soubor"));
    file_->setTextFormat(Qt::PlainText);
    // A long path must not widen the window.
    file_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    file_->hide();

    stopButton_ = new QPushButton(QStringLiteral("&Zastavit"), this);
    stopButton_->setObjectName(QStringLiteral("StopButton"));
    stopButton_->setEnabled(false);
    connect(stopButton_, &QPushButton::clicked, this, [this] {
        stopButton_->setEnabled(false);
        status_->setText(QStringLiteral("Zastavuji kompilaci…"));
        Q_EMIT stopRequested();
    });

    closeButton_ = new QPushButton(QStringLiteral("Za&vřít"), this);
    closeButton_->setObjectName(QStringLiteral("CloseButton"));
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(stopButton_);
    bottom->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notice_);
    layout->addWidget(output_, 1);
    layout->addWidget(progress_);
    layout->addWidget(file_);
    layout->addLayout(bottom);
}

void CompilerConsole::beginBuild() {
    hide();
    notice_->clear();
    notice_->hide();
    following_ = true;
    output_->clear();
    output_->setExtraSelections({});
    status_->clear();
    endProgress();
}

void CompilerConsole::notice(const std::string& text) {
    // Each notice of the build on a line of its own, none lost.
    const QString earlier = notice_->text();
    notice_->setText((earlier.isEmpty() ? QString() : earlier + QLatin1Char('\n')) +
                     fromUtf8(text));
    notice_->show();
    showUp();
}

void CompilerConsole::compilerStarted(const std::string& commandLine) {
    output_->appendPlainText(fromUtf8(commandLine));
    status_->setText(QStringLiteral("Kompilace běží…"));
    progress_->setRange(0, 0); // busy until the compiler packs its first file
    progress_->show();
    stopButton_->setEnabled(true);
    showUp();
}

void CompilerConsole::compilerProgress(const PackingProgress& progress) {
    file_->setText(fromUtf8(progress.file));
    file_->show();
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(static_cast<int>(std::lround(progress.fraction() * kProgressSteps)));
    progress_->setFormat(fromUtf8(progress.bytesText()));
}

void CompilerConsole::compilerStopped() {
    endProgress();
    output_->setExtraSelections({});
    status_->setText(QStringLiteral("Kompilace byla zastavena."));
    showUp();
}

void CompilerConsole::endProgress() {
    progress_->hide();
    progress_->setRange(0, 1);
    progress_->reset();
    file_->clear();
    file_->hide();
    stopButton_->setEnabled(false);
}

void CompilerConsole::compilerLine(const std::string& line) {
    output_->appendPlainText(fromUtf8(line));
}

void CompilerConsole::compilerFinished(std::uint32_t exitCode, const std::string& errorLine) {
    endProgress();
    if (exitCode == 0) {
        status_->setText(QStringLiteral("Kompilace byla úspěšně dokončena."));
        // The notice must stay readable; without one the window has done its job.
        if (notice_->isHidden()) {
            hide();
        }
        return;
    }
    status_->setText(QStringLiteral("Kompilátor skončil s chybovým kódem %1.").arg(exitCode));
    if (!errorLine.empty()) {
        markLine(fromUtf8(errorLine));
    }
    showUp();
}

void CompilerConsole::compilerFailed(const std::string& message) {
    endProgress();
    status_->setText(QStringLiteral("Kompilátor nelze spustit: %1").arg(fromUtf8(message)));
    showUp();
}

QString CompilerConsole::markedLine() const {
    const auto selections = output_->extraSelections();
    return selections.isEmpty() ? QString() : selections.constFirst().cursor.block().text();
}

void CompilerConsole::showUp() {
    show();
    raise();
}

// Highlights the first block that holds the line and scrolls to it.
void CompilerConsole::markLine(const QString& line) {
    for (QTextBlock block = output_->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text() != line) {
            continue;
        }
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(block);
        selection.format.setBackground(QColor(255, 214, 214));
        selection.format.setForeground(QColor(Qt::black));
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
        output_->setExtraSelections({selection});
        output_->setTextCursor(selection.cursor);
        output_->centerCursor();
        return;
    }
}

} // namespace tornavel::ui
