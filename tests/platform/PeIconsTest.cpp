#include "platform/PeIcons.h"

#include "platform/Errors.h"
#include "support/IconSamples.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

using namespace tornavel;
using namespace tornavel::test;

namespace {

std::uint32_t u16At(std::string_view s, std::size_t at) {
    return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
std::uint32_t u32At(std::string_view s, std::size_t at) {
    return u16At(s, at) | u16At(s, at + 2) << 16;
}

// Checks that a stream is a well-formed icon file whose images follow the
// directory back to back up to its end, and returns the images.
std::vector<std::string> imagesOfStream(const std::string& stream) {
    std::vector<std::string> images;
    EXPECT_GE(stream.size(), 6u);
    if (stream.size() < 6) {
        return images;
    }
    EXPECT_EQ(u16At(stream, 0), 0u);
    EXPECT_EQ(u16At(stream, 2), 1u);
    const std::size_t count = u16At(stream, 4);
    EXPECT_GE(count, 1u);
    std::size_t expectedOffset = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::size_t size = u32At(stream, entry + 8);
        const std::size_t offset = u32At(stream, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        EXPECT_LE(offset + size, stream.size());
        if (offset + size > stream.size()) {
            return images;
        }
        images.push_back(stream.substr(offset, size));
        expectedOffset = offset + size;
    }
    EXPECT_EQ(expectedOffset, stream.size());
    return images;
}

const std::vector<SampleIcon> kThreeIcons = {
    {{16, 0xFFFF0000}, {32, 0xFFFF0000}}, // red, two sizes
    {{24, 0xFF00FF00}},                   // green
    {{32, 0xFF0000FF}, {48, 0xFF0000FF}}, // blue
};

// Every icon of a sample file comes out whole, in order, with its own images.
void expectSampleIcons(const std::string& file, IconSource::Format format) {
    const IconSource source(file);
    EXPECT_EQ(source.format(), format);
    ASSERT_EQ(source.count(), 3);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const auto stream = source.image(k);
        ASSERT_TRUE(stream);
        const auto images = imagesOfStream(*stream);
        const auto& icon = kThreeIcons[static_cast<std::size_t>(k)];
        ASSERT_EQ(images.size(), icon.size());
        for (std::size_t i = 0; i < icon.size(); ++i) {
            EXPECT_TRUE(images[i] == sampleBitmap(icon[i])); // no dump of bitmaps
            EXPECT_EQ(static_cast<unsigned char>((*stream)[6 + 16 * i]), icon[i].size);
        }
    }
    EXPECT_FALSE(source.image(3));
    EXPECT_FALSE(source.image(-1));
    EXPECT_EQ(IconCount(file), 3);
    EXPECT_TRUE(IconImage(file, 1) == source.image(1));
}

// Whatever a damaged file does to the parser, it must not claim more icons
// than there are bytes for, and every icon it gives must be a sound stream.
void expectSoundResult(const std::string& bytes) {
    const IconSource source(bytes);
    ASSERT_GE(source.count(), 0);
    ASSERT_LE(static_cast<std::size_t>(source.count()), bytes.size() / 8 + 1);
    const int limit = std::min(source.count(), 8);
    for (int k = 0; k < limit; ++k) {
        if (const auto stream = source.image(k)) {
            ASSERT_LE(stream->size(), kMaxIconImageBytes + 6 + 16 * kMaxImagesPerIcon);
            const auto images = imagesOfStream(*stream);
            ASSERT_FALSE(images.empty());
            ASSERT_LE(images.size(), static_cast<std::size_t>(kMaxImagesPerIcon));
            // The stream is an icon file in its own right and survives a
            // second pass unchanged.
            const IconSource again(*stream);
            ASSERT_EQ(again.count(), 1);
            ASSERT_TRUE(again.image(0) == stream);
        }
    }
}

} // namespace

TEST(PeIcons, IconFileIsOneIconWithAllItsImages) {
    const SampleIcon icon = {{16, 0xFF102030}, {32, 0xFF405060}};
    const std::string file = sampleIcoFile(icon);
    const IconSource source(file);
    EXPECT_EQ(source.format(), IconSource::Format::Ico);
    ASSERT_EQ(source.count(), 1);
    const auto stream = source.image(0);
    ASSERT_TRUE(stream);
    EXPECT_TRUE(*stream == file); // already in the form it would be rebuilt into
    EXPECT_FALSE(source.image(1));
}

TEST(PeIcons, ProgramsAndLibrariesGiveEachIconGroupInOrder) {
    {
        SCOPED_TRACE("32-bit");
        expectSampleIcons(samplePeFile(kThreeIcons, false), IconSource::Format::Pe);
    }
    {
        SCOPED_TRACE("64-bit");
        expectSampleIcons(samplePeFile(kThreeIcons, true), IconSource::Format::Pe);
    }
    {
        SCOPED_TRACE("16-bit icon library");
        expectSampleIcons(sampleNeFile(kThreeIcons), IconSource::Format::Ne);
    }
}

