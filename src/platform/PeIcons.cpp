#include "platform/PeIcons.h"

#include "platform/Errors.h"
#include "platform/FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tornavel {
namespace {

// Resource type numbers of Windows programs; 16-bit libraries set the top bit.
constexpr std::uint32_t kRtIcon = 3;
constexpr std::uint32_t kRtGroupIcon = 14;
constexpr std::uint16_t kNeIntegerId = 0x8000;

// Sizes of the fixed records involved.
constexpr std::uint64_t kIconDirSize = 6;        // reserved, type, count
constexpr std::uint64_t kIcoEntrySize = 16;      // icon-file directory entry
constexpr std::uint64_t kGroupEntrySize = 14;    // group resource entry (id instead of offset)
constexpr std::uint64_t kEntryHeaderSize = 12;   // the part both entries share
constexpr std::uint64_t kResDirSize = 16;        // IMAGE_RESOURCE_DIRECTORY
constexpr std::uint64_t kResDirEntrySize = 8;    // IMAGE_RESOURCE_DIRECTORY_ENTRY
constexpr std::uint64_t kResDataEntrySize = 16;  // IMAGE_RESOURCE_DATA_ENTRY
constexpr std::uint64_t kSectionHeaderSize = 40; // IMAGE_SECTION_HEADER
constexpr std::uint64_t kNeTypeInfoSize = 8;
constexpr std::uint64_t kNeNameInfoSize = 12;
constexpr unsigned kMaxNeAlignShift = 24;
// The Windows loader of old refused more sections than this; looking at more
// would only let a hostile file make every address lookup slow.
constexpr std::uint64_t kMaxSections = 96;

// Little-endian reads with bounds checks: every read of the parser goes
// through here, and a read outside the bytes says so instead of reading.
class Bytes {
public:
    explicit Bytes(std::string_view data) : data_(data) {}

    std::uint64_t size() const { return data_.size(); }
    bool has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= data_.size() && length <= data_.size() - offset;
    }
    std::optional<std::uint16_t> u16(std::uint64_t offset) const {
        if (!has(offset, 2)) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(byte(offset) | byte(offset + 1) << 8);
    }
    std::optional<std::uint32_t> u32(std::uint64_t offset) const {
        if (!has(offset, 4)) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(byte(offset)) |
               static_cast<std::uint32_t>(byte(offset + 1)) << 8 |
               static_cast<std::uint32_t>(byte(offset + 2)) << 16 |
               static_cast<std::uint32_t>(byte(offset + 3)) << 24;
    }
    std::string_view view(std::uint64_t offset, std::uint64_t length) const {
        return has(offset, length) ? data_.substr(offset, length) : std::string_view{};
    }

private:
    std::uint32_t byte(std::uint64_t offset) const {
        return static_cast<unsigned char>(data_[offset]);
    }
    std::string_view data_;
};

