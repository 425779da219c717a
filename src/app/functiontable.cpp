#include "functiontable.h"

namespace mzt {

namespace {

FunctionEntry e(const char* group, const char* caption, QList<int> pages, const char* pageCaption,
                const char* right, const char* window)
{
    FunctionEntry f;
    f.menuGroup = QString::fromUtf8(group);
    f.caption = QString::fromUtf8(caption);
    f.pages = std::move(pages);
    f.pageCaption = QString::fromUtf8(pageCaption);
    f.right = QString::fromUtf8(right);
    f.window = QString::fromUtf8(window);
    return f;
}

FunctionEntry hidden(FunctionEntry f)
{
    f.menuHidden = true;
    return f;
}

FunctionEntry nonModal(FunctionEntry f)
{
    f.mode = OpenMode::NonModal;
    return f;
}

FunctionEntry onPage(FunctionEntry f, int page)
{
    f.setupPage = page;
    return f;
}

FunctionEntry sub(FunctionEntry f, const char* subgroup)
{
    f.menuSubgroup = QString::fromUtf8(subgroup);
    return f;
}

FunctionEntry logged(FunctionEntry f, const char* nature, const char* text)
{
    f.logNature = QString::fromUtf8(nature);
    f.logText = QString::fromUtf8(text);
    return f;
}

FunctionEntry shortcut(FunctionEntry f, const char* caption)
{
    f.shortcutMenu = QString::fromUtf8(caption);
    return f;
}

constexpr int P = PagePurchase, S = PageSales, W = PageStock, F = PageFinance, Y = PageSystem;

QList<FunctionEntry> build()
{
    QList<FunctionEntry> t = {
        onPage(e("[基础资料]", "默认资料设置", {Y}, "默认资料设置", "默认资料设置", "Tfrm_jczlsz"), 6),
        e("[基础资料]", "公司信息设置", {}, "", "更改公司信息", "Tfrm_reprot"),
        shortcut(e("[基础资料]", "商品信息", {P, S, W, Y}, "商品资料", "", "Tfrm_spzl"), "商品资料"),
        shortcut(e("[基础资料]", "供应商信息", {P}, "供商资料", "供应商信息管理", "Tfrm_prvice"), "供应商资料"),
        shortcut(e("[基础资料]", "客户管理", {S, W, Y}, "客户资料", "客户资料查询", "Tfrm_khzl"), "客户资料"),
        e("[基础资料]", "员工(业务员)档案", {P, S, W, Y}, "业务员资料", "", "Tfrm_ywy_info"),
        hidden(e("[基础资料]", "会员资料设置", {}, "", "会员资料管理", "Tfrm_hyxx")),
        e("[基础资料]", "仓库信息设置", {P, W, Y}, "仓库资料", "仓库货位增加", "Tfrm_hwxx_info"),
        shortcut(onPage(e("[基础资料]", "计量单位编辑", {}, "", "计量单位增加", "Tfrm_jczlsz"), 0), "计量单位"),
        hidden(nonModal(e("[采购管理]", "采购订货开票", {}, "", "进货订单开票", "Tfrm_cggl_modi"))),
        e("[采购管理]", "进货入库", {P}, "进货入库", "采购进货开票", "Tfrm_input_modi"),
        e("[采购管理]", "采购退货", {P}, "采购退货", "采购退货开票", "Tfrm_return_modi"),
        e("[采购管理]", "应付款查询", {F}, "采购应付款", "采购应付款管理", "Tfrm_cgyfk"),
        e("[采购管理]", "采购付款", {P}, "采购付款单", "采购付款管理", "Tfrm_skgl"),
        hidden(nonModal(e("[销售管理]", "销售订单", {}, "", "出货订单开票", "Tfrm_xsdjgl_modi"))),
        e("[销售管理]", "销售出货", {S}, "销售出货开单", "出货单开票", "Tfrm_sell"),
        e("[销售管理]", "销售退货", {S}, "销售退货开单", "销售退货开票", "Tfrm_xsthgl_modi"),
        e("[销售管理]", "前台POS销售", {S}, "前台销售(POS)", "POS前台销售", "Tfrm_sell_pos"),
        e("[销售管理]", "POS销售默认参数设置", {S}, "POS默认设置", "", "Tfrm_Default"),
        e("[销售管理]", "应收款查询", {F}, "销售应收款", "销售应收款管理", "Tfrm_xsyskgl"),
        e("[销售管理]", "销售收款", {S}, "销售收款单", "销售收款管理", "Tfrm_xsskgl"),
        e("[仓库管理]", "其它入库(期初入库)", {W}, "其它入库", "其它入库开票", "Tfrm_other_input"),
        e("[仓库管理]", "其它出库(报废出库)", {W}, "其它出库", "其它出库开票", "Tfrm_other_out_sell"),
        hidden(e("[仓库管理]", "借出归还(借记货物)", {}, "", "借还货管理", "Tfrm_spjcgh_new")),
        e("[仓库管理]", "库存盘点(清点库存)", {W}, "库存盘点", "库存盘点调整", "Tfrm_kcpd_modi"),
        e("[仓库管理]", "库存调拨(各仓库调拨)", {W}, "库存调拨", "库存调拨", "Tfrm_kcdb"),
        e("[仓库管理]", "库存调整(调整库存)", {W}, "库存调整", "库存调整", "Tfrm_kctz_chick_chose"),
        e("[仓库管理]", "库存超限警示", {W}, "库存超限警示", "库存报警查询", "Tfrm_kcbj"),
        e("[仓库管理]", "库存查询(库存明细)", {P, S, W}, "商品库存", "库存查询", "Tfrm_kcloc_chose"),
        sub(e("[财务管理]", "银行存取款管理", {F}, "银行存取款", "银行存取款管理", "Tfrm_bank_access"), "账务处理"),
        logged(sub(e("[财务管理]", "银行现金流查询", {F}, "银行现金", "银行现金流查询", "Tfrm_bank_xjl"), "账务处理"),
               "重要", "银行现金流查询操作"),
        e("[财务管理]", "其它费用收入", {F}, "其它费用收入", "其它费用收入管理", "Tfrm_other_money_input"),
        e("[财务管理]", "其它费用支出", {F}, "其它费用支出", "其它费用支出管理", "Tfrm_other_money_out"),
        logged(e("[财务管理]", "其它费用收入查询", {F}, "其它费用收入查询", "其它费用收入查询", "Tfrm_other_input_loc"),
               "一般", "其它费用收入查询操作"),
        logged(e("[财务管理]", "其它费用支出查询", {F}, "其它费用支出查询", "其它费用支出查询", "Tfrm_other_out_loc"),
               "一般", "其它费用支出查询操作"),
        onPage(sub(e("[财务管理]", "付款方式", {F}, "付款方式", "银行账户信息增加", "Tfrm_jczlsz"), "银行及科目设置"), 5),
        onPage(sub(e("[财务管理]", "银行账户资料", {F}, "银行账户资料", "银行账户信息增加", "Tfrm_jczlsz"), "银行及科目设置"), 4),
        onPage(sub(e("[财务管理]", "其它收入项目", {F}, "其它收入资料", "银行账户信息增加", "Tfrm_jczlsz"), "银行及科目设置"), 3),
        onPage(sub(e("[财务管理]", "其它支出项目", {F}, "其它支出资料", "银行账户信息增加", "Tfrm_jczlsz"), "银行及科目设置"), 2),
        onPage(sub(e("[财务管理]", "经手人设置", {F}, "经手人资料", "银行账户信息增加", "Tfrm_jczlsz"), "银行及科目设置"), 1),
        e("[报表与统计]", "商品进出明细汇总", {P, S, W}, "商品进出明细汇总表", "转结当月库存", "Tfrm_jxchz"),
        hidden(e("[报表与统计]", "采购订单报表", {}, "", "采购报表汇总", "Tfrm_report_cgddgl")),
        e("[报表与统计]", "采购进货单报表", {P}, "采购进货单报表", "采购报表汇总", "Tfrm_report_cgjh"),
        e("[报表与统计]", "采购退货单报表", {P, W}, "采购退货单报表", "采购报表汇总", "Tfrm_report_cgth"),
        e("[报表与统计]", "供应商进货汇总表", {P}, "供应商进货汇总表", "采购报表汇总", "Tfrm_gyshzb"),
        e("[报表与统计]", "其它出库单报表", {W}, "其它出库单报表", "其它出库汇总", "Tfrm_report_other_sell"),
        e("[报表与统计]", "其它入库单报表", {W}, "其它入库单报表", "其它入库汇总", "Tfrm_report_other_input"),
        e("[报表与统计]", "客户退货报表", {S, W}, "客户退货报表", "客户退货汇总", "Tfrm_report_khth"),
        e("[报表与统计]", "商品销售报表", {S}, "商品销售报表", "商品销售汇总", "Tfrm_report_sellmx"),
        hidden(e("[报表与统计]", "销售订单报表", {}, "", "销售订单汇总", "Tfrm_report_selldd")),
        e("[报表与统计]", "业务员销售明细", {F}, "业务员销售汇总表", "业务员销售明细", "Tfrm_ywy_yj"),
        e("[报表与统计]", "客户销售汇总表", {S}, "客户销售汇总表", "销售报表汇总", "Tfrm_khxshzb"),
        e("[报表与统计]", "客户销售毛利核算", {S}, "客户销售毛利核算", "毛利核算", "Tfrm_spjytj"),
        e("[报表与统计]", "商品销售毛利核算", {F}, "商品销售毛利核算", "毛利核算", "Tfrm_spxshs"),
        e("[报表与统计]", "进货促销情况查询", {P}, "进货促销情况表", "供商促销汇总", "Tfrm_jhcxqk"),
        e("[报表与统计]", "商品销售促销查询", {S}, "商品销售促销查询", "促销查询", "Tfrm_spcxqk"),
        hidden(e("[其它功能]", "公司信息设置", {}, "", "更改公司信息", "Tfrm_reprot")),
        hidden(e("[其它功能]", "视频操作演示(业务资料操作)", {}, "", "", "@demo2")),
        hidden(e("[其它功能]", "视频操作演示(建商品资料)", {}, "", "", "@demo1")),
        hidden(e("[其它功能]", "系统日志查询", {}, "", "查看系统日志", "Tfrm_option_system_rz")),
        shortcut(hidden(e("[其它功能]", "系统锁定", {}, "", "", "@lock")), "锁定计算机"),
        e("[其它功能]", "记事本", {}, "", "", "@notepad"),
        e("[其它功能]", "计算器", {}, "", "", "@calc"),
        e("[系统控制]", "还原数据库", {Y}, "还原数据库", "数据恢复", "@restore"),
        e("[系统控制]", "备份数据库", {Y}, "备份数据库", "数据备份", "@backup"),
        e("[系统控制]", "系统初始化", {Y}, "系统初始化", "系统初始化", "Tfrm_syscsh"),
        e("[系统控制]", "用户/授权设置", {Y}, "用户/授权设置", "增加操作员", "TFrm_UserAdd"),
        hidden(e("[系统控制]", "销售站点增设", {}, "", "连锁站点增设", "Tfrm_sell_node")),
        e("[系统控制]", "密码更改", {Y}, "密码更改", "", "Tfrm_modify_password"),
        e("[系统控制]", "退出系统", {}, "", "", "@exit"),
        hidden(e("[关于软件]", "关于软件...", {}, "", "", "Tfrm_About")),
    };
    for (FunctionEntry& f : t)
        if (f.window == QStringLiteral("Tfrm_sell_pos"))
            f.window = Action::PosStart;
    return t;
}

} // namespace

const QList<FunctionEntry>& functionTable()
{
    static const QList<FunctionEntry> table = build();
    return table;
}

const QStringList& menuGroups()
{
    static const QStringList groups = {QStringLiteral("[基础资料]"), QStringLiteral("[采购管理]"),
                                       QStringLiteral("[销售管理]"), QStringLiteral("[仓库管理]"),
                                       QStringLiteral("[财务管理]"), QStringLiteral("[报表与统计]"),
                                       QStringLiteral("[其它功能]"), QStringLiteral("[系统控制]"),
                                       QStringLiteral("[关于软件]")};
    return groups;
}

QString pageButtonCaption(int page)
{
    static const char* const names[] = {"", "采购管理", "销售管理", "仓库管理", "财务管理", "系统设置"};
    if (page < 1 || page > 5)
        return {};
    return QStringLiteral("      ") + QString::fromUtf8(names[page]);
}

namespace {

// Width counting each Chinese character as two.
int ansiWidth(QChar c) { return c.unicode() < 0x80 ? 1 : 2; }

} // namespace

QString markPageCaption(const QString& caption, bool chosen)
{
    // Characters 15 and 16 of the caption (Chinese counted twice) carry the marker.
    QString head;
    int width = 0;
    int i = 0;
    for (; i < caption.size() && width + ansiWidth(caption.at(i)) <= 14; ++i) {
        width += ansiWidth(caption.at(i));
        head += caption.at(i);
    }
    if (!chosen)
        return head;
    if (caption.mid(i, 2) == QStringLiteral(">>"))
        return caption;
    return head + QStringLiteral(">>");
}

} // namespace mzt
