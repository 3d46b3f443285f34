#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace tornavel {

// How a file written atomically treats what is at its path.
struct AtomicWriteOptions {
    // Follow a symbolic link at the path (its target is replaced, the link
    // stays), or replace the link itself with the file.
    bool followLinks = true;
    // The file's permissions; none: those of the file it replaces, else
    // 0666 less the umask.
    std::optional<mode_t> mode;
};

// Writes data to path whole and atomically: a temporary file beside it is
// written, flushed to disk and renamed over path. On failure the temporary
// file is removed, the file at path is exactly as it was, and InOutError
// (the input/output error of the cause, naming path) is thrown.
//
// A symbolic link at path is followed: its target is replaced and the link
// stays a link. When the folder cannot be written but an existing file can
// (a program folder of a system-wide install with a writable settings file),
// the file is written in place instead: its space is reserved first, so that a
// full disk leaves it as it was, then it is overwritten whole and flushed.
void WriteFileAtomically(const std::string& path, std::string_view data);

// The same for a file made piece by piece, so that it need not be held whole:
// the pieces go into the temporary file as they come, and commit() puts it in
// place as WriteFileAtomically does. An object that goes without commit()
// (a failure while the pieces were made) removes its temporary file, and the
// file at path stays exactly as it was. Where the folder cannot be written
// but the file can, the pieces are kept until commit() writes them in place.
// Every failure throws InOutError naming path.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path, const AtomicWriteOptions& options = {});
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    std::string path_;   // as given, for the messages
    std::string target_; // the file the links at path lead to
    std::string temporary_;
    int fd_ = -1;
    mode_t mode_ = 0;
    std::string inPlace_; // the pieces, when the folder cannot be written
    bool writeInPlace_ = false;
    AtomicWriteOptions options_;
};

} // namespace tornavel
