#include <gtest/gtest.h>

#include "app/process_state.h"

namespace orvanix {
namespace {

TEST(SplitExecutablePath, SplitsAtTheLastSlash) {
    struct Case {
        std::string path, directory, name;
    };
    const Case cases[] = {
        {"/opt/orvanix/orvanix", "/opt/orvanix", "orvanix"},
        {"/orvanix", "", "orvanix"},  // at the root: the folder is empty, as a bare drive
        {"orvanix", "", "orvanix"},
        {"/a b/搜索/orvanix", "/a b/搜索", "orvanix"},
    };
    for (const auto& c : cases) {
        const auto split = splitExecutablePath(c.path);
        EXPECT_EQ(split.directory, c.directory) << c.path;
        EXPECT_EQ(split.name, c.name) << c.path;
    }
}

}  // namespace
}  // namespace orvanix
