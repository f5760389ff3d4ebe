#include "sites/site_table.h"

#include <filesystem>
#include <system_error>

#include "app/process_state.h"
#include "sites/sqlite_handle.h"
#include "web/code_page.h"

namespace orvanix {

namespace {

constexpr const char* kCreateTable = R"(CREATE TABLE sites ("名称" TEXT, "地址" TEXT))";
constexpr const char* kSelectAll = R"(SELECT "名称", "地址" FROM sites ORDER BY rowid)";
constexpr const char* kSelectNames = R"(SELECT rowid, "名称" FROM sites ORDER BY rowid)";
constexpr const char* kInsert = R"(INSERT INTO sites ("名称", "地址") VALUES (?1, ?2))";
constexpr const char* kDelete = R"(DELETE FROM sites WHERE rowid = ?1)";

// Fields are GBK text. A field that converts to UTF-8 and back unchanged is stored
// as UTF-8 text, so that the sqlite3 tool shows it readably; any other byte
// string is stored as a blob of its bytes, so that nothing is ever altered.
bool bindField(sqlite3_stmt* statement, int index, std::string_view gbk) {
    const std::string utf8 = gbkToUtf8(gbk);
    if (utf8ToGbk(utf8) == gbk) {
        return sqlite3_bind_text(statement, index, utf8.data(), static_cast<int>(utf8.size()),
                                 SQLITE_TRANSIENT) == SQLITE_OK;
    }
    return sqlite3_bind_blob(statement, index, gbk.data(), static_cast<int>(gbk.size()),
                             SQLITE_TRANSIENT) == SQLITE_OK;
}

std::string columnField(sqlite3_stmt* statement, int column) {
    const int type = sqlite3_column_type(statement, column);
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement, column));
    if (!bytes) return {};
    const std::string_view raw(bytes, size);
    if (type == SQLITE_BLOB) return std::string(raw.substr(0, raw.find('\0')));
    return utf8ToGbk(raw);
}

bool insertRecord(sqlite3* db, std::string_view name, std::string_view address) {
    SqliteStatement insert = prepare(db, kInsert);
    return insert && bindField(insert.get(), 1, name) && bindField(insert.get(), 2, address) &&
           sqlite3_step(insert.get()) == SQLITE_DONE;
}

// Opens the table file for one use. A file that fails SQLite's own consistency
// check is not used at all: a damaged table is neither read in part nor written to.
SqliteDb openSiteTable(const std::string& path, bool readOnly) {
    SqliteDb db = openExistingDatabase(path, readOnly);
    if (!db) return nullptr;
    SqliteStatement check = prepare(db.get(), "PRAGMA quick_check(1)");
    if (!check || sqlite3_step(check.get()) != SQLITE_ROW) return nullptr;
    const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
    if (!verdict || std::string_view(verdict) != "ok") return nullptr;
    return db;
}

}  // namespace

std::string siteTablePath() {
    return processState().dbDirectory.get() + "wp.edb";
}

std::vector<SiteRecord> readSiteTable(const std::string& path) {
    SqliteDb db = openSiteTable(path, true);
    if (!db) return {};
    SqliteStatement select = prepare(db.get(), kSelectAll);
    if (!select) return {};
    std::vector<SiteRecord> records;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(select.get())) == SQLITE_ROW) {
        records.push_back({columnField(select.get(), 0), columnField(select.get(), 1)});
    }
    // A read that breaks off half way (a damaged file) shows nothing rather than a
    // part of the table.
    if (status != SQLITE_DONE) return {};
    return records;
}

bool appendSite(const std::string& path, std::string_view name, std::string_view address) {
    SqliteDb db = openSiteTable(path, false);
    return db && insertRecord(db.get(), name, address);
}

bool deleteFirstSiteNamed(const std::string& path, std::string_view name) {
    SqliteDb db = openSiteTable(path, false);
    if (!db) return false;
    // Deleted content is overwritten in place, and the vacuum then drops the freed
    // pages, so the file keeps nothing of the record.
    execute(db.get(), "PRAGMA secure_delete = ON");
    if (!execute(db.get(), "BEGIN IMMEDIATE")) return false;

    sqlite3_int64 found = 0;
    bool matched = false;
    {
        SqliteStatement select = prepare(db.get(), kSelectNames);
        while (select && !matched && sqlite3_step(select.get()) == SQLITE_ROW) {
            if (columnField(select.get(), 1) == name) {
                found = sqlite3_column_int64(select.get(), 0);
                matched = true;
            }
        }
    }
    bool deleted = false;
    if (matched) {
        SqliteStatement remove = prepare(db.get(), kDelete);
        deleted = remove && sqlite3_bind_int64(remove.get(), 1, found) == SQLITE_OK &&
                  sqlite3_step(remove.get()) == SQLITE_DONE && sqlite3_changes(db.get()) == 1;
    }
    if (!deleted || !execute(db.get(), "COMMIT")) {
        execute(db.get(), "ROLLBACK");
        return false;
    }
    execute(db.get(), "VACUUM");
    return true;
}

bool createSiteTable(const std::string& path, const std::vector<SiteRecord>& records) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(path, error) || error) return false;

    // Built under a temporary name and linked into place at the end: a half-made
    // table never appears, and a file that turned up meanwhile is not replaced.
    const std::string temporary = path + ".new";
    fs::remove(temporary, error);
    bool built = false;
    {
        SqliteDb db = createDatabase(temporary);
        built = db && execute(db.get(), kCreateTable) && execute(db.get(), "BEGIN");
        for (const SiteRecord& record : records) {
            built = built && insertRecord(db.get(), record.name, record.address);
        }
        built = built && execute(db.get(), "COMMIT");
    }
    if (built) fs::create_hard_link(temporary, path, error);
    const bool linked = built && !error;
    fs::remove(temporary, error);
    return linked;
}

}  // namespace orvanix
