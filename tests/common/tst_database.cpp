#include "testdb.h"

#include "database.h"
#include "schema.h"

using namespace mzt;

class TestDatabaseLayer final : public QObject
{
    Q_OBJECT
private slots:
    void placeholder()
    {
        test::TestDatabase t;
        QVERIFY(t.db().tableExists(QStringLiteral("日志")));
    }
};

MZT_TEST_MAIN(TestDatabaseLayer)
#include "tst_database.moc"
