#include <gtest/gtest.h>

#include <filesystem>

#include "core/site_test_dir.h"
#include "sites/checked_sites.h"

namespace orvanix {
namespace {

using test::readBytes;
using test::SiteTestDir;
using test::writeBytes;

using Names = std::vector<std::string>;

TEST(CheckedSitesText, EveryNameEndsWithCrLf) {
    const std::pair<Names, std::string> cases[] = {
        {{}, ""},
        {{"B", "E"}, "B\r\nE\r\n"},
        {{"", "\xB0\xD9\xB6\xC8"}, "\r\n\xB0\xD9\xB6\xC8\r\n"},
        {{"A", "A"}, "A\r\nA\r\n"},
    };
    for (const auto& [names, text] : cases) EXPECT_EQ(checkedSitesText(names), text);
}

TEST(CheckedSitesText, SplitsAtCrLfOnly) {
    const std::pair<std::string, Names> cases[] = {
        {"", {}},
        {"A\r\n", {"A"}},
        {"A\r\nB", {"A", "B"}},              // the last line need not end
        {"A\r\n\r\nB\r\n", {"A", "", "B"}},  // an empty line is an empty name
        {"\r\n", {""}},
        {"A\nB\r\n", {"A\nB"}},  // a bare LF is part of the name
        {"A\r\r\n", {"A\r"}},
        {"\xB0\r\n", {"\xB0"}},  // a lead byte never swallows the CR
    };
    for (const auto& [text, names] : cases) EXPECT_EQ(splitCheckedSites(text), names) << text;
}

TEST(CheckedSitesFile, WriteReplacesTheWholeFileAndReadsBack) {
    SiteTestDir dir;
    const std::string path = dir.file("xz.db");

    EXPECT_TRUE(readCheckedSites(path).empty());  // no file: nothing ticked

    writeBytes(path, "old\r\nlonger content than what follows\r\n");
    ASSERT_TRUE(writeCheckedSites(path, {"B", "E"}));
    EXPECT_EQ(readBytes(path), "B\r\nE\r\n");
    EXPECT_EQ(readCheckedSites(path), (Names{"B", "E"}));

    ASSERT_TRUE(writeCheckedSites(path, {}));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);

    // Only the file itself remains: the temporary file is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(CheckedSitesFile, ReadStopsAtAZeroByte) {
    SiteTestDir dir;
    const std::string path = dir.file("xz.db");
    writeBytes(path, std::string("A\r\nB\0C\r\n", 8));
    EXPECT_EQ(readCheckedSites(path), (Names{"A", "B"}));
}

TEST(CheckedSitesFile, FailedWriteReportsItAndLeavesNoTemporaryFile) {
    SiteTestDir dir;
    const std::string missingFolder = dir.file("gone/xz.db");
    EXPECT_FALSE(writeCheckedSites(missingFolder, {"A"}));

    // The path is taken by a folder: the write fails and the folder stays.
    const std::string taken = dir.file("taken");
    std::filesystem::create_directories(taken + "/inside");
    EXPECT_FALSE(writeCheckedSites(taken, {"A"}));
    EXPECT_TRUE(std::filesystem::exists(taken + "/inside"));
    EXPECT_FALSE(std::filesystem::exists(taken + ".tmp"));
}

}  // namespace
}  // namespace orvanix
