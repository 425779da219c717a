#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <stdexcept>

namespace mzt {

// A refused statement or connection; message() is the server's own text.
class DbError : public std::runtime_error
{
public:
    DbError(const QString& message, const QString& statement = {});
    const QString& message() const { return m_message; }
    const QString& statement() const { return m_statement; }

private:
    QString m_message;
    QString m_statement;
};

// A name the database cannot take as a table or column name.
class InvalidNameError final : public DbError
{
public:
    explicit InvalidNameError(const QString& name, const QString& why);
    const QString& name() const { return m_name; }

private:
    QString m_name;
};

enum class DialectKind { Sqlite, Postgres };

// Every SQLite/PostgreSQL difference lives here; nothing else looks at the driver.
class Dialect final
{
public:
    explicit Dialect(DialectKind kind) : m_kind(kind) {}
    DialectKind kind() const { return m_kind; }
    bool isSqlite() const { return m_kind == DialectKind::Sqlite; }

    // The identifier-quoting helper: the only way a run-time name reaches SQL.
    // Throws InvalidNameError for a name the database cannot take.
    static QString quoteIdentifier(const QString& name);
    // Empty when the name is acceptable, else the reason it is not.
    static QString identifierProblem(const QString& name);

    // Column definition of an auto-numbered key column.
    QString identityColumn() const;
    // Statement listing the columns of a table (one row per column, column "cname").
    QString columnsQuery() const;
    QString tableExistsQuery() const;
    QString viewExistsQuery() const;
    // Row lock clause for select ... for update; empty where the engine locks on write.
    QString forUpdate() const;
    // Expression for text concatenation.
    QString concat(const QStringList& parts) const;
    // Case-insensitive LIKE on both engines.
    QString likeInsensitive(const QString& column, const QString& placeholder = QStringLiteral("?")) const;
    // Text column types used by the schema files, keyed by placeholder.
    QString expandTypes(QString ddl) const;

private:
    DialectKind m_kind;
};

struct ConnectionSettings
{
    QString driver = QStringLiteral("sqlite"); // "sqlite" or "postgresql"
    QString sqliteFile;                         // absolute path of the database file
    QString host = QStringLiteral("localhost");
    int port = 5432;
    QString name = QStringLiteral("zcxslj");
    QString user = QStringLiteral("qrvotn");
    QString password = QStringLiteral("qrvotn");
};

using Row = QSqlRecord;
using Rows = QList<QSqlRecord>;

class Database;

// A statement prepared once and run many times (statements in loops).
class Statement final
{
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) = delete;
    // Runs with the given values; returns the number of rows affected.
    int exec(const QVariantList& values = {});
    Rows query(const QVariantList& values = {});

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// Owns the one connection of the program.
class Database final
{
public:
    // Opens the connection; throws DbError with the driver's text on failure.
    explicit Database(const ConnectionSettings& settings, const QString& connectionName = {});
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const Dialect& dialect() const { return m_dialect; }
    const ConnectionSettings& settings() const { return m_settings; }
    QSqlDatabase& connection() { return m_db; }

    // Runs a statement with bound values; returns the number of rows affected.
    int exec(const QString& sql, const QVariantList& values = {});
    // Runs a query and reads every row.
    Rows query(const QString& sql, const QVariantList& values = {});
    // The first column of the first row, or nullopt when no row comes back.
    std::optional<QVariant> scalar(const QString& sql, const QVariantList& values = {});
    // The first column of every row, as text.
    QStringList column(const QString& sql, const QVariantList& values = {});
    bool exists(const QString& sql, const QVariantList& values = {});

    // The column names of a table, in their order.
    QStringList columns(const QString& table);
    bool tableExists(const QString& table);
    bool viewExists(const QString& view);
    // Number of rows of a table named at run time.
    qint64 countRows(const QString& table);

    // Transactions nest: only the outermost begin/commit reaches the server.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_depth > 0; }

private:
    friend class Statement;
    ConnectionSettings m_settings;
    QString m_name;
    QSqlDatabase m_db;
    Dialect m_dialect;
    int m_depth = 0;
    bool m_rollbackOnly = false;
};

// Begins a transaction; rolls it back unless commit() was called.
class TransactionGuard final
{
public:
    explicit TransactionGuard(Database& db) : m_db(db) { m_db.begin(); }
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;
    void commit();

private:
    Database& m_db;
    bool m_done = false;
};

// Shorthand for the identifier-quoting helper.
inline QString quoteIdentifier(const QString& name) { return Dialect::quoteIdentifier(name); }

} // namespace mzt
