#include <thread>

#include "site_list_fixture.h"
#include "sites/ticked_sites.h"

namespace orvanix::test {
namespace {

using SiteListLoader = SiteListFixture;

QStringList names(int count, const char* prefix) {
    QStringList shown;
    for (int i = 0; i < count; ++i) shown.append(prefix + QString::number(i));
    return shown;
}

TEST_F(SiteListLoader, NewerLoadIsNeverReplacedByAnOlderOne) {
    SiteListState& state = siteListState(window);
    EXPECT_TRUE(state.takeLoad(2));
    EXPECT_FALSE(state.takeLoad(1));  // started earlier, finished later
    EXPECT_FALSE(state.takeLoad(2));
    EXPECT_TRUE(state.takeLoad(5));
    EXPECT_EQ(state.appliedLoad(), 5u);
}

// Loads started in quick succession while the table changes between them: the
// list ends up with the last load's content, each record once, in order.
TEST_F(SiteListLoader, OverlappingLoadsLeaveEachRecordOnceInOrder) {
    std::vector<SiteRecord> records;
    for (int i = 0; i < 200; ++i) {
        std::string name = "s";
        name += std::to_string(i);
        records.push_back({name, "x.com"});
    }
    makeTable(records);
    writeBytes(checked(), "s7\r\n");

    for (int round = 0; round < 10; ++round) {
        startSiteListLoader(window);
        startSiteListLoader(window);
        std::string name = "n";
        name += std::to_string(round);
        ASSERT_TRUE(appendSite(table(), name, "n.com"));
        startSiteListLoader(window);
        waitForLoads();

        QStringList expected = names(200, "s");
        expected[7] = "[x] s7";
        expected += names(round + 1, "n");
        ASSERT_EQ(entries(), expected) << "round " << round;
    }
}

TEST_F(SiteListLoader, LoadFromAnotherThreadFillsTheList) {
    makeTable({{"A", "a.com"}, {"B", "b.com"}});
    std::thread([this] { startSiteListLoader(window); }).join();
    waitForLoads();
    EXPECT_EQ(entries(), (QStringList{"A", "B"}));
}

// A table file that is no database, or a damaged one: the list stays empty and
// the file keeps every byte, whatever the user does.
TEST_F(SiteListLoader, UnusableTableLeavesTheListEmptyAndTheFileAlone) {
    makeTable({{"A", "a.com"}, {"B", "b.com"}});
    std::string damaged = readBytes(table());
    std::fill(damaged.begin() + 4096, damaged.end(), '\x5A');
    const std::string notADatabase = "A\ta.com\r\nB\tb.com\r\n";

    for (const std::string& bytes : {damaged, notADatabase}) {
        writeBytes(table(), bytes);
        writeBytes(checked(), "A\r\n");
        load();
        EXPECT_TRUE(entries().isEmpty());

        window.menuAction(u("选择框右键菜单"), u("删除此项"))->trigger();
        waitForLoads();
        EXPECT_TRUE(appendSite(table(), "C", "c.com") == false);
        EXPECT_TRUE(readBytes(table()) == bytes) << "the table file was changed";
        EXPECT_TRUE(tickedSitePairs(table(), {"A"}).empty());
    }
}

TEST_F(SiteListLoader, MissingTableGivesAnEmptyListAndIsNotCreated) {
    load();
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_FALSE(std::filesystem::exists(table()));
}

}  // namespace
}  // namespace orvanix::test