TEST(PeIcons, FilesWithoutIconsHoldNone) {
    EXPECT_EQ(IconCount(""), 0);
    EXPECT_EQ(IconCount("Hello, world\r\n"), 0);
    EXPECT_EQ(IconCount("MZ"), 0);
    EXPECT_EQ(IconCount(sampleDosHeader(0x40)), 0);
    EXPECT_EQ(IconCount(samplePeFile(std::vector<SampleIcon>{}, false)), 0);
    EXPECT_EQ(IconCount(sampleNeFile(std::vector<SampleIcon>{})), 0);
    // An icon-file header that announces no images, or more than it holds.
    std::string ico = sampleIcoFile({{16, 0xFFFFFFFF}});
    putU16At(ico, 4, 0);
    EXPECT_EQ(IconCount(ico), 0);
    EXPECT_EQ(IconCount(ico.substr(0, 6 + 8)), 0);
    EXPECT_FALSE(IconImage("", 0));
}

TEST(PeIcons, TruncatedFilesLoseIconsButNeverGiveBrokenOnes) {
    const std::vector<std::pair<const char*, std::string>> samples = {
        {"ico", sampleIcoFile(kThreeIcons[0])},
        {"pe32", samplePeFile(kThreeIcons, false)},
        {"pe64", samplePeFile(kThreeIcons, true)},
        {"ne", sampleNeFile(kThreeIcons)},
    };
    for (const auto& [name, file] : samples) {
        SCOPED_TRACE(name);
        const int full = IconCount(file);
        for (std::size_t length = 0; length < file.size(); ++length) {
            const std::string cut = file.substr(0, length);
            ASSERT_LE(IconCount(cut), full) << length;
            expectSoundResult(cut);
        }
    }
}

TEST(PeIcons, ProgramCutInsideItsImagesKeepsTheCountButGivesNoImages) {
    // The resource table comes first, so a program cut short in its image
    // data still has three icons, none of which can be drawn: the chooser
    // shows the standard application icon in each cell.
    const std::string file = samplePeFile(kThreeIcons, false);
    const std::string firstImage = sampleBitmap(kThreeIcons[0][0]);
    const std::size_t imagesStart = file.find(firstImage);
    ASSERT_NE(imagesStart, std::string::npos);
    const IconSource source(file.substr(0, imagesStart + 10));
    EXPECT_EQ(source.count(), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_FALSE(source.image(k)) << k;
    }
}

TEST(PeIcons, DamagedPartsCostOnlyWhatTheyTouch) {
    const std::string green = sampleBitmap(kThreeIcons[1][0]);

    // The green icon's bitmap header destroyed: only the second icon is lost.
    std::string bad = samplePeFile(kThreeIcons, false);
    putU32At(bad, bad.find(green), 0x12345678);
    IconSource source(bad);
    ASSERT_EQ(source.count(), 3);
    EXPECT_TRUE(source.image(0));
    EXPECT_FALSE(source.image(1));
    EXPECT_TRUE(source.image(2));

    // One of the red icon's two images names a missing id: the icon keeps
    // its other image.
    SampleResources res = sampleResources(kThreeIcons);
    putU16At(res.groups[0], 6 + 12, 999);
    source = IconSource(samplePeFile(res, false));
    ASSERT_TRUE(source.image(0));
    const auto images = imagesOfStream(*source.image(0));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_TRUE(images[0] == sampleBitmap(kThreeIcons[0][1]));

    // The green image's data entry points far beyond the file, the blue
    // group's data entry just past its end.
    std::vector<std::size_t> entries;
    bad = samplePeFile(sampleResources(kThreeIcons), true, &entries);
    ASSERT_EQ(entries.size(), 5u + 3u);
    putU32At(bad, entries[2], 0xFFFFFF00u);
    putU32At(bad, entries[7] + 4, static_cast<std::uint32_t>(bad.size()));
    source = IconSource(bad);
    EXPECT_EQ(source.count(), 3);
    EXPECT_TRUE(source.image(0));
    EXPECT_FALSE(source.image(1));
    EXPECT_FALSE(source.image(2));
}

