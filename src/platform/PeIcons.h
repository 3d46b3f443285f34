#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// The icons held by a Windows program or library (PE, 32- and 64-bit), a
// 16-bit icon library (NE, the ".icl" files) or an icon file (".ico"), found
// the way the shell's ExtractIcon finds them: icon k of a program is its k-th
// icon group resource in the order of its resource table; an icon file holds
// one icon. Each icon comes out as a complete icon-file byte stream holding
// every image of its group, which an icon-file decoder (Qt's "ICO" reader)
// draws.
//
// The bytes come from files the user merely has lying about, so every offset
// and size read from them is checked; a damaged or hostile file yields fewer
// icons or none, never a crash, and nothing it says can make the parser
// allocate more than a bounded amount.

// One icon stream never grows beyond this, however many images its group
// names (a hostile group can name the same large image thousands of times).
inline constexpr std::size_t kMaxIconImageBytes = std::size_t{16} * 1024 * 1024;
// Images taken from one group; real groups hold a few dozen at most. Images
// larger than 256 x 256, the largest an icon can be, are left out too.
inline constexpr int kMaxImagesPerIcon = 256;

// A file's icons, parsed once so that drawing all icons of a large library
// does not walk its resource table once per icon.
class IconSource {
public:
    // An empty source: no icons.
    IconSource() = default;
    // Parses bytes (a whole file). Never throws for malformed data.
    explicit IconSource(std::string bytes);
    // Parses bytes that storage keeps alive (a mapped file).
    IconSource(std::shared_ptr<const void> storage, std::string_view bytes);

    // The number of icons: icon groups of a program or library, 1 for an icon
    // file, 0 for anything else.
    int count() const { return static_cast<int>(groups_.size()); }
    // Icon k (0-based) as an icon-file byte stream; nothing when k is out of
    // range or the icon's data is damaged.
    std::optional<std::string> image(int k) const;

    // How the file was recognised.
    enum class Format { None, Ico, Pe, Ne };
    Format format() const { return format_; }

private:
    struct Range {
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
    };
    // One image of an icon-file directory, already located.
    struct IcoImage {
        std::string entry; // the first 12 bytes of the directory entry
        Range data;
    };

    void parse();
    void parseIco();
    void parsePe(std::uint64_t header);
    void parseNe(std::uint64_t header);
    std::optional<std::string> groupImage(const Range& group) const;

    std::shared_ptr<const void> storage_; // holds the bytes: a string or a file mapping
    std::string_view bytes_;
    Format format_ = Format::None;
    // Programs and libraries: the group resources, and the images by icon id.
    std::vector<Range> groups_;
    std::vector<std::pair<std::uint16_t, Range>> iconsById_; // sorted by id
    // Icon files: the images of the one icon.
    std::vector<IcoImage> icoImages_;
};

// The number of icons in a file's bytes (ExtractIcon with index -1).
int IconCount(std::string_view bytes);
// Icon k of a file's bytes as an icon-file byte stream.
std::optional<std::string> IconImage(std::string_view bytes, int k);

// Reads a file for its icons. The file is mapped, not read, so a program of
// any size costs only the pages its resources lie in. A folder or anything
// else that is not a regular file gives an empty source (no icons), as it
// would to ExtractIcon. Throws InOutError when the file cannot be opened or
// mapped (missing, access denied).
IconSource LoadIconSource(const std::string& path);

} // namespace tornavel
