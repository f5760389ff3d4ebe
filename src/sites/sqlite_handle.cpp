#include "sites/sqlite_handle.h"

namespace orvanix {

namespace {

constexpr int kBusyTimeoutMs = 10000;

SqliteDb open(const std::string& path, int flags) {
    sqlite3* raw = nullptr;
    const int status = sqlite3_open_v2(path.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteDb db(raw);  // released even when the open failed
    if (status != SQLITE_OK) return nullptr;
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    return db;
}

}  // namespace

SqliteDb openExistingDatabase(const std::string& path, bool readOnly) {
    return open(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
}

SqliteDb createDatabase(const std::string& path) {
    return open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXCLUSIVE);
}

SqliteStatement prepare(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(raw);
        return nullptr;
    }
    return SqliteStatement(raw);
}

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace orvanix
