#include "sites/site_table.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>

#include "core/site_test_dir.h"

namespace orvanix {
namespace {

using test::readBytes;
using test::SiteTestDir;
using test::writeBytes;

const std::string kBaidu = "\xB0\xD9\xB6\xC8";    // 百度 in GBK
const std::string kNetdisk = "\xCD\xF8\xC5\xCC";  // 网盘
const std::string kWeiyun = "\xCE\xA2\xD4\xC6";   // 微云

class SiteTableTest : public testing::Test {
protected:
    std::string makeTable(const std::vector<SiteRecord>& records) {
        EXPECT_TRUE(createSiteTable(table, records));
        return table;
    }

    SiteTestDir dir;
    std::string table = dir.file("wp.edb");
};

TEST_F(SiteTableTest, RecordsComeBackInAppendOrderWithTheirExactBytes) {
    makeTable({{kBaidu + kNetdisk, "pan.baidu.com"}});
    const std::vector<SiteRecord> added = {
        {kWeiyun, "weiyun.com"},
        {" ", "http://www.example.com"},        // stored as typed
        {kBaidu + kNetdisk, "second.example"},  // a name that is already there
        {"", ""},                               // empty fields are allowed
        {"\x81\x30 half \xB0", "\x80 \xFF"},    // bytes that are no valid GBK text
    };
    for (const SiteRecord& record : added) {
        EXPECT_TRUE(appendSite(table, record.name, record.address));
    }
    std::vector<SiteRecord> expected = {{kBaidu + kNetdisk, "pan.baidu.com"}};
    expected.insert(expected.end(), added.begin(), added.end());
    EXPECT_EQ(readSiteTable(table), expected);
}

TEST_F(SiteTableTest, ReadableNamesAreStoredAsUtf8TextForTheSqliteTool) {
    makeTable({{kBaidu, "pan.baidu.com"}});
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open_v2(table.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(raw, R"(SELECT "名称", "地址" FROM sites)", -1, &statement, nullptr),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))),
              "百度");
    EXPECT_EQ(sqlite3_column_type(statement, 1), SQLITE_TEXT);
    sqlite3_finalize(statement);
    sqlite3_close(raw);
}

TEST_F(SiteTableTest, MissingTableIsNeverCreated) {
    EXPECT_TRUE(readSiteTable(table).empty());
    EXPECT_FALSE(appendSite(table, "a", "a.com"));
    EXPECT_FALSE(deleteFirstSiteNamed(table, "a"));
    EXPECT_FALSE(std::filesystem::exists(table));
}

TEST_F(SiteTableTest, CreateNeverReplacesAnExistingFile) {
    writeBytes(table, "the user's own file");
    EXPECT_FALSE(createSiteTable(table, {{"a", "a.com"}}));
    EXPECT_EQ(readBytes(table), "the user's own file");

    EXPECT_FALSE(std::filesystem::exists(table + ".new"));
}

// Files that are no usable site table: every operation fails and not one byte of
// the file changes.
TEST_F(SiteTableTest, UnusableFilesAreLeftAsTheyAre) {
    SiteTestDir source;
    const std::string good = source.file("good.edb");
    ASSERT_TRUE(createSiteTable(good, {{"a", "a.com"}, {"b", "b.com"}}));
    const std::string valid = readBytes(good);
    ASSERT_EQ(valid.size(), 8192u);  // header page and the table's page

    std::string damagedTablePage = valid;
    std::fill(damagedTablePage.begin() + 4096, damagedTablePage.end(), '\xA5');
    std::string truncated = valid.substr(0, 5000);

    const std::string otherDatabase = source.file("other.db");
    {
        sqlite3* raw = nullptr;
        sqlite3_open(otherDatabase.c_str(), &raw);
        sqlite3_exec(raw, "CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('x')", nullptr,
                     nullptr, nullptr);
        sqlite3_close(raw);
    }

    const std::pair<const char*, std::string> cases[] = {
        {"plain text", "\xC3\xFB\xB3\xC6\tpan.baidu.com\r\n"},
        {"damaged table page", damagedTablePage},
        {"truncated database", truncated},
        {"database without the sites table", readBytes(otherDatabase)},
        {"empty file", ""},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        writeBytes(table, bytes);
        EXPECT_TRUE(readSiteTable(table).empty());
        EXPECT_FALSE(appendSite(table, "c", "c.com"));
        EXPECT_FALSE(deleteFirstSiteNamed(table, "a"));
        EXPECT_FALSE(deleteFirstSiteNamed(table, ""));
        EXPECT_TRUE(readBytes(table) == bytes) << "the file was changed";
        EXPECT_FALSE(std::filesystem::exists(table + "-journal"));
    }
}

