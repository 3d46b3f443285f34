#pragma once

#include <functional>
#include <string>
#include <string_view>

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

} // namespace tornavel
