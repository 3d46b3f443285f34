#pragma once

#include "installer/BuildConsole.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace tornavel::ui {

// The window "Kompilace": what a build has to say besides its questions. It
// shows the build's notices (the folders the installer leaves out, the links
// that lead out of the source folder), one per line, above a read-only,
// monospaced view that holds the compiler's command line and then its output,
// line by line as it arrives, keeping the newest line in view unless the
// person has scrolled up to read (scrolled back to the end, it follows
// again), and below it the compile's progress: a bar of the bytes the
// compiler has packed of those the script installs, with their sizes as its
// text (busy until the first file, such as while wine's prefix is being
// made), the file it packs, and "Zastavit", which asks for the compile to
// end (stopRequested). It is an ordinary window, never modal: the build waits
// with the event pump running, so the main window and this one stay
// responsive. After a failure it stays open with the exit code and the
// compiler's error line marked; after a success it closes itself unless it
// holds a notice.
class CompilerConsole : public QWidget, public BuildConsole {
    Q_OBJECT
public:
    explicit CompilerConsole(QWidget* owner);

    // Empties and hides the window for a new build; it shows itself when the
    // build has something to say.
    void beginBuild();

    void notice(const std::string& text) override;
    void compilerStarted(const std::string& commandLine) override;
    void compilerLine(const std::string& line) override;
    void compilerFinished(std::uint32_t exitCode, const std::string& errorLine) override;
    void compilerFailed(const std::string& message) override;
    void compilerProgress(const PackingProgress& progress) override;
    void compilerStopped() override;

    // The marked error line; empty when none is marked.
    QString markedLine() const;

    QLabel* noticeLabel() const { return notice_; }
    QPlainTextEdit* outputView() const { return output_; }
    QLabel* statusLabel() const { return status_; }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* stopButton() const { return stopButton_; }

Q_SIGNALS:
    // "Zastavit" was pressed while the compiler runs.
    void stopRequested();

private:
    void showUp();
    void markLine(const QString& line);
    void endProgress();

    QLabel* notice_;         // the notice, hidden without one
    QPlainTextEdit* output_; // the command line, then the compiler's output
    QLabel* status_;         // running, or how the compiler ended
    QProgressBar* progress_; // bytes packed of those the script installs, in steps
    bool following_ = true;  // the view shows the newest line
    QLabel* file_;           // the file being packed
    QPushButton* stopButton_;
    QPushButton* closeButton_;
};

} // namespace tornavel::ui