TEST(PeIcons, ImagesWithImplausibleHeadersAreDropped) {
    // An icon file of one image whose header is replaced; the stream keeps
    // the image only when a decoder could draw it without a giant allocation.
    auto iconWith = [](std::string image) {
        std::string out;
        appendU16(out, 0);
        appendU16(out, 1);
        appendU16(out, 1);
        out += sampleEntryHeader({32, 0}, image.size());
        appendU32(out, 6 + 16);
        return IconSource(out + image).image(0).has_value();
    };
    const std::string bitmap = sampleBitmap({32, 0xFF808080});
    EXPECT_TRUE(iconWith(bitmap));
    std::string wide = bitmap;
    putU32At(wide, 4, 257);
    EXPECT_FALSE(iconWith(wide));
    putU32At(wide, 4, 100000);
    EXPECT_FALSE(iconWith(wide));
    std::string topDown = bitmap;
    putU32At(topDown, 8, static_cast<std::uint32_t>(-64));
    EXPECT_FALSE(iconWith(topDown));
    std::string oddDepth = bitmap;
    putU16At(oddDepth, 14, 7);
    EXPECT_FALSE(iconWith(oddDepth));

    auto png = [](std::uint32_t side) {
        std::string out = "\x89PNG\r\n\x1A\n";
        out += std::string("\0\0\0\x0D", 4) + "IHDR";
        for (int i = 0; i < 2; ++i) {
            for (int shift = 24; shift >= 0; shift -= 8) {
                out.push_back(static_cast<char>((side >> shift) & 0xFF));
            }
        }
        return out + std::string("\x08\x06\0\0\0", 5);
    };
    EXPECT_TRUE(iconWith(png(256)));
    EXPECT_FALSE(iconWith(png(257)));
    EXPECT_FALSE(iconWith(png(70000)));
    EXPECT_FALSE(iconWith(png(0)));
}

TEST(PeIcons, HostileCountsStayBounded) {
    // A group that names one image 65535 times gives at most the image limit.
    SampleResources res = sampleResources({{{16, 0xFF000000}}});
    std::string& group = res.groups[0];
    const std::string entry = group.substr(6, 14);
    putU16At(group, 4, 0xFFFF);
    for (int i = 1; i < 0xFFFF; ++i) {
        group += entry;
    }
    for (const std::string& file : {samplePeFile(res, false), sampleNeFile(res)}) {
        const IconSource source(file);
        ASSERT_EQ(source.count(), 1);
        const auto stream = source.image(0);
        ASSERT_TRUE(stream);
        EXPECT_EQ(imagesOfStream(*stream).size(), static_cast<std::size_t>(kMaxImagesPerIcon));
    }

    // An icon-file header announcing 65535 entries that are not there.
    std::string ico = sampleIcoFile({{16, 0xFF000000}});
    putU16At(ico, 4, 0xFFFF);
    EXPECT_EQ(IconCount(ico), 0);

    // A resource table announcing 65535 groups in a few bytes.
    std::vector<std::size_t> entries;
    std::string pe = samplePeFile(sampleResources(kThreeIcons), false, &entries);
    const std::size_t groupDirectory = 0x200 + 16 + 8 * 2 + 16 + 8 * 5;
    putU16At(pe, groupDirectory + 14, 0xFFFF);
    EXPECT_LT(IconCount(pe), 0xFFFF);
    expectSoundResult(pe);
}

TEST(PeIcons, RandomDamageNeverBreaksTheParser) {
    std::vector<std::string> samples = {
        sampleIcoFile(kThreeIcons[2]),
        samplePeFile(kThreeIcons, false),
        samplePeFile(kThreeIcons, true),
        sampleNeFile(kThreeIcons),
    };
    std::mt19937 random(20240607);
    for (const auto& sample : samples) {
        for (int round = 0; round < 3000; ++round) {
            std::string bytes = sample;
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int f = 0; f < flips; ++f) {
                // Favour the headers and tables, where a change matters most.
                const std::size_t limit =
                    random() % 2 ? std::min<std::size_t>(bytes.size(), 0x300) : bytes.size();
                const std::size_t at = random() % limit;
                switch (random() % 3) {
                case 0:
                    bytes[at] = static_cast<char>(random());
                    break;
                case 1:
                    bytes[at] = static_cast<char>(0xFF);
                    break;
                default:
                    bytes[at] ^= static_cast<char>(1 << (random() % 8));
                }
            }
            expectSoundResult(bytes);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

TEST(PeIcons, LoadingReadsTheFileOrSaysWhyNot) {
    TempDir dir;
    const auto exe = dir.writeFile("app.exe", samplePeFile(kThreeIcons, true));
    EXPECT_EQ(LoadIconSource(exe.string()).count(), 3);
    EXPECT_EQ(LoadIconSource(dir.folder()).count(), 0); // a folder holds no icons

    try {
        LoadIconSource((dir.path() / "missing.exe").string());
        FAIL() << "a missing file must be reported";
    } catch (const InOutError& e) {
        EXPECT_EQ(e.what(), "File not found: " + (dir.path() / "missing.exe").string());
    }

    // A program of any size: the file is mapped, so its size sets no limit.
    const auto big = dir.writeFile("big.exe", samplePeFile(kThreeIcons, true));
    std::filesystem::resize_file(big, 65ull * 1024 * 1024 + 1);
    const IconSource bigSource = LoadIconSource(big.string());
    EXPECT_EQ(bigSource.count(), 3);
    EXPECT_TRUE(bigSource.image(2).has_value());
}
