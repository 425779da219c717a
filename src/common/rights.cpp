#include "rights.h"

#include "database.h"

#include <QDateTime>

namespace mzt {

const QStringList& rightColumns()
{
    static const QStringList list = QStringLiteral(
        "进货订单开票,采购进货开票,采购退货开票,采购付款管理,采购应付款管理,出货订单开票,出货单开票,"
        "销售收款管理,销售应收款管理,销售退货开票,库存盘点调整,转结当月库存,其它入库开票,其它出库开票,"
        "借还货管理,库存报警查询,库存查询,银行存取款管理,银行现金流查询,其它费用收入管理,其它费用支出管理,"
        "其它费用收入查询,其它费用支出查询,定制客户售价,数据恢复,数据备份,增加操作员,系统初始化,客户历史售价,"
        "销售价格审核,增加管理商品,经营统计,仓库货位增加,银行账户信息增加,增加借货人信息,打印商品资料,"
        "导出数据到excel,计量单位增加,更改公司信息,审核单据,客户资料打印,客户资料查询,反审单据,经理客户查询,"
        "经理供应商查询,经理商品查询,经理经营统计,供应商信息管理,查看系统日志,库存调拨,POS前台销售,会员资料管理,"
        "会员折扣设置,默认资料设置,库存调整,可查看商品进价,采购报表汇总,销售报表汇总,其它入库汇总,其它出库汇总,"
        "客户退货汇总,商品销售汇总,销售订单汇总,业务员销售明细,毛利核算,促销查询,供商进货汇总,供商促销汇总")
                                        .split(QLatin1Char(','));
    return list;
}

const QStringList& extraRightColumns()
{
    static const QStringList list = {QStringLiteral("连锁站点增设"), QStringLiteral("查看所有站点数据"),
                                     QStringLiteral("允许远程登陆"), QStringLiteral("允许跨站点登陆")};
    return list;
}

QStringList allRightColumns()
{
    return rightColumns() + extraRightColumns();
}

bool HasRight(Database& db, const QString& jobNo, const QString& right)
{
    // Only the known right columns reach the statement; anything else is no right at all.
    if (!allRightColumns().contains(right))
        return false;
    return db.exists(QStringLiteral("select 1 from 权限密码 where 工号 = ? and ") + quoteIdentifier(right)
                         + QStringLiteral(" = 1"),
                     {jobNo.trimmed()});
}

void WriteOperationLog(Database& db, const QString& computerName, const QString& operatorName,
                       const QString& jobNo, const QString& nature, const QString& content)
{
    const QDateTime now = QDateTime::currentDateTime();
    db.exec(QStringLiteral("insert into 日志 (日期, 时间, 操作电脑名, 操作员, 操作内容, 性质, 工号) "
                           "values (?, ?, ?, ?, ?, ?, ?)"),
            {now.toString(QStringLiteral("yyyy-MM-dd")), now.toString(QStringLiteral("HH:mm:ss")),
             computerName.trimmed(), operatorName, content, nature, jobNo});
}

} // namespace mzt
