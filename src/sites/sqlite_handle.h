#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

namespace orvanix {

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct SqliteFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// One connection and one prepared statement, released when they go out of scope.
using SqliteDb = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;

// Opens an existing database file (never creates one); null on failure. Waits for
// other connections' locks instead of failing at once.
SqliteDb openExistingDatabase(const std::string& path, bool readOnly);

// Creates a new, empty database file; null when it cannot.
SqliteDb createDatabase(const std::string& path);

// Prepares one statement; null on failure (for instance when the file is not a
// database or lacks the table).
SqliteStatement prepare(sqlite3* db, std::string_view sql);

// Runs a statement that returns no rows; false on failure.
bool execute(sqlite3* db, const char* sql);

}  // namespace orvanix
