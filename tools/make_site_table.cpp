// Builds the site table wp.edb from the plain-text list of shipped sites.
//
//   make_site_table SITES.txt TABLE.edb
//
// An existing TABLE.edb is the user's and is never replaced: the program then
// says so and succeeds without touching it.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "sites/site_list_file.h"
#include "sites/site_table.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_site_table SITES.txt TABLE.edb\n");
        return 2;
    }
    const std::filesystem::path table = argv[2];
    std::error_code error;
    if (std::filesystem::exists(table, error)) {
        std::printf("make_site_table: %s exists, kept as it is\n", argv[2]);
        return 0;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto records = orvanix::parseSiteList(text);
    if (!file.good() && !file.eof()) {
        std::fprintf(stderr, "make_site_table: cannot read %s\n", argv[1]);
        return 1;
    }
    if (records.empty()) {
        std::fprintf(stderr, "make_site_table: no sites in %s\n", argv[1]);
        return 1;
    }
    if (table.has_parent_path()) std::filesystem::create_directories(table.parent_path(), error);
    if (!orvanix::createSiteTable(table.string(), records)) {
        std::fprintf(stderr, "make_site_table: cannot create %s\n", argv[2]);
        return 1;
    }
    std::printf("make_site_table: %s made with %zu sites\n", argv[2], records.size());
    return 0;
}
