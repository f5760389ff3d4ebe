#include "app/ini_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace orvanix {
namespace {

namespace fs = std::filesystem;

// "k12" for ('k', 12).
std::string numbered(char prefix, int n) {
    return std::string(1, prefix).append(std::to_string(n));
}

class IniFileTest : public testing::Test {
protected:
    IniFileTest() {
        char pattern[] = "/tmp/orvanix-ini-XXXXXX";
        dir = ::mkdtemp(pattern);
        path = dir + "/config.ini";
    }
    ~IniFileTest() override { fs::remove_all(dir); }

    static std::string contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void put(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    std::vector<std::string> filesInDir() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    std::string dir;
    std::string path;
};

TEST_F(IniFileTest, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
    EXPECT_EQ(readIniValue(path, "m", "a"), "");
    EXPECT_FALSE(fs::exists(path));

    EXPECT_TRUE(writeIniValue(path, "m", "a", "1"));
    EXPECT_EQ(contents(path), "[m]\r\na=1\r\n");
    EXPECT_EQ(readIniValue(path, "M", "A"), "1");
    // The temporary file is gone.
    EXPECT_EQ(filesInDir(), std::vector<std::string>{"config.ini"});
}

TEST_F(IniFileTest, NoPathNoFile) {
    EXPECT_EQ(readIniValue("", "m", "a"), "");
    EXPECT_FALSE(writeIniValue("", "m", "a", "1"));
}

TEST_F(IniFileTest, FailedWritesLeaveEverythingAsItWas) {
    // A folder that does not exist.
    EXPECT_FALSE(writeIniValue(dir + "/missing/config.ini", "m", "a", "1"));
    // Something at the path that cannot be read as a file is never replaced.
    fs::create_directory(path);
    put(path + "/inside", "x");
    EXPECT_FALSE(writeIniValue(path, "m", "a", "1"));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(contents(path + "/inside"), "x");
    // Unfit names.
    EXPECT_FALSE(writeIniValue(dir + "/other.ini", "m]", "a", "1"));
    EXPECT_FALSE(fs::exists(dir + "/other.ini"));
    EXPECT_EQ(filesInDir(), std::vector<std::string>{"config.ini"});
}

TEST_F(IniFileTest, KeepsModeAndWritesThroughALink) {
    put(dir + "/real.ini", "[m]\r\na=1\r\n");
    ::chmod((dir + "/real.ini").c_str(), 0600);
    fs::create_symlink("real.ini", path);

    EXPECT_TRUE(writeIniValue(path, "m", "a", "2"));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(contents(dir + "/real.ini"), "[m]\r\na=2\r\n");
    struct stat info {};
    ASSERT_EQ(::stat((dir + "/real.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

// A large file with LF line ends, bytes that are not GBK and a zero byte loses
// nothing when a value is written.
TEST_F(IniFileTest, LargeOddFileKeepsItsOtherBytes) {
    std::string original;
    for (int i = 0; i < 200000; ++i) original.append(numbered('k', i)).append("=\xFF\x80\n");
    original += std::string("[m]\nzero=\0x\n", 12);
    original += "tail without break";
    put(path, original);

    // The last line belongs to section m: the new key follows it on a line of its own.
    EXPECT_TRUE(writeIniValue(path, "m", "a", "1"));
    // Compared as a whole: a failure report of two megabytes helps nobody.
    EXPECT_TRUE(contents(path) == original + "\r\na=1\r\n");
    EXPECT_EQ(readIniValue(path, "m", "zero"), "");  // the value ends at its zero byte
    EXPECT_TRUE(writeIniValue(path, "m", "zero", "z"));
    EXPECT_EQ(readIniValue(path, "m", "zero"), "z");
    EXPECT_EQ(readIniValue(path, "m", "a"), "1");
    EXPECT_EQ(readIniValue(path, "no section", "k199999"), "");
}

// Writers on several threads at once: every value arrives.
TEST_F(IniFileTest, ConcurrentWritersLoseNothing) {
    constexpr int kThreads = 4;
    constexpr int kWrites = 25;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kWrites; ++i) {
                writeIniValue(path, numbered('s', t), numbered('k', i), std::to_string(i));
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kWrites; ++i) {
            EXPECT_EQ(readIniValue(path, numbered('s', t), numbered('k', i)), std::to_string(i));
        }
    }
    EXPECT_EQ(filesInDir(), std::vector<std::string>{"config.ini"});
}

}  // namespace
}  // namespace orvanix
