#include "testdb.h"

#include "schema.h"

#include <QUrl>
#include <QUuid>
#include <cstdio>

namespace mzt::test {

namespace {

bool g_postgres = false;

ConnectionSettings pgSettings()
{
    const QUrl url(QString::fromLocal8Bit(qgetenv("MZT_TEST_PG")));
    ConnectionSettings c;
    c.driver = QStringLiteral("postgresql");
    c.host = url.host().isEmpty() ? QStringLiteral("127.0.0.1") : url.host();
    c.port = url.port(5432);
    c.user = url.userName();
    c.password = url.password();
    c.name = url.path().mid(1);
    return c;
}

} // namespace

bool onPostgres() { return g_postgres; }
QString backendName() { return g_postgres ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"); }

TestDatabase::TestDatabase(bool installSchema)
{
    if (g_postgres) {
        m_settings = pgSettings();
        m_schema = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        m_db = std::make_unique<Database>(m_settings);
        m_db->exec(QStringLiteral("create schema ") + m_schema);
        m_db->exec(QStringLiteral("set search_path to ") + m_schema);
    } else {
        m_settings.driver = QStringLiteral("sqlite");
        m_settings.sqliteFile = m_dir.filePath(QStringLiteral("RURU.db"));
        m_db = std::make_unique<Database>(m_settings);
    }
    if (installSchema)
        SchemaInstaller::install(*m_db);
}

TestDatabase::~TestDatabase()
{
    if (g_postgres && m_db) {
        try {
            if (m_db->inTransaction())
                m_db->rollback();
            m_db->exec(QStringLiteral("drop schema ") + m_schema + QStringLiteral(" cascade"));
        } catch (const DbError&) {
        }
    }
}

std::unique_ptr<Database> TestDatabase::secondConnection() const
{
    auto db = std::make_unique<Database>(m_settings);
    if (g_postgres)
        db->exec(QStringLiteral("set search_path to ") + m_schema);
    return db;
}

TestSession::TestSession(bool installSchema) : m_tdb(installSchema)
{
    m_settings = std::make_unique<BdChangeSettings>(m_tdb.folder());
    m_login.JobNo = QStringLiteral("888");
    m_login.OperatorName = QStringLiteral("系统管理员");
    m_login.loggedIn = true;
    m_session = std::make_unique<Session>(
        Session{m_tdb.db(), m_prompter, m_login, *m_settings, m_tdb.folder()});
}

int runOnEveryBackend(QObject* test, int argc, char** argv)
{
    g_postgres = false;
    std::fprintf(stdout, "=== %s ===\n", "SQLite");
    std::fflush(stdout);
    int rc = QTest::qExec(test, argc, argv);
    if (!qEnvironmentVariableIsEmpty("MZT_TEST_PG")) {
        g_postgres = true;
        std::fprintf(stdout, "=== %s ===\n", "PostgreSQL");
        std::fflush(stdout);
        rc |= QTest::qExec(test, argc, argv);
    }
    return rc;
}

} // namespace mzt::test
