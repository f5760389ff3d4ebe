// The shared search frame: numbering from the rows present when a page is cut,
// and nothing at all after a stop, also while a fetch hangs.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "search/search_frame.h"
#include "search_fake_port.h"
#include "support/fixture_server.h"

namespace orvanix {
namespace {

using namespace std::chrono_literals;
using Row = test::FakeSearchPort::Row;

// A source of numbered pages "/p1", "/p2", ...: records between <li> and </li>,
// column 1 between <b> and </b>, column 2 the page's label.
class PagesEngine : public SearchEngine {
public:
    PagesEngine(std::string base, int pages) : base_(std::move(base)), pages_(pages) {}
    std::optional<PageRequest> nextPage(SearchPort&) override {
        if (next_ >= pages_) return std::nullopt;
        ++next_;
        return PageRequest{base_ + "/p" + std::to_string(next_), "page" + std::to_string(next_)};
    }
    const RecordRule& records() const override { return kRule; }

private:
    static constexpr FieldRule kFields[] = {{1, "<b>", "</b>"}, {2, {}, {}, nullptr, true}};
    static constexpr RecordRule kRule{"<li>", "</li>", kFields};
    std::string base_;
    int pages_;
    int next_ = 0;
};

class SearchFrameTest : public testing::Test {
protected:
    SearchFrameTest() {
        server.route("/p1", test::FixtureResponse::page("<li><b>a</b></li><li><b>b</b></li>"));
        server.route("/p3", test::FixtureResponse::page("<li><b>e</b></li>"));
    }
    test::FixtureServer server;
    test::FakeSearchPort port{3};
    SharedStopToken stop = makeStopToken();
};

TEST_F(SearchFrameTest, PagesAreNumberedFromTheRowsPresentWhenTheyAreCut) {
    // While page 2 is fetched the user empties the list: its rows start again at 1,
    // and page 3 continues from there. A record without <b> gets an empty cell.
    server.route("/p2", [this](const test::RecordedRequest&) {
        port.clearRows();
        return test::FixtureResponse::page("<LI><b>c</b></LI><li>no bold</li>");
    });
    PagesEngine engine(server.baseUrl(), 3);
    runSearch(engine, port, *stop);
    EXPECT_EQ(port.rows(),
              (std::vector<Row>{{"1", "c", "page2"}, {"2", "", "page2"}, {"3", "e", "page3"}}));
    EXPECT_EQ(port.log().back(), "status 3 3");
}

TEST_F(SearchFrameTest, StopDuringAFetchListsNothingMoreAndSkipsTheEndSteps) {
    server.route("/p2", [this](const test::RecordedRequest&) {
        stop->requestStop();
        return test::FixtureResponse::page("<li><b>c</b></li>");
    });
    PagesEngine engine(server.baseUrl(), 3);
    runSearch(engine, port, *stop);
    EXPECT_EQ(port.rows(), (std::vector<Row>{{"1", "a", "page1"}, {"2", "b", "page1"}}));
    EXPECT_EQ(port.log(), (std::vector<std::string>{"clear", "row 1", "row 2"}));
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(SearchFrameTest, StopAbortsAHangingFetchAndTheWorkerEnds) {
    server.route("/p2", test::FixtureResponse::hang());
    PagesEngine engine(server.baseUrl(), 3);
    auto worker = std::async(std::launch::async, [&] { runSearch(engine, port, *stop); });
    ASSERT_TRUE(server.waitForRequests(2, 10s));
    EXPECT_EQ(worker.wait_for(200ms), std::future_status::timeout) << "the fetch should hang";
    stop->requestStop();
    // Without the abort the fetch would wait for the server's silence time-out.
    ASSERT_EQ(worker.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(port.log(), (std::vector<std::string>{"clear", "row 1", "row 2"}));
}

TEST_F(SearchFrameTest, AWorkerStoppedBeforeItRunsTouchesNothing) {
    stop->requestStop();
    PagesEngine engine(server.baseUrl(), 3);
    runSearch(engine, port, *stop);
    EXPECT_TRUE(port.log().empty());
    EXPECT_TRUE(server.requests().empty());
}

}  // namespace
}  // namespace orvanix
