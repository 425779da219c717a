#include "lists.h"

#include <QDate>

namespace mzt {

void FillNameList(Database& db, int kind, QStringList& list)
{
    QString sql;
    switch (kind) {
    case 0:
    case 3:
        sql = QStringLiteral("select 货位名称 from 货位 order by 货位名称");
        break;
    case 1:
        sql = QStringLiteral("select 业务员姓名 from 业务员 order by 业务员姓名");
        break;
    case 2:
        sql = QStringLiteral("select 科目名称 from 银行账户");
        break;
    default:
        return;
    }
    list += db.column(sql);
}

void FillFinanceList(Database& db, int kind, QStringList& list)
{
    static const char* const statements[] = {
        "select 经手人 from 经手人 order by 经手人",
        "select 账户名称 from 银行帐户表 order by 账户名称",
        "select 账户名称 from 其它收入 order by 账户名称",
        "select 账户名称 from 其它支出 order by 账户名称",
        "select 科目名称 from 银行账户 order by 科目名称",
    };
    list.clear();
    if (kind < 0 || kind > 4)
        return;
    try {
        list = db.column(QString::fromUtf8(statements[kind]));
    } catch (const DbError&) {
        // An unreadable list stays as far as it was read: here, empty.
    }
}

void FillSiteList(Database& db, QStringList& list)
{
    list += db.column(QStringLiteral("select 站点名称 from 站点 order by 站点名称"));
    list.append(QStringLiteral("所有站点"));
}

Rows SearchGoods(Database& db, const QString& text)
{
    const QString pattern = QLatin1Char('%') + text.trimmed() + QLatin1Char('%');
    const Dialect& d = db.dialect();
    return db.query(QStringLiteral("select 编码,条码,品名,批价,售价,进价,单位 from 商品 where 淘汰否 = ? and ")
                        + d.likeInsensitive(QStringLiteral("条码")) + QStringLiteral(" or ")
                        + d.likeInsensitive(QStringLiteral("品名")) + QStringLiteral(" or ")
                        + d.likeInsensitive(QStringLiteral("编码"))
                        + QStringLiteral(" or 备注 = ? order by 条码"),
                    {QStringLiteral("否"), pattern, pattern, pattern, text});
}

qint64 CountRows(Database& db, const QString& table)
{
    return db.countRows(table);
}

void StockSnapshotTable(Database& db, int action, const QString& warehouse)
{
    const QString t = quoteIdentifier(warehouse);
    switch (action) {
    case 1:
        db.exec(QStringLiteral("create table ") + t
                + QStringLiteral(" (货位 TEXT, 编码 TEXT NOT NULL UNIQUE, 数量 NUMERIC(30,6) DEFAULT 0, "
                                 "金额 NUMERIC(19,4) DEFAULT 0, 日期 TIMESTAMP, 标记 SMALLINT DEFAULT 0, "
                                 "组合库存 TEXT)"));
        break;
    case 2:
        db.exec(QStringLiteral("drop table ") + t);
        break;
    case 3:
        db.exec(QStringLiteral("insert into ") + t
                + QStringLiteral(" (货位,编码,数量,金额,日期,标记,组合库存) "
                                 "select ?, 编码, 0, 0, ?, 标记, ? from 库存"),
                {warehouse, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")), QStringLiteral("0")});
        break;
    default:
        break;
    }
}

} // namespace mzt
