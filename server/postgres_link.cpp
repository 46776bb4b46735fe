// The board on PostgreSQL through libpqxx: several server instances share one database.
#include <pqxx/pqxx>

#include <chrono>

#include "sql_link.h"

namespace {

class PostgresLink : public SqlLink {
public:
    explicit PostgresLink(const std::string& url) : connection_(url) {}

    std::vector<SqlRow> run(const std::string& sql, const SqlParams& params) override {
        const auto start = std::chrono::steady_clock::now();
        std::vector<SqlRow> rows;
        try {
            pqxx::result result;
            if (work_) {
                result = work_->exec_params(sql, pqxx::prepare::make_dynamic_params(params));
            } else {
                pqxx::nontransaction once(connection_);
                result = once.exec_params(sql, pqxx::prepare::make_dynamic_params(params));
            }
            for (const auto& r : result) {
                SqlRow row;
                for (const auto& field : r) row.emplace_back(field.is_null() ? "" : field.c_str(), field.size());
                rows.push_back(std::move(row));
            }
        } catch (const pqxx::unique_violation& e) {
            throw SqlFailure{SqlDuplicate, e.what()};
        } catch (const pqxx::broken_connection& e) {
            work_.reset();
            throw SqlFailure{SqlDown, e.what()};
        } catch (const pqxx::sql_error& e) {
            throw SqlFailure{SqlOther, e.what()};
        } catch (const std::exception& e) {
            throw SqlFailure{connection_.is_open() ? SqlOther : SqlDown, e.what()};
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return rows;
    }

    void beginWrite() override {
        try {
            work_ = std::make_unique<pqxx::work>(connection_);
        } catch (const std::exception& e) {
            throw SqlFailure{SqlDown, e.what()};
        }
    }

    void commit() override {
        try {
            if (work_) work_->commit();
            work_.reset();
        } catch (const std::exception& e) {
            work_.reset();
            throw SqlFailure{connection_.is_open() ? SqlOther : SqlDown, e.what()};
        }
    }

    void rollback() override {
        try {
            if (work_) work_->abort();
        } catch (...) {
        }
        work_.reset();
    }

    const char* serialIdType() const override { return "BIGSERIAL PRIMARY KEY"; }
    void lockSchema() override { run("LOCK TABLE schema_migrations IN ACCESS EXCLUSIVE MODE", {}); }

private:
    pqxx::connection connection_;
    std::unique_ptr<pqxx::work> work_;
};

}  // namespace

std::unique_ptr<SqlLink> openPostgresLink(const std::string& url, std::string* why) {
    try {
        return std::make_unique<PostgresLink>(url);
    } catch (const std::exception& e) {
        *why = e.what();
        return nullptr;
    }
}
