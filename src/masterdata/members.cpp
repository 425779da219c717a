#include "members.h"

#include "rights.h"

namespace mzt {

namespace {

const QString goldType = QStringLiteral("黄金会员折扣");
const QString normalType = QStringLiteral("普通会员折扣");

} // namespace

MasterListConfig memberListConfig()
{
    MasterListConfig c;
    c.table = QStringLiteral("会员");
    c.columns = {
        {.field = QStringLiteral("快捷码"),
         .caption = QStringLiteral("快捷码*"),
         .width = 80,
         .required = true},
        {.field = QStringLiteral("持卡人姓名"),
         .caption = QStringLiteral("持卡人姓名*"),
         .width = 90,
         .required = true},
        {.field = QStringLiteral("身份证号"),
         .caption = QStringLiteral("身份证号*"),
         .width = 150,
         .required = true},
        {.field = QStringLiteral("电话"), .caption = QStringLiteral("电话"), .width = 100},
        {.field = QStringLiteral("手提电话"), .caption = QStringLiteral("手提电话"), .width = 100},
        {.field = QStringLiteral("卡号"),
         .caption = QStringLiteral("会员卡号*"),
         .width = 110,
         .required = true},
        {.field = QStringLiteral("持卡人通信地址"),
         .caption = QStringLiteral("持卡人通信地址"),
         .width = 180},
        {.field = QStringLiteral("邮编"), .caption = QStringLiteral("邮编"), .width = 70},
        {.field = QStringLiteral("会员等级"), .caption = QStringLiteral("会员等级"), .width = 80},
        {.field = QStringLiteral("购物目的"), .caption = QStringLiteral("主要购物目的"), .width = 110},
        {.field = QStringLiteral("会员售价"),
         .caption = QStringLiteral("会员打折类型*"),
         .kind = BoxKind::Choice,
         .choices = MemberList::memberTypes(),
         .width = 110,
         .required = true},
        {.field = QStringLiteral("性别"),
         .caption = QStringLiteral("性别*"),
         .kind = BoxKind::Choice,
         .choices = MemberList::sexes(),
         .width = 50,
         .required = true,
         .filter = false,
         .fillFromRow = false},
    };
    c.saveKeys = {{QStringLiteral("快捷码"), KeySource::Box}};
    c.deleteKeys = {QStringLiteral("持卡人姓名"), QStringLiteral("快捷码")};
    c.requiredMessage = QStringLiteral("请你确保带 [*] 的资料不为空!");
    c.askInsertText = QStringLiteral("是否保存此会员？");
    c.askInsertTitle = QStringLiteral("系统提示");
    c.insertedMessage = QStringLiteral("保存成功！");
    c.insertFailedMessage = QStringLiteral("保存失败！");
    c.updatedMessage = QStringLiteral("修改成功！");
    c.deletedMessage = QStringLiteral("删除成功！");
    c.deleteFailedMessage = QStringLiteral("当前无资料可删除！");
    c.nothingToDeleteMessage = QStringLiteral("当前无资料可删除！");
    c.logNameField = QStringLiteral("持卡人姓名");
    c.logInsert = QStringLiteral("新增加会员信息资料,新增加的会员名是:");
    c.logUpdate = QStringLiteral("修改会员信息资料,修改后的会员名是:");
    return c;
}

MemberList::MemberList(Session& session) : MasterListLogic(session, memberListConfig()) {}

QStringList MemberList::sortFields()
{
    QStringList out;
    for (const MasterColumn& c : memberListConfig().columns) {
        if (c.filter)
            out << c.field;
    }
    return out;
}

bool MemberList::mayEditDiscounts()
{
    if (HasRight(session().db, session().login.JobNo, QStringLiteral("会员折扣设置")))
        return true;
    session().prompter.message(noRightText());
    return false;
}

MemberDiscountTexts MemberList::loadDiscounts()
{
    const Rows rows = session().db.query(QStringLiteral("select 会员类型,折扣 from 会员活动 "));
    if (rows.isEmpty())
        return {QStringLiteral("0.0"), QStringLiteral("0.0")};
    MemberDiscountTexts t;
    for (const Row& r : rows) {
        const QString text =
            Decimal::fromVariant(r.value(QStringLiteral("折扣"))).format(QStringLiteral("0.00"));
        if (r.value(QStringLiteral("会员类型")).toString().trimmed() == goldType)
            t.gold = text;
        else
            t.normal = text;
    }
    return t;
}

bool MemberList::SetMemberDiscounts(const QString& gold, const QString& normal)
{
    const std::optional<Decimal> g = Decimal::parse(gold.trimmed());
    const std::optional<Decimal> n = Decimal::parse(normal.trimmed());
    if (!g || !n || g->isNegative() || n->isNegative()) {
        // Checked first, so a bad box never leaves 会员活动 half rewritten.
        session().prompter.warn(QStringLiteral("请输入正确的会员折扣(不小于0的数字)!"));
        return false;
    }
    Database& db = session().db;
    try {
        TransactionGuard tx(db);
        db.exec(QStringLiteral("delete from 会员活动"));
        const QString insert = QStringLiteral("insert into 会员活动(会员类型,折扣)values(?,?)");
        db.exec(insert, {goldType, g->toVariant()});
        db.exec(insert, {normalType, n->toVariant()});
        tx.commit();
    } catch (const DbError& e) {
        session().prompter.error(e.message());
        return false;
    }
    session().prompter.message(QStringLiteral("设置成功!"));
    return true;
}

} // namespace mzt
