// The eight language files the script names, as scripts/install-compiler put
// them into the compiler's folder.
#include "support/RealCompiler.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iconv.h>
#include <map>
#include <set>
#include <sstream>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

struct IslFile {
    std::map<std::string, std::set<std::string>> keys; // section (lower case) -> keys
    std::map<std::string, std::string> options;        // [LangOptions] values
};

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos
               ? ""
               : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

IslFile parse(const std::string& bytes) {
    IslFile file;
    std::string section;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        line = trim(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = test::lowerCase(line.substr(1, line.size() - 2));
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            const std::string key = trim(line.substr(0, equals));
            file.keys[section].insert(test::lowerCase(key));
            if (section == "langoptions") {
                file.options[key] = trim(line.substr(equals + 1));
            }
        }
    }
    return file;
}

// Bytes of a code page as UTF-8, through the C library's iconv.
std::string toUtf8(const std::string& bytes, const std::string& codePage) {
    iconv_t cd = iconv_open("UTF-8", ("CP" + codePage).c_str());
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << codePage;
    std::string in = bytes;
    std::string out(bytes.size() * 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

TEST(LanguageFiles, EveryFileHoldsEveryMessageOfDefaultIsl) {
    ASSERT_TRUE(test::realCompilerInstalled());
    const fs::path compiler = test::programFolder() / "compiler";
    const IslFile reference = parse(test::readFileBytes(compiler / "Default.isl"));
    ASSERT_GT(reference.keys.at("messages").size(), 200u);
    ASSERT_GT(reference.keys.at("custommessages").size(), 10u);

    const std::map<std::string, std::string> codePages = {
        {"Czech", "1250"},     {"French", "1252"},    {"German", "1252"},  {"Slovak", "1250"},
        {"Slovenian", "1250"}, {"Bulgarian", "1251"}, {"Romanian", "1250"}};
    for (const auto& [language, codePage] : codePages) {
        SCOPED_TRACE(language);
        const std::string bytes = test::readFileBytes(compiler / (language + ".isl"));
        const IslFile file = parse(bytes);
        for (const auto& [section, keys] : reference.keys) {
            for (const std::string& key : keys) {
                EXPECT_EQ(file.keys.count(section) ? file.keys.at(section).count(key) : 0u, 1u)
                    << "[" << section << "] " << key;
            }
        }
        ASSERT_EQ(file.options.count("LanguageCodePage"), 1u);
        EXPECT_EQ(file.options.at("LanguageCodePage"), codePage);
        // Non-ASCII letters of the name are written as <nnnn>, or the
        // compiler warns on every build.
        const std::string name =
            file.options.count("LanguageName") ? file.options.at("LanguageName") : "";
        EXPECT_FALSE(name.empty());
        EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80;
        })) << name;
    }
}

TEST(LanguageFiles, OurTranslationsAreInstalledInTheirCodePageWithCrLf) {
    ASSERT_TRUE(test::realCompilerInstalled());
    const fs::path compiler = test::programFolder() / "compiler";
    const fs::path sources = fs::path(TORNAVEL_SOURCE_DIR) / "compiler" / "languages";
    for (const auto& [language, codePage] : std::map<std::string, std::string>{
             {"Slovak", "1250"}, {"Bulgarian", "1251"}, {"Romanian", "1250"}}) {
        SCOPED_TRACE(language);
        const std::string installed = test::readFileBytes(compiler / (language + ".isl"));
        std::string expected;
        for (char c : test::readFileBytes(sources / (language + ".isl"))) {
            if (c == '\n') {
                expected += '\r';
            }
            if (c != '\r') {
                expected += c;
            }
        }
        EXPECT_EQ(toUtf8(installed, codePage), expected);
    }
}

} // namespace
} // namespace tornavel
