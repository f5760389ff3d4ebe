#include "web/endpoints.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvanix {
namespace {

constexpr Endpoint all_endpoints[] = {
    Endpoint::webSearch,  Endpoint::shareApi, Endpoint::shareSite1,
    Endpoint::shareSite2, Endpoint::netdisk,  Endpoint::magnetBt,
    Endpoint::magnetDht,  Endpoint::shop,     Endpoint::maker,
};

TEST(Endpoints, KeysNameEveryEndpointOnce) {
    const char* keys[] = {"web_search", "share_api",  "share_site1", "share_site2", "netdisk",
                          "magnet_bt",  "magnet_dht", "shop",        "maker"};
    for (std::size_t i = 0; i < std::size(all_endpoints); ++i) {
        EXPECT_EQ(endpointKey(all_endpoints[i]), keys[i]);
        EXPECT_EQ(endpointFromKey(keys[i]), all_endpoints[i]);
    }
    EXPECT_EQ(endpointFromKey("MAKER"), Endpoint::maker);
    EXPECT_FALSE(endpointFromKey("unknown"));
    EXPECT_FALSE(endpointFromKey(""));
}

TEST(Endpoints, EveryDefaultIsAUsableValue) {
    const Endpoints defaults;
    for (Endpoint endpoint : all_endpoints) {
        SCOPED_TRACE(endpointKey(endpoint));
        EXPECT_TRUE(isValidEndpointValue(defaults.host(endpoint)));
    }
}

TEST(Endpoints, ValuesAreHostOrHostAndPort) {
    const std::pair<const char*, bool> cases[] = {
        {"127.0.0.1", true},
        {"127.0.0.1:8080", true},
        {"www.example.com", true},
        {"my-host_1:1", true},
        {"h:65535", true},
        {"[::1]", true},
        {"[::1]:8443", true},
        {"", false},
        {":80", false},
        {"h:", false},
        {"h:0", false},
        {"h:65536", false},
        {"h:80x", false},
        {"http://h", false},
        {"h/path", false},
        {"h h", false},
        {"h:80:81", false},
        {"[::1", false},
    };
    for (const auto& [value, valid] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(isValidEndpointValue(value), valid);
    }
}

TEST(Endpoints, SectionOverridesTheDefaults) {
    const Endpoints table = Endpoints::fromIniText(
        "[other]\r\n"
        "maker=other.section:1\r\n"
        "; a comment\r\n"
        "[ Endpoints ]\r\n"
        "  MAKER = 127.0.0.1:8081  \r\n"
        "shop=127.0.0.1:8082\r\n"
        "web_search=not a host\r\n"
        "netdisk=\r\n"
        "unknown=127.0.0.1:1\r\n"
        "no equals sign\r\n"
        "[later]\r\n"
        "magnet_bt=127.0.0.1:9\r\n");
    const Endpoints defaults;
    EXPECT_EQ(table.host(Endpoint::maker), "127.0.0.1:8081");
    EXPECT_EQ(table.host(Endpoint::shop), "127.0.0.1:8082");
    // Bad, empty and out-of-section values leave the defaults.
    for (Endpoint endpoint : {Endpoint::webSearch, Endpoint::netdisk, Endpoint::magnetBt}) {
        EXPECT_EQ(table.host(endpoint), defaults.host(endpoint));
    }
}

TEST(Endpoints, FileNamedByTheEnvironmentIsRead) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("orvanix_endpoints_" + std::to_string(::getpid()) + ".ini");
    {
        std::ofstream file(path, std::ios::binary);
        file << "[endpoints]\nmagnet_dht=localhost:7001\n";
    }
    ::setenv("ORVANIX_ENDPOINTS", path.c_str(), 1);
    EXPECT_EQ(Endpoints::fromEnvironment().host(Endpoint::magnetDht), "localhost:7001");

    ::setenv("ORVANIX_ENDPOINTS", "/nonexistent/endpoints.ini", 1);
    EXPECT_EQ(Endpoints::fromEnvironment().host(Endpoint::magnetDht),
              Endpoints().host(Endpoint::magnetDht));
    ::unsetenv("ORVANIX_ENDPOINTS");
    EXPECT_EQ(Endpoints::fromEnvironment().host(Endpoint::magnetDht),
              Endpoints().host(Endpoint::magnetDht));
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace orvanix