TEST_F(SiteTableTest, DeleteRemovesOnlyTheFirstRecordOfThatName) {
    makeTable({{"A", "first.example"}, {"B", "b.example"}, {"A", "second.example"}, {"", "x"}});

    EXPECT_TRUE(deleteFirstSiteNamed(table, "A"));
    EXPECT_EQ(readSiteTable(table),
              (std::vector<SiteRecord>{{"B", "b.example"}, {"A", "second.example"}, {"", "x"}}));

    EXPECT_FALSE(deleteFirstSiteNamed(table, "a"));  // case counts
    EXPECT_FALSE(deleteFirstSiteNamed(table, "A "));
    EXPECT_TRUE(deleteFirstSiteNamed(table, ""));  // nothing selected: the empty name
    EXPECT_EQ(readSiteTable(table),
              (std::vector<SiteRecord>{{"B", "b.example"}, {"A", "second.example"}}));

    // Records appended later still come last.
    EXPECT_TRUE(appendSite(table, "C", "c.example"));
    EXPECT_TRUE(deleteFirstSiteNamed(table, "C"));
    EXPECT_TRUE(appendSite(table, "D", "d.example"));
    EXPECT_EQ(readSiteTable(table).back(), (SiteRecord{"D", "d.example"}));
}

TEST_F(SiteTableTest, DeletedRecordLeavesNoTraceInTheFile) {
    makeTable({{"keep", "keep.example"},
               {"big", std::string(20000, 'x')},
               {"secret", "only-here.example"}});
    const auto sizeBefore = std::filesystem::file_size(table);
    ASSERT_NE(readBytes(table).find("only-here.example"), std::string::npos);

    EXPECT_TRUE(deleteFirstSiteNamed(table, "secret"));
    EXPECT_EQ(readBytes(table).find("only-here.example"), std::string::npos);
    EXPECT_TRUE(deleteFirstSiteNamed(table, "big"));
    EXPECT_LT(std::filesystem::file_size(table), sizeBefore);  // freed pages are dropped
    EXPECT_EQ(readSiteTable(table), (std::vector<SiteRecord>{{"keep", "keep.example"}}));
}

// Appends, reads and deletes from several threads at once: none disturbs another,
// and each thread's records keep their order.
TEST_F(SiteTableTest, SeveralThreadsUseTheTableAtOnce) {
    makeTable({{"doomed", "d"}, {"doomed", "d"}, {"doomed", "d"}});
    constexpr int kWriters = 4;
    constexpr int kEach = 25;
    std::atomic<bool> failed{false};
    std::atomic<bool> writing{true};
    std::vector<std::thread> threads;
    for (int w = 0; w < kWriters; ++w) {
        threads.emplace_back([&, name = std::string(1, static_cast<char>('a' + w))] {
            for (int i = 0; i < kEach; ++i) {
                if (!appendSite(table, name, std::to_string(i))) failed = true;
            }
        });
    }
    threads.emplace_back([&] {
        for (int i = 0; i < 3; ++i) {
            if (!deleteFirstSiteNamed(table, "doomed")) failed = true;
        }
    });
    std::atomic<int> reads{0};
    std::thread reader([&] {
        while (writing) {
            std::map<std::string, int> last;
            for (const SiteRecord& record : readSiteTable(table)) {
                if (record.name == "doomed") continue;
                const int number = std::stoi(record.address);
                if (last.contains(record.name) && last[record.name] + 1 != number) failed = true;
                last[record.name] = number;
            }
            ++reads;
        }
    });
    for (std::thread& thread : threads) thread.join();
    writing = false;
    reader.join();

    EXPECT_FALSE(failed);
    EXPECT_GT(reads.load(), 0);
    const std::vector<SiteRecord> records = readSiteTable(table);
    ASSERT_EQ(records.size(), static_cast<std::size_t>(kWriters * kEach));
    std::map<std::string, int> next;
    for (const SiteRecord& record : records) {
        EXPECT_EQ(record.address, std::to_string(next[record.name]++)) << record.name;
    }
}

}  // namespace
}  // namespace orvanix
