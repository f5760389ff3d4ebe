#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sites/site_record.h"

// The site table `wp.edb`: an SQLite database whose table `sites` holds the
// records `名称` and `地址` in the order they were appended (rowid order).
//
// Every operation opens its own connection, does its work and closes it again,
// so the table can be used from several threads at once. The table is never
// created by these operations: a missing file, a file that is not a database or
// a damaged one reads as no records, takes no additions and deletions, and is
// left exactly as it is.
namespace orvanix {

// The table's file: the db directory + "wp.edb" (just "wp.edb", in the current
// directory, while the db directory is not known yet).
std::string siteTablePath();

// Every record in table order; empty when the table cannot be read.
std::vector<SiteRecord> readSiteTable(const std::string& path);

// Appends one record after the last. Returns false when nothing was added.
bool appendSite(const std::string& path, std::string_view name, std::string_view address);

// Deletes the first record (in table order) whose name equals `name` byte for
// byte and purges the file, so that it holds no trace of the deleted record.
// Returns false when no record was deleted.
bool deleteFirstSiteNamed(const std::string& path, std::string_view name);

// Creates a new table file holding `records`, for the sites that ship with the
// program. Never touches an existing file: returns false when `path` exists or
// the file cannot be made.
bool createSiteTable(const std::string& path, const std::vector<SiteRecord>& records);

}  // namespace orvanix
