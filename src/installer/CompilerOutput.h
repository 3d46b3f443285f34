#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// Turns the compiler's output, which arrives in pieces of any size, into
// lines. The compiler writes in the ANSI code page, Windows-1250 here, with CR
// LF after each line; a lone CR or LF ends a line too. Each line is decoded to
// UTF-8 without its line end; control characters and the bytes the code page
// leaves undefined become U+FFFD, so that they show instead of vanishing.
class CompilerOutputLines {
public:
    explicit CompilerOutputLines(std::function<void(const std::string&)> onLine);

    void feed(std::string_view bytes);
    // Hands over a last line that has no line end.
    void finish();

private:
    void endLine();

    std::function<void(const std::string&)> onLine_;
    std::string pending_; // bytes of the line not yet ended
    bool afterCr_ = false;
};

// Whether a line of the compiler's output reports the error that stopped it:
// "Error on line 5 in …: …" for an error in the script, "Error in …: …" and
// "Error: …" for others, "iscc: Chyba: …" for one of the compiler adapter.
bool IsCompilerErrorLine(std::string_view line);

// Whether a line is wine's own ("wine: …", "wineserver: …"): the reason of a
// failure when the compiler gave none.
bool IsWineFailureLine(std::string_view line);

// How far the compiler has packed the files the script installs, weighed by
// their sizes: a large file moves the bar as far as it is large.
struct PackingProgress {
    std::string file;            // being packed, as the compiler names it; empty after the last
    std::size_t filesDone = 0;   // packed before it
    std::size_t filesTotal = 0;  // the script's files
    std::uint64_t bytesDone = 0; // their sizes
    std::uint64_t bytesTotal = 0;

    // What is done, from 0 to 1: by the bytes, by the count when the files
    // hold no bytes at all.
    double fraction() const;
    // The bytes done of the total, for a person: "12 MB z 350 MB".
    std::string bytesText() const;
};

// A size for a person, in decimal units as the file browser's sizes: "0 B",
// "999 B", "1,5 kB", "12 MB", "2,1 GB"; one decimal below ten.
std::string ReadableByteSize(std::uint64_t bytes);

// Follows the compiler's output through the script's files: the compiler
// names each file as it begins to pack it ("   Compressing: PATH", in the
// order of [Files]), so a file is done when the compiler writes its next
// line, the next file's or whatever follows the last.
class PackingMeter {
public:
    // The sizes of the script's files, in the order of its [Files] lines.
    explicit PackingMeter(std::vector<std::uint64_t> fileSizes);

    // The progress after one line of the compiler's output; nothing when
    // the line changes none.
    std::optional<PackingProgress> follow(std::string_view line);

private:
    std::vector<std::uint64_t> sizes_;
    PackingProgress progress_;
    bool packing_ = false;
};

} // namespace tornavel
