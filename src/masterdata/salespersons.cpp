#include "salespersons.h"

namespace mzt {

MasterListConfig salespersonListConfig()
{
    MasterListConfig c;
    c.table = QStringLiteral("业务员");
    c.columns = {
        {.field = QStringLiteral("客服代号"),
         .caption = QStringLiteral("客服代号*"),
         .width = 90,
         .required = true},
        {.field = QStringLiteral("业务员姓名"),
         .caption = QStringLiteral("业务员姓名*"),
         .width = 100,
         .required = true},
        {.field = QStringLiteral("身份证号"), .caption = QStringLiteral("身份证号"), .width = 160},
        {.field = QStringLiteral("电话"),
         .caption = QStringLiteral("联系电话"),
         .listTitle = QStringLiteral("家庭电话"),
         .width = 110},
        {.field = QStringLiteral("备注"), .caption = QStringLiteral("备注"), .width = 150},
        {.field = QStringLiteral("家庭地址"), .caption = QStringLiteral("家庭地址"), .width = 180},
        {.field = QStringLiteral("手机"), .caption = QStringLiteral("手机"), .width = 110},
        {.field = QStringLiteral("邮箱"), .caption = QStringLiteral("邮箱"), .width = 150},
        {.field = QStringLiteral("学历"), .caption = QStringLiteral("学历"), .width = 70},
        {.field = QStringLiteral("工资卡号"), .caption = QStringLiteral("工资卡号"), .width = 150},
        {.field = QStringLiteral("所属片区"), .caption = QStringLiteral("所属片区"), .width = 100},
    };
    c.saveKeys = {{QStringLiteral("客服代号"), KeySource::Box},
                  {QStringLiteral("业务员姓名"), KeySource::CurrentRow}};
    c.openOrderBy = QStringLiteral("客服代号");
    c.orderBy = QStringLiteral("客服代号 asc");
    c.requiredMessage = QStringLiteral("请你确保:带[*]的资料不为空!");
    c.askInsertText = QStringLiteral("是否保存此业务员？");
    c.askInsertTitle = QStringLiteral("系统提示");
    c.insertedMessage = QStringLiteral("保存成功！");
    c.insertFailedMessage = QStringLiteral("保存失败！");
    c.updatedMessage = QStringLiteral("修改成功！");
    c.askDeleteText = QStringLiteral("是否删除当前业务员？");
    c.askDeleteTitle = QStringLiteral("删除提示");
    c.deletedMessage = QStringLiteral("删除成功！");
    c.logNameField = QStringLiteral("业务员姓名");
    c.logInsert = QStringLiteral("新增加业务员资料,业务员名为:");
    c.logUpdate = QStringLiteral("修改业务员资料,修改后的业务员名为:");
    c.logDelete = QStringLiteral("删除业务员资料,删除的业务员名为:");
    return c;
}

SalespersonList::SalespersonList(Session& session) : MasterListLogic(session, salespersonListConfig()) {}

} // namespace mzt
