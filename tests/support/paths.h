#pragma once

#include <string>

namespace orvanix::test {

// Where the fixture pages live in the source tree.
inline std::string fixturesDir() { return ORVANIX_FIXTURES_DIR; }

// The top of the build tree (holds the built programs).
inline std::string buildDir() { return ORVANIX_BUILD_DIR; }

}  // namespace orvanix::test
