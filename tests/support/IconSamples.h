#pragma once

// Sample files with icons, assembled byte by byte: icon files, Windows
// programs (32- and 64-bit) and 16-bit icon libraries. Header-only so that
// both the core tests and the GUI tests can build them.

#include <cstdint>
#include <string>
#include <vector>

namespace tornavel::test {

// One image of an icon: a square of one colour.
struct SampleImage {
    int size = 16;
    std::uint32_t argb = 0xFFFF0000; // opaque red
};
// One icon: one or more images (sizes) of it.
using SampleIcon = std::vector<SampleImage>;

inline void appendU16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
inline void appendU32(std::string& out, std::uint32_t v) {
    appendU16(out, v & 0xFFFF);
    appendU16(out, v >> 16);
}
inline void putU16At(std::string& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void putU32At(std::string& out, std::size_t at, std::uint32_t v) {
    putU16At(out, at, v & 0xFFFF);
    putU16At(out, at + 2, v >> 16);
}
inline void padTo(std::string& out, std::size_t alignment) {
    while (out.size() % alignment != 0) {
        out.push_back('\0');
    }
}

// The image as an icon stores it: a 32-bit device-independent bitmap of
// twice the height (colour rows, then the transparency mask), bottom-up.
inline std::string sampleBitmap(const SampleImage& image) {
    std::string out;
    appendU32(out, 40);
    appendU32(out, static_cast<std::uint32_t>(image.size));
    appendU32(out, static_cast<std::uint32_t>(image.size * 2));
    appendU16(out, 1);  // planes
    appendU16(out, 32); // bits per pixel
    for (int i = 0; i < 6; ++i) {
        appendU32(out, 0); // compression, image size, resolution, colours
    }
    for (int p = 0; p < image.size * image.size; ++p) {
        appendU32(out, image.argb); // stored as B, G, R, A
    }
    const int maskRow = (image.size + 31) / 32 * 4;
    out.append(static_cast<std::size_t>(maskRow * image.size), '\0'); // all opaque
    return out;
}

// The 12 bytes an icon-file entry and a group entry share.
inline std::string sampleEntryHeader(const SampleImage& image, std::size_t bytes) {
    std::string out;
    out.push_back(static_cast<char>(image.size >= 256 ? 0 : image.size));
    out.push_back(static_cast<char>(image.size >= 256 ? 0 : image.size));
    out.push_back('\0'); // colours
    out.push_back('\0'); // reserved
    appendU16(out, 1);
    appendU16(out, 32);
    appendU32(out, static_cast<std::uint32_t>(bytes));
    return out;
}

inline std::string sampleIcoFile(const SampleIcon& icon) {
    std::string out;
    appendU16(out, 0);
    appendU16(out, 1);
    appendU16(out, static_cast<std::uint32_t>(icon.size()));
    std::size_t offset = 6 + 16 * icon.size();
    std::string images;
    for (const auto& image : icon) {
        const std::string bitmap = sampleBitmap(image);
        out += sampleEntryHeader(image, bitmap.size());
        appendU32(out, static_cast<std::uint32_t>(offset));
        offset += bitmap.size();
        images += bitmap;
    }
    return out + images;
}

// Resources of a program or library: images get the ids 1, 2, ... in order of
// appearance; the groups get the ids 101, 102, ...
struct SampleResources {
    std::vector<std::string> images;                    // bitmaps by id - 1
    std::vector<std::string> groups;                    // group data by id - 101
    static constexpr std::uint16_t kFirstGroupId = 101; // keeps image and group ids apart
};

inline SampleResources sampleResources(const std::vector<SampleIcon>& icons) {
    SampleResources r;
    for (const auto& icon : icons) {
        std::string group;
        appendU16(group, 0);
        appendU16(group, 1);
        appendU16(group, static_cast<std::uint32_t>(icon.size()));
        for (const auto& image : icon) {
            r.images.push_back(sampleBitmap(image));
            group += sampleEntryHeader(image, r.images.back().size());
            appendU16(group, static_cast<std::uint32_t>(r.images.size()));
        }
        r.groups.push_back(group);
    }
    return r;
}

inline std::string sampleDosHeader(std::uint32_t newHeader) {
    std::string out(64, '\0');
    out[0] = 'M';
    out[1] = 'Z';
    putU32At(out, 0x3C, newHeader);
    return out;
}

// A Windows program with one section ".rsrc" holding the resources. With no
// resources the program has no resource table at all. dataEntries receives
// the file offsets of the resources' data entries (images, then groups).
inline std::string samplePeFile(const SampleResources& res, bool is64Bit,
                                std::vector<std::size_t>* dataEntryOffsets = nullptr) {
    constexpr std::uint32_t kSectionRva = 0x1000;
    constexpr std::uint32_t kSectionFileOffset = 0x200;

    // The resource section: root (types 3 and 14), then each type's names,
    // then one language directory per name, then the data entries and data.
    struct Item {
        std::uint32_t type, id;
        const std::string* data;
    };
    std::vector<Item> items;
    for (std::size_t i = 0; i < res.images.size(); ++i) {
        items.push_back({3, static_cast<std::uint32_t>(i + 1), &res.images[i]});
    }
    for (std::size_t i = 0; i < res.groups.size(); ++i) {
        items.push_back(
            {14, static_cast<std::uint32_t>(SampleResources::kFirstGroupId + i), &res.groups[i]});
    }
    const std::uint32_t nIcons = static_cast<std::uint32_t>(res.images.size());
    const std::uint32_t nGroups = static_cast<std::uint32_t>(res.groups.size());
    const std::uint32_t iconDir = 16 + 8 * 2;
    const std::uint32_t groupDir = iconDir + 16 + 8 * nIcons;
    const std::uint32_t langDirs = groupDir + 16 + 8 * nGroups;
    const std::uint32_t dataEntries = langDirs + 24 * static_cast<std::uint32_t>(items.size());
    std::uint32_t dataAt = dataEntries + 16 * static_cast<std::uint32_t>(items.size());

    std::string rsrc;
    auto directory = [&rsrc](std::uint32_t ids) {
        for (int i = 0; i < 12; ++i) {
            rsrc.push_back('\0');
        }
        appendU16(rsrc, 0);   // named entries
        appendU16(rsrc, ids); // numbered entries
    };
    directory(2);
    appendU32(rsrc, 3);
    appendU32(rsrc, 0x80000000u | iconDir);
    appendU32(rsrc, 14);
    appendU32(rsrc, 0x80000000u | groupDir);
    directory(nIcons);
    for (std::uint32_t i = 0; i < items.size(); ++i) {
        if (i == nIcons) {
            directory(nGroups);
        }
        appendU32(rsrc, items[i].id);
        appendU32(rsrc, 0x80000000u | (langDirs + 24 * i));
    }
    if (nIcons == items.size()) {
        directory(nGroups);
    }
    for (std::uint32_t i = 0; i < items.size(); ++i) {
        directory(1);
        appendU32(rsrc, 0x409); // English (United States)
        appendU32(rsrc, dataEntries + 16 * i);
    }
    for (const auto& item : items) {
        if (dataEntryOffsets) {
            dataEntryOffsets->push_back(kSectionFileOffset + rsrc.size());
        }
        appendU32(rsrc, kSectionRva + dataAt);
        appendU32(rsrc, static_cast<std::uint32_t>(item.data->size()));
        appendU32(rsrc, 0);
        appendU32(rsrc, 0);
        dataAt += static_cast<std::uint32_t>((item.data->size() + 3) / 4 * 4);
    }
    for (const auto& item : items) {
        rsrc += *item.data;
        padTo(rsrc, 4);
    }
    padTo(rsrc, 0x200);

    std::string out = sampleDosHeader(0x40);
    out += std::string("PE\0\0", 4);
    const std::uint32_t optionalSize = is64Bit ? 240 : 224;
    appendU16(out, is64Bit ? 0x8664 : 0x14C); // machine
    appendU16(out, 1);                        // sections
    appendU32(out, 0);                        // time stamp
    appendU32(out, 0);                        // symbol table
    appendU32(out, 0);                        // symbols
    appendU16(out, optionalSize);
    appendU16(out, is64Bit ? 0x2022 : 0x2102); // a library
    const std::size_t optional = out.size();
    out.append(optionalSize, '\0');
    putU16At(out, optional, is64Bit ? 0x20B : 0x10B);
    const std::size_t directories = optional + (is64Bit ? 112 : 96);
    putU32At(out, directories - 4, 16); // number of data directories
    if (!items.empty()) {
        putU32At(out, directories + 16, kSectionRva);
        putU32At(out, directories + 20, static_cast<std::uint32_t>(rsrc.size()));
    }
    std::string section(40, '\0');
    section.replace(0, 5, ".rsrc");
    putU32At(section, 8, static_cast<std::uint32_t>(rsrc.size()));
    putU32At(section, 12, kSectionRva);
    putU32At(section, 16, static_cast<std::uint32_t>(rsrc.size()));
    putU32At(section, 20, kSectionFileOffset);
    putU32At(section, 36, 0x40000040u); // initialised data, readable
    out += section;
    out.resize(kSectionFileOffset, '\0');
    return out + rsrc;
}

inline std::string samplePeFile(const std::vector<SampleIcon>& icons, bool is64Bit) {
    return samplePeFile(sampleResources(icons), is64Bit);
}

// A 16-bit icon library (".icl"): the resource table names the images
// (type 0x8003) and the groups (type 0x800E); resources are aligned to 16 bytes.
inline std::string sampleNeFile(const SampleResources& res) {
    constexpr std::uint32_t kShift = 4;
    const std::uint32_t nIcons = static_cast<std::uint32_t>(res.images.size());
    const std::uint32_t nGroups = static_cast<std::uint32_t>(res.groups.size());

    const std::uint32_t neHeader = 0x40;
    const std::uint32_t tableAt = 0x40; // relative to the NE header
    const std::uint32_t tableSize = 2 + (8 + 12 * nIcons) + (8 + 12 * nGroups) + 2;
    const std::uint32_t residentNames = tableAt + tableSize;

    std::string out = sampleDosHeader(neHeader);
    std::string ne(64, '\0');
    ne[0] = 'N';
    ne[1] = 'E';
    putU16At(ne, 0x24, tableAt);
    putU16At(ne, 0x26, residentNames);
    putU16At(ne, 0x32, kShift);
    out += ne;

    std::uint32_t dataAt = (neHeader + residentNames + 16 + 15) / 16 * 16;
    std::string data;
    std::string table;
    appendU16(table, kShift);
    auto typeInfo = [&](std::uint32_t type, const std::vector<std::string>& list,
                        std::uint32_t firstId) {
        appendU16(table, type);
        appendU16(table, static_cast<std::uint32_t>(list.size()));
        appendU32(table, 0);
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::uint32_t length = static_cast<std::uint32_t>((list[i].size() + 15) / 16);
            appendU16(table, (dataAt + static_cast<std::uint32_t>(data.size())) >> kShift);
            appendU16(table, length);
            appendU16(table, 0x1C30); // moveable, pure, discardable
            appendU16(table, 0x8000 | (firstId + static_cast<std::uint32_t>(i)));
            appendU32(table, 0);
            data += list[i];
            padTo(data, 16);
        }
    };
    typeInfo(0x8003, res.images, 1);
    typeInfo(0x800E, res.groups, SampleResources::kFirstGroupId);
    appendU16(table, 0);
    out += table;
    out.push_back('\0'); // empty resident-name table
    out.resize(dataAt, '\0');
    return out + data;
}

inline std::string sampleNeFile(const std::vector<SampleIcon>& icons) {
    return sampleNeFile(sampleResources(icons));
}

} // namespace tornavel::test