void putU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void putU32(std::string& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

// An image inside an icon is a PNG stream or a device-independent bitmap
// starting with its 40-byte header. Anything else, or an image whose header
// claims dimensions beyond the largest icon (256 x 256, which a decoder would
// otherwise try to allocate), is not worth handing on.
bool looksLikeIconImage(std::string_view image) {
    static constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";
    static constexpr std::uint32_t kMaxSide = 256;
    if (image.substr(0, kPngSignature.size()) == kPngSignature) {
        // The first chunk is IHDR: length 13, then width and height, big-endian.
        if (image.size() < 24 || image.substr(12, 4) != "IHDR") {
            return false;
        }
        auto bigEndian = [image](std::size_t at) {
            std::uint32_t v = 0;
            for (std::size_t i = 0; i < 4; ++i) {
                v = v << 8 | static_cast<unsigned char>(image[at + i]);
            }
            return v;
        };
        const std::uint32_t width = bigEndian(16);
        const std::uint32_t height = bigEndian(20);
        return width > 0 && width <= kMaxSide && height > 0 && height <= kMaxSide;
    }
    const Bytes bytes(image);
    const auto headerSize = bytes.u32(0);
    const auto width = bytes.u32(4);
    const auto height = bytes.u32(8); // colour and mask rows: twice the icon's height
    const auto planes = bytes.u16(12);
    const auto bitCount = bytes.u16(14);
    if (!headerSize || *headerSize != 40 || image.size() <= 40 || !width || !height || !planes ||
        !bitCount) {
        return false;
    }
    const std::uint32_t bits = *bitCount;
    return *width > 0 && *width <= kMaxSide && *height > 0 && *height <= 2 * kMaxSide &&
           *planes == 1 &&
           (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

// Assembles an icon-file stream from directory entries and their images.
class IcoWriter {
public:
    // Adds one image unless it is implausible or would pass the size limit.
    void add(std::string_view entryHeader, std::string_view image) {
        if (entries_.size() >= static_cast<std::size_t>(kMaxImagesPerIcon) ||
            !looksLikeIconImage(image) || image.size() > 0xFFFFFFFFu ||
            imageBytes_ + image.size() > kMaxIconImageBytes) {
            return;
        }
        entries_.push_back({std::string(entryHeader.substr(0, kEntryHeaderSize - 4)), image});
        imageBytes_ += image.size();
    }

    std::optional<std::string> finish() const {
        if (entries_.empty()) {
            return std::nullopt;
        }
        std::string out;
        out.reserve(kIconDirSize + entries_.size() * kIcoEntrySize + imageBytes_);
        putU16(out, 0);
        putU16(out, 1);
        putU16(out, static_cast<std::uint32_t>(entries_.size()));
        std::uint64_t offset = kIconDirSize + entries_.size() * kIcoEntrySize;
        for (const auto& e : entries_) {
            out += e.header; // width, height, colours, reserved, planes, bit count
            putU32(out, static_cast<std::uint32_t>(e.image.size()));
            putU32(out, static_cast<std::uint32_t>(offset));
            offset += e.image.size();
        }
        for (const auto& e : entries_) {
            out += e.image;
        }
        return out;
    }

private:
    struct Entry {
        std::string header; // 8 bytes
        std::string_view image;
    };
    std::vector<Entry> entries_;
    std::size_t imageBytes_ = 0;
};

// ---- PE resource directory ----------------------------------------------

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

// Maps addresses of the loaded image (RVAs) to file offsets through the
// section table; only the part of a section that the file holds is mapped.
class PeImage {
public:
    PeImage(const Bytes& bytes, std::vector<Section> sections)
        : bytes_(bytes), sections_(std::move(sections)) {}

    // How many bytes from rva on lie in one section and in the file.
    std::uint64_t contiguous(std::uint64_t rva) const {
        std::uint64_t best = 0;
        for (const auto& s : sections_) {
            if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize) {
                continue;
            }
            const std::uint64_t inSection = rva - s.virtualAddress;
            const std::uint64_t offset = std::uint64_t{s.rawOffset} + inSection;
            if (offset >= bytes_.size()) {
                continue;
            }
            best = std::max(best,
                            std::min<std::uint64_t>(s.rawSize - inSection, bytes_.size() - offset));
        }
        return best;
    }

    std::optional<std::uint64_t> offsetOf(std::uint64_t rva, std::uint64_t length) const {
        for (const auto& s : sections_) {
            if (rva < s.virtualAddress) {
                continue;
            }
            const std::uint64_t inSection = rva - s.virtualAddress;
            if (inSection > s.rawSize || length > s.rawSize - inSection) {
                continue;
            }
            const std::uint64_t offset = std::uint64_t{s.rawOffset} + inSection;
            if (bytes_.has(offset, length)) {
                return offset;
            }
        }
        return std::nullopt;
    }

private:
    const Bytes& bytes_;
    std::vector<Section> sections_;
};

struct ResEntry {
    bool named = false;       // identified by a name string rather than a number
    std::uint32_t id = 0;     // the number, when not named
    bool subdir = false;      // points to a further directory rather than to data
    std::uint32_t target = 0; // offset from the start of the resource directory
};

// Reads the entries of the directory at `offset` (relative to the resource
// directory at `base`). Entries that lie outside the file end the list.
std::vector<ResEntry> readResourceDirectory(const Bytes& bytes, const PeImage& image,
                                            std::uint64_t base, std::uint64_t offset) {
    std::vector<ResEntry> entries;
    const auto header = image.offsetOf(base + offset, kResDirSize);
    if (!header) {
        return entries;
    }
    const std::uint64_t named = *bytes.u16(*header + 12);
    const std::uint64_t declared = named + *bytes.u16(*header + 14);
    // The entries follow the header; those that do not lie in the same
    // stretch of the file as the first one are not read.
    const std::uint64_t first = base + offset + kResDirSize;
    const auto start = image.offsetOf(first, kResDirEntrySize);
    if (!start) {
        return entries;
    }
    const std::uint64_t total = std::min(declared, image.contiguous(first) / kResDirEntrySize);
    entries.reserve(total);
    for (std::uint64_t i = 0; i < total; ++i) {
        const std::uint64_t at = *start + i * kResDirEntrySize;
        const std::uint32_t name = *bytes.u32(at);
        const std::uint32_t target = *bytes.u32(at + 4);
        ResEntry e;
        e.named = (name & 0x80000000u) != 0;
        e.id = name & 0x7FFFFFFFu;
        e.subdir = (target & 0x80000000u) != 0;
        e.target = target & 0x7FFFFFFFu;
        entries.push_back(e);
    }
    return entries;
}

// The data of a resource named by a name-level entry: its first language.
std::optional<std::pair<std::uint64_t, std::uint64_t>>
resourceData(const Bytes& bytes, const PeImage& image, std::uint64_t base, const ResEntry& name) {
    std::uint32_t dataEntry = name.target;
    if (name.subdir) {
        const auto languages = readResourceDirectory(bytes, image, base, name.target);
        const auto first = std::find_if(languages.begin(), languages.end(),
                                        [](const ResEntry& e) { return !e.subdir; });
        if (first == languages.end()) {
            return std::nullopt;
        }
        dataEntry = first->target;
    }
    const auto at = image.offsetOf(base + dataEntry, kResDataEntrySize);
    if (!at) {
        return std::nullopt;
    }
    const std::uint32_t rva = *bytes.u32(*at);
    const std::uint32_t size = *bytes.u32(*at + 4);
    const auto offset = image.offsetOf(rva, size);
    if (!offset) {
        return std::nullopt;
    }
    return std::make_pair(*offset, std::uint64_t{size});
}

} // namespace

// ---------------------------------------------------------------------------

IconSource::IconSource(std::string bytes) {
    auto owned = std::make_shared<const std::string>(std::move(bytes));
    bytes_ = *owned;
    storage_ = std::move(owned);
    parse();
}

IconSource::IconSource(std::shared_ptr<const void> storage, std::string_view bytes)
    : storage_(std::move(storage)), bytes_(bytes) {
    parse();
}

void IconSource::parse() {
    const Bytes b(bytes_);
    if (b.u16(0) == 0 && b.u16(2) == 1) {
        parseIco();
        return;
    }
    if (b.view(0, 2) != "MZ") {
        return;
    }
    const auto header = b.u32(0x3C);
    if (!header) {
        return;
    }
    if (b.view(*header, 4) == std::string_view("PE\0\0", 4)) {
        parsePe(*header);
    } else if (b.view(*header, 2) == "NE") {
        parseNe(*header);
    }
    // Looked up by id for every image of every group. The first image of an
    // id wins, as a lookup of that id in the resource table would find it.
    std::stable_sort(iconsById_.begin(), iconsById_.end(),
                     [](const auto& a, const auto& c) { return a.first < c.first; });
}

void IconSource::parseIco() {
    const Bytes b(bytes_);
    const std::uint64_t count = *b.u16(4);
    if (count == 0 || !b.has(kIconDirSize, count * kIcoEntrySize)) {
        return;
    }
    format_ = Format::Ico;
    for (std::uint64_t i = 0; i < count && i < static_cast<std::uint64_t>(kMaxImagesPerIcon); ++i) {
        const std::uint64_t entry = kIconDirSize + i * kIcoEntrySize;
        const Range data{*b.u32(entry + 12), *b.u32(entry + 8)};
        if (b.has(data.offset, data.size)) {
            icoImages_.push_back({std::string(b.view(entry, kEntryHeaderSize)), data});
        }
    }
    // An icon file is one icon, even when none of its images survives: the
    // grid then shows the placeholder in its one cell.
    groups_.push_back({});
}

void IconSource::parsePe(std::uint64_t header) {
    const Bytes b(bytes_);
    const std::uint64_t fileHeader = header + 4;
    const auto sectionCount = b.u16(fileHeader + 2);
    const auto optionalSize = b.u16(fileHeader + 16);
    const std::uint64_t optional = fileHeader + 20;
    const auto magic = b.u16(optional);
    if (!sectionCount || !optionalSize || !magic) {
        return;
    }
    std::uint64_t directoriesAt = 0;
    std::uint64_t directoryCountAt = 0;
    if (*magic == 0x10B) { // 32-bit
        directoryCountAt = optional + 92;
        directoriesAt = optional + 96;
    } else if (*magic == 0x20B) { // 64-bit
        directoryCountAt = optional + 108;
        directoriesAt = optional + 112;
    } else {
        return;
    }
    format_ = Format::Pe;
    const auto directoryCount = b.u32(directoryCountAt);
    const std::uint64_t resourceDirectory =
        directoriesAt + std::uint64_t{2} * 8; // the third data directory
    if (!directoryCount || *directoryCount < 3 ||
        resourceDirectory + 8 > optional + *optionalSize) {
        return;
    }
    const auto resourceRva = b.u32(resourceDirectory);
    if (!resourceRva || *resourceRva == 0) {
        return;
    }

    std::vector<Section> sections;
    const std::uint64_t table = optional + *optionalSize;
    for (std::uint64_t i = 0; i < std::min<std::uint64_t>(*sectionCount, kMaxSections); ++i) {
        const std::uint64_t at = table + i * kSectionHeaderSize;
        if (!b.has(at, kSectionHeaderSize)) {
            break;
        }
        sections.push_back({*b.u32(at + 12), *b.u32(at + 16), *b.u32(at + 20)});
    }
    const PeImage image(b, std::move(sections));
    const std::uint64_t base = *resourceRva;

    for (const ResEntry& type : readResourceDirectory(b, image, base, 0)) {
        if (type.named || !type.subdir || (type.id != kRtGroupIcon && type.id != kRtIcon)) {
            continue;
        }
        const auto names = readResourceDirectory(b, image, base, type.target);
        if (type.id == kRtGroupIcon) {
            if (!groups_.empty()) {
                continue; // a second group table: the first one counts, as for Windows
            }
            for (const ResEntry& name : names) {
                const auto data = resourceData(b, image, base, name);
                groups_.push_back(data ? Range{data->first, data->second} : Range{});
            }
        } else if (iconsById_.empty()) {
            for (const ResEntry& name : names) {
                if (name.named || name.id > 0xFFFF) {
                    continue; // groups name their images by 16-bit numbers only
                }
                if (const auto data = resourceData(b, image, base, name)) {
                    iconsById_.emplace_back(static_cast<std::uint16_t>(name.id),
                                            Range{data->first, data->second});
                }
            }
        }
    }
}

void IconSource::parseNe(std::uint64_t header) {
    const Bytes b(bytes_);
    const auto tableOffset = b.u16(header + 0x24);
    const auto residentNames = b.u16(header + 0x26);
    if (!tableOffset || !residentNames) {
        return;
    }
    format_ = Format::Ne;
    if (*tableOffset == *residentNames) {
        return; // no resource table
    }
    const std::uint64_t table = header + *tableOffset;
    const auto shift = b.u16(table);
    if (!shift || *shift > kMaxNeAlignShift) {
        return;
    }
    // The table ends with a type number of 0; a table that runs off the end
    // of the file ends there.
    std::uint64_t at = table + 2;
    while (true) {
        const auto type = b.u16(at);
        const auto count = b.u16(at + 2);
        if (!type || *type == 0 || !count) {
            break;
        }
        at += kNeTypeInfoSize;
        for (std::uint64_t i = 0; i < *count; ++i, at += kNeNameInfoSize) {
            if (!b.has(at, kNeNameInfoSize)) {
                return;
            }
            const std::uint64_t offset = std::uint64_t{*b.u16(at)} << *shift;
            std::uint64_t length = std::uint64_t{*b.u16(at + 2)} << *shift;
            const std::uint16_t id = *b.u16(at + 6);
            // The length is rounded up to the alignment, so the last resource
            // may reach past the end of a file that was not padded.
            if (offset < b.size()) {
                length = std::min(length, b.size() - offset);
            } else {
                length = 0;
            }
            const Range data{offset, length};
            if (*type == (kNeIntegerId | kRtGroupIcon)) {
                groups_.push_back(length > 0 ? data : Range{});
            } else if (*type == (kNeIntegerId | kRtIcon) && (id & kNeIntegerId) != 0 &&
                       length > 0) {
                iconsById_.emplace_back(static_cast<std::uint16_t>(id & ~kNeIntegerId), data);
            }
        }
    }
}

std::optional<std::string> IconSource::image(int k) const {
    if (k < 0 || k >= count()) {
        return std::nullopt;
    }
    const Bytes b(bytes_);
    if (format_ == Format::Ico) {
        IcoWriter writer;
        for (const auto& img : icoImages_) {
            writer.add(img.entry, b.view(img.data.offset, img.data.size));
        }
        return writer.finish();
    }
    return groupImage(groups_[static_cast<std::size_t>(k)]);
}

std::optional<std::string> IconSource::groupImage(const Range& group) const {
    const Bytes b(bytes_);
    if (group.size < kIconDirSize || !b.has(group.offset, group.size) || b.u16(group.offset) != 0 ||
        b.u16(group.offset + 2) != 1) {
        return std::nullopt;
    }
    const std::uint64_t declared = *b.u16(group.offset + 4);
    const std::uint64_t fits = (group.size - kIconDirSize) / kGroupEntrySize;
    const std::uint64_t count =
        std::min({declared, fits, static_cast<std::uint64_t>(kMaxImagesPerIcon)});
    const auto& byId = iconsById_;

    IcoWriter writer;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t entry = group.offset + kIconDirSize + i * kGroupEntrySize;
        const std::uint16_t id = *b.u16(entry + 12);
        const auto found =
            std::lower_bound(byId.begin(), byId.end(), id,
                             [](const auto& e, std::uint16_t v) { return e.first < v; });
        if (found == byId.end() || found->first != id) {
            continue;
        }
        Range data = found->second;
        // A 16-bit library rounds each resource up to its alignment; the
        // group entry knows the image's true size.
        const std::uint32_t declaredSize = *b.u32(entry + 8);
        if (format_ == Format::Ne && declaredSize > 0) {
            data.size = std::min<std::uint64_t>(data.size, declaredSize);
        }
        if (!b.has(data.offset, data.size)) {
            continue;
        }
        writer.add(b.view(entry, kEntryHeaderSize), b.view(data.offset, data.size));
    }
    return writer.finish();
}

int IconCount(std::string_view bytes) {
    return IconSource(std::string(bytes)).count();
}

std::optional<std::string> IconImage(std::string_view bytes, int k) {
    return IconSource(std::string(bytes)).image(k);
}

IconSource LoadIconSource(const std::string& path) {
    // A FIFO must not block.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0) {
        throw InOutError::fromErrno(errno, path);
    }
    if (!S_ISREG(status.st_mode) || status.st_size == 0) {
        return IconSource();
    }
    const auto length = static_cast<std::size_t>(status.st_size);
    void* address = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd.get(), 0);
    if (address == MAP_FAILED) {
        throw InOutError::fromErrno(errno, path);
    }
    fd.reset(); // the mapping keeps the file's pages
    std::shared_ptr<const void> mapping(
        address, [length](const void* a) { ::munmap(const_cast<void*>(a), length); });
    return IconSource(std::move(mapping),
                      std::string_view(static_cast<const char*>(address), length));
}

} // namespace tornavel
