-- Base schema: every table the program works with, created on an empty database.
--
-- One text runs on SQLite and PostgreSQL. Conventions:
--   text columns          TEXT
--   dates / times         TEXT holding yyyy-MM-dd / HH:mm:ss, so they compare and sort as text
--   quantities, prices    NUMERIC(30,6)
--   money amounts         NUMERIC(19,4)
--   flags (0/1)           SMALLINT DEFAULT 0, so both =1 and ='1' compare on PostgreSQL
--   line numbers 序号     INTEGER, so lines sort 1, 2, ... 10 and not 1, 10, 2
-- Bills are a header table (...主) keyed by 单号 and a line table (...子).
-- {ID} becomes the auto-numbered primary key of the dialect.
-- Per-warehouse stock tables are created at run time when a warehouse is saved.

-- Users and rights: one SMALLINT column per right, 1 = granted.
-- "POS前台销售" is quoted so that PostgreSQL keeps its upper-case letters; the rights
-- checks quote every right column.
create table 权限密码 (
    工号 TEXT NOT NULL,
    姓名 TEXT,
    密码 TEXT,
    级别 TEXT,
    登陆站点 TEXT,
    进货订单开票 SMALLINT NOT NULL DEFAULT 0,
    采购进货开票 SMALLINT NOT NULL DEFAULT 0,
    采购退货开票 SMALLINT NOT NULL DEFAULT 0,
    采购付款管理 SMALLINT NOT NULL DEFAULT 0,
    采购应付款管理 SMALLINT NOT NULL DEFAULT 0,
    出货订单开票 SMALLINT NOT NULL DEFAULT 0,
    出货单开票 SMALLINT NOT NULL DEFAULT 0,
    销售收款管理 SMALLINT NOT NULL DEFAULT 0,
    销售应收款管理 SMALLINT NOT NULL DEFAULT 0,
    销售退货开票 SMALLINT NOT NULL DEFAULT 0,
    库存盘点调整 SMALLINT NOT NULL DEFAULT 0,
    转结当月库存 SMALLINT NOT NULL DEFAULT 0,
    其它入库开票 SMALLINT NOT NULL DEFAULT 0,
    其它出库开票 SMALLINT NOT NULL DEFAULT 0,
    借还货管理 SMALLINT NOT NULL DEFAULT 0,
    库存报警查询 SMALLINT NOT NULL DEFAULT 0,
    库存查询 SMALLINT NOT NULL DEFAULT 0,
    银行存取款管理 SMALLINT NOT NULL DEFAULT 0,
    银行现金流查询 SMALLINT NOT NULL DEFAULT 0,
    其它费用收入管理 SMALLINT NOT NULL DEFAULT 0,
    其它费用支出管理 SMALLINT NOT NULL DEFAULT 0,
    其它费用收入查询 SMALLINT NOT NULL DEFAULT 0,
    其它费用支出查询 SMALLINT NOT NULL DEFAULT 0,
    定制客户售价 SMALLINT NOT NULL DEFAULT 0,
    数据恢复 SMALLINT NOT NULL DEFAULT 0,
    数据备份 SMALLINT NOT NULL DEFAULT 0,
    增加操作员 SMALLINT NOT NULL DEFAULT 0,
    系统初始化 SMALLINT NOT NULL DEFAULT 0,
    客户历史售价 SMALLINT NOT NULL DEFAULT 0,
    销售价格审核 SMALLINT NOT NULL DEFAULT 0,
    增加管理商品 SMALLINT NOT NULL DEFAULT 0,
    经营统计 SMALLINT NOT NULL DEFAULT 0,
    仓库货位增加 SMALLINT NOT NULL DEFAULT 0,
    银行账户信息增加 SMALLINT NOT NULL DEFAULT 0,
    增加借货人信息 SMALLINT NOT NULL DEFAULT 0,
    打印商品资料 SMALLINT NOT NULL DEFAULT 0,
    导出数据到excel SMALLINT NOT NULL DEFAULT 0,
    计量单位增加 SMALLINT NOT NULL DEFAULT 0,
    更改公司信息 SMALLINT NOT NULL DEFAULT 0,
    审核单据 SMALLINT NOT NULL DEFAULT 0,
    客户资料打印 SMALLINT NOT NULL DEFAULT 0,
    客户资料查询 SMALLINT NOT NULL DEFAULT 0,
    反审单据 SMALLINT NOT NULL DEFAULT 0,
    经理客户查询 SMALLINT NOT NULL DEFAULT 0,
    经理供应商查询 SMALLINT NOT NULL DEFAULT 0,
    经理商品查询 SMALLINT NOT NULL DEFAULT 0,
    经理经营统计 SMALLINT NOT NULL DEFAULT 0,
    供应商信息管理 SMALLINT NOT NULL DEFAULT 0,
    查看系统日志 SMALLINT NOT NULL DEFAULT 0,
    库存调拨 SMALLINT NOT NULL DEFAULT 0,
    "POS前台销售" SMALLINT NOT NULL DEFAULT 0,
    会员资料管理 SMALLINT NOT NULL DEFAULT 0,
    会员折扣设置 SMALLINT NOT NULL DEFAULT 0,
    默认资料设置 SMALLINT NOT NULL DEFAULT 0,
    库存调整 SMALLINT NOT NULL DEFAULT 0,
    可查看商品进价 SMALLINT NOT NULL DEFAULT 0,
    采购报表汇总 SMALLINT NOT NULL DEFAULT 0,
    销售报表汇总 SMALLINT NOT NULL DEFAULT 0,
    其它入库汇总 SMALLINT NOT NULL DEFAULT 0,
    其它出库汇总 SMALLINT NOT NULL DEFAULT 0,
    客户退货汇总 SMALLINT NOT NULL DEFAULT 0,
    商品销售汇总 SMALLINT NOT NULL DEFAULT 0,
    销售订单汇总 SMALLINT NOT NULL DEFAULT 0,
    业务员销售明细 SMALLINT NOT NULL DEFAULT 0,
    毛利核算 SMALLINT NOT NULL DEFAULT 0,
    促销查询 SMALLINT NOT NULL DEFAULT 0,
    供商进货汇总 SMALLINT NOT NULL DEFAULT 0,
    供商促销汇总 SMALLINT NOT NULL DEFAULT 0,
    连锁站点增设 SMALLINT NOT NULL DEFAULT 0,
    查看所有站点数据 SMALLINT NOT NULL DEFAULT 0,
    允许远程登陆 SMALLINT NOT NULL DEFAULT 0,
    允许跨站点登陆 SMALLINT NOT NULL DEFAULT 0
);
create unique index ux_quanxian_gonghao on 权限密码 (工号);

-- Operation log, written by every important action.
create table 日志 (
    日期 TEXT,
    时间 TEXT,
    操作电脑名 TEXT,
    操作员 TEXT,
    操作内容 TEXT,
    性质 TEXT,
    工号 TEXT
);
create index ix_rizhi_riqi on 日志 (日期);
create index ix_rizhi_gonghao on 日志 (工号);

-- Goods. Prices are per smallest unit; 上限/下限 count largest units.
create table 商品 (
    编码 TEXT NOT NULL,
    条码 TEXT,
    品名 TEXT,
    单位 TEXT,
    进价 NUMERIC(30,6),
    批价 NUMERIC(30,6),
    售价 NUMERIC(30,6),
    上限 NUMERIC(30,6),
    下限 NUMERIC(30,6),
    供应商 TEXT,
    公司名 TEXT,
    淘汰否 TEXT,
    柜组 TEXT,
    备注 TEXT,
    大包装 TEXT,
    换算数 TEXT,
    小包装 NUMERIC(30,6),
    保质期 TEXT,
    生产日期 TEXT,
    价格一 NUMERIC(30,6),
    价格二 NUMERIC(30,6),
    价格三 NUMERIC(30,6),
    价格四 NUMERIC(30,6),
    价格五 NUMERIC(30,6),
    价格六 NUMERIC(30,6),
    价格七 NUMERIC(30,6),
    价格八 NUMERIC(30,6),
    价格九 NUMERIC(30,6),
    价格十 NUMERIC(30,6),
    价格11 NUMERIC(30,6),
    价格12 NUMERIC(30,6),
    价格13 NUMERIC(30,6),
    价格14 NUMERIC(30,6),
    价格15 NUMERIC(30,6),
    价格16 NUMERIC(30,6),
    价格17 NUMERIC(30,6),
    价格18 NUMERIC(30,6),
    价格19 NUMERIC(30,6),
    价格20 NUMERIC(30,6),
    ID {ID}
);
create unique index ux_shangpin_bianma on 商品 (编码);
create index ix_shangpin_tiaoma on 商品 (条码);
create index ix_shangpin_pinming on 商品 (品名);
create index ix_shangpin_beizhu on 商品 (备注);
create index ix_shangpin_gongyingshang on 商品 (供应商);

-- Goods categories, a tree under the root 父项编码 = 0.
create table 类别 (
    编码 TEXT NOT NULL,
    类名 TEXT,
    父项编码 TEXT,
    未级标志 TEXT,
    层次码 INTEGER
);
create unique index ux_leibie_bianma on 类别 (编码);
create index ix_leibie_fuxiang on 类别 (父项编码);

-- Unit names offered in the goods editor.
create table 单位 (
    编号 TEXT,
    单位名 TEXT,
    进制 INTEGER
);

-- Customers: every column is text, including the amounts the import brings in.
-- Code and name together identify a customer, so neither is unique alone.
create table 客户 (
    编码 TEXT,
    公司名 TEXT,
    电话一 TEXT,
    性质 TEXT,
    电话二 TEXT,
    应收款 TEXT,
    联系人 TEXT,
    负责人 TEXT,
    地址 TEXT,
    传真 TEXT,
    邮件地址 TEXT,
    所处街区 TEXT,
    所处片区 TEXT,
    行业类别 TEXT,
    规模 TEXT,
    信用等级 TEXT,
    信用额度 TEXT,
    结账方式 TEXT,
    结账日 TEXT,
    银行账号 TEXT,
    税号 TEXT,
    业务员 TEXT,
    进场费 TEXT,
    进场起始 TEXT,
    进场天数 TEXT,
    营业面积 TEXT,
    桌数 TEXT,
    包间 TEXT,
    客户等级 TEXT,
    ID {ID}
);
create index ix_kehu_bianma on 客户 (编码);
create index ix_kehu_gongsiming on 客户 (公司名);

-- Suppliers; like customers, code and name together identify one.
create table 供应商 (
    编码 TEXT,
    公司名 TEXT,
    联系人 TEXT,
    电话一 TEXT,
    电话二 TEXT,
    电话 TEXT,
    手机 TEXT,
    邮箱 TEXT,
    银行账户 TEXT,
    行业类别 TEXT,
    期初应付 TEXT,
    应付款 TEXT,
    ID {ID}
);
create index ix_gongyingshang_bianma on 供应商 (编码);
create index ix_gongyingshang_gongsiming on 供应商 (公司名);

-- Warehouses. 货位名称 is also the name of the warehouse stock table; ID gives
-- the order in which warehouses were created ("the first warehouse").
create table 货位 (
    货位编码 TEXT,
    货位名称 TEXT NOT NULL,
    货位性质 TEXT,
    管理人员 TEXT,
    备注 TEXT,
    ID {ID}
);
create unique index ux_huowei_mingcheng on 货位 (货位名称);

-- Salespeople.
create table 业务员 (
    客服代号 TEXT,
    业务员姓名 TEXT,
    身份证号 TEXT,
    电话 TEXT,
    备注 TEXT,
    家庭地址 TEXT,
    手机 TEXT,
    邮箱 TEXT,
    学历 TEXT,
    工资卡号 TEXT,
    所属片区 TEXT,
    自编号 TEXT,
    ID {ID}
);
create index ix_yewuyuan_daihao on 业务员 (客服代号);
create index ix_yewuyuan_xingming on 业务员 (业务员姓名);

-- Members (快捷码 is the key of a save) and the two member discounts.
create table 会员 (
    快捷码 TEXT NOT NULL,
    持卡人姓名 TEXT,
    身份证号 TEXT,
    电话 TEXT,
    手提电话 TEXT,
    卡号 TEXT,
    持卡人通信地址 TEXT,
    邮编 TEXT,
    会员等级 TEXT,
    购物目的 TEXT,
    会员售价 TEXT,
    性别 TEXT
);
create unique index ux_huiyuan_kuaijiema on 会员 (快捷码);
create index ix_huiyuan_kahao on 会员 (卡号);

create table 会员活动 (
    会员类型 TEXT NOT NULL,
    折扣 NUMERIC(30,6)
);
create unique index ux_huiyuanhuodong_leixing on 会员活动 (会员类型);

-- Handlers of money movements.
create table 经手人 (
    编号 TEXT,
    经手人 TEXT
);

-- Sales sites.
create table 站点 (
    站点名称 TEXT NOT NULL,
    站点性质 TEXT,
    管理人员 TEXT,
    备注 TEXT
);
create unique index ux_zhandian_mingcheng on 站点 (站点名称);

-- Company information printed on every bill; empty until the company window saves it.
create table 报表参数 (
    公司名 TEXT,
    销售电话 TEXT,
    传真 TEXT,
    地址 TEXT
);

-- Legacy bill counters, one row; only the system initialisation writes them.
create table 参数 (
    进货单号 INTEGER DEFAULT 0,
    退货单号 INTEGER DEFAULT 0,
    采购单号 INTEGER DEFAULT 0,
    移库单号 INTEGER DEFAULT 0,
    盘点单号 INTEGER DEFAULT 0,
    出库单号 INTEGER DEFAULT 0,
    销售单号 INTEGER DEFAULT 0,
    付款单号 INTEGER DEFAULT 0,
    客户销售单号 INTEGER DEFAULT 0,
    采购订单号 INTEGER DEFAULT 0,
    报价新品单号 INTEGER DEFAULT 0,
    销售退货单号 INTEGER DEFAULT 0,
    其它入库主 INTEGER DEFAULT 0,
    其它出库主单号 INTEGER DEFAULT 0,
    借出归还单号 INTEGER DEFAULT 0,
    商品出库单号 INTEGER DEFAULT 0,
    客户订单单号 INTEGER DEFAULT 0,
    采购收货单号 INTEGER DEFAULT 0,
    库存调拨单号 INTEGER DEFAULT 0
);

-- Sales outbound bills (and POS sales). In the lines 进率 carries the discount,
-- 备注 the production date and 有效期 the remark.
create table 销售主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    客户编码 TEXT,
    客户名称 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    操作员 TEXT,
    业务员 TEXT,
    帐户 TEXT,
    本次收款 NUMERIC(19,4),
    摘要 TEXT,
    备注 TEXT,
    预发生款 NUMERIC(19,4),
    发票号码 TEXT,
    结算标志 TEXT,
    附加说明 TEXT
);
create unique index ux_xszhu_danhao on 销售主 (单号);
create index ix_xszhu_riqi on 销售主 (日期);
create index ix_xszhu_shenhe on 销售主 (审核标志);
create index ix_xszhu_kehumingcheng on 销售主 (客户名称);
create index ix_xszhu_fapiaohao on 销售主 (发票号);

create table 销售子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    品名 TEXT,
    单位 TEXT,
    售价 NUMERIC(30,6),
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件售价 NUMERIC(30,6),
    原售价 NUMERIC(30,6),
    出货仓库 TEXT,
    备注 TEXT,
    成本价 NUMERIC(30,6),
    客户编码 TEXT,
    有效期 TEXT,
    颜色 TEXT
);
create index ix_xszi_danhao on 销售子 (单号);
create index ix_xszi_bianma on 销售子 (编码);

-- Last price per customer and goods item.
create table 客户售价 (
    商品编码 TEXT,
    客户编码 TEXT,
    最近售价 NUMERIC(30,6)
);
create index ix_khsj_kehu_shangpin on 客户售价 (客户编码, 商品编码);

-- Module defaults, one row per 指针 (销售管理, 进货管理, 商场POS); the POS
-- window treats a missing row as "not set up yet".
create table 默认资料表 (
    指针 TEXT NOT NULL,
    POS仓库 TEXT,
    收款去向 TEXT,
    POS打印小票 SMALLINT DEFAULT 0
);
create unique index ux_morenziliao_zhizhen on 默认资料表 (指针);

-- Customer orders. 完成数量/完成金额 are not tracked per line (-1), as in purchase
-- orders; the order reports read them.
create table 客户订单主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    客户编码 TEXT,
    客户名称 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    交货日期 TEXT,
    操作员 TEXT,
    业务员 TEXT,
    帐户 TEXT,
    本次收款 NUMERIC(19,4),
    摘要 TEXT,
    备注 TEXT,
    预发生款 NUMERIC(19,4),
    发票号码 TEXT,
    结算标志 TEXT,
    完成标志 TEXT,
    附加说明 TEXT
);
create unique index ux_khddzhu_danhao on 客户订单主 (单号);
create index ix_khddzhu_riqi on 客户订单主 (日期);
create index ix_khddzhu_shenhe on 客户订单主 (审核标志);

create table 客户订单子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    品名 TEXT,
    单位 TEXT,
    售价 NUMERIC(30,6),
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件售价 NUMERIC(30,6),
    原售价 NUMERIC(30,6),
    出货仓库 TEXT,
    备注 TEXT,
    成本价 NUMERIC(30,6),
    客户编码 TEXT,
    颜色 TEXT,
    完成数量 NUMERIC(30,6) DEFAULT -1,
    完成金额 NUMERIC(19,4) DEFAULT -1
);
create index ix_khddzi_danhao on 客户订单子 (单号);
create index ix_khddzi_bianma on 客户订单子 (编码);

-- Sales returns.
create table 销售退货主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    客户编码 TEXT,
    客户名称 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    操作员 TEXT,
    业务员 TEXT,
    帐户 TEXT,
    本次收款 NUMERIC(19,4),
    摘要 TEXT,
    备注 TEXT,
    预发生款 NUMERIC(19,4),
    发票号码 TEXT,
    结算标志 TEXT,
    附加说明 TEXT
);
create unique index ux_xsthzhu_danhao on 销售退货主 (单号);
create index ix_xsthzhu_riqi on 销售退货主 (日期);
create index ix_xsthzhu_shenhe on 销售退货主 (审核标志);
create index ix_xsthzhu_kehumingcheng on 销售退货主 (客户名称);

create table 销售退货子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    品名 TEXT,
    单位 TEXT,
    售价 NUMERIC(30,6),
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件售价 NUMERIC(30,6),
    原售价 NUMERIC(30,6),
    出货仓库 TEXT,
    备注 TEXT,
    成本价 NUMERIC(30,6),
    客户编码 TEXT,
    颜色 TEXT
);
create index ix_xsthzi_danhao on 销售退货子 (单号);
create index ix_xsthzi_bianma on 销售退货子 (编码);

-- Receivables: 应收款编码 together with 处理单据 identifies a row (codes are
-- unique only to the second).
create table 销售应收款表 (
    订单号 TEXT,
    处理单据 TEXT,
    客户名称 TEXT,
    应收款编码 TEXT,
    发生日期 TEXT,
    收款日期 TEXT,
    应收款 NUMERIC(19,4),
    去零头 NUMERIC(19,4),
    已收款 NUMERIC(19,4),
    欠款 NUMERIC(19,4),
    录入日期 TEXT,
    付清状态 TEXT,
    备注 TEXT,
    发票号 TEXT
);
create unique index ux_xsysk_bianma_chuli on 销售应收款表 (应收款编码, 处理单据);
create index ix_xsysk_chulidanju on 销售应收款表 (处理单据);
create index ix_xsysk_dingdanhao on 销售应收款表 (订单号);
create index ix_xsysk_kehumingcheng on 销售应收款表 (客户名称);
create index ix_xsysk_fashengriqi on 销售应收款表 (发生日期);

-- Receipts against receivables (处理单号 = the receivable's 处理单据).
create table 销售收款表 (
    客户名称 TEXT,
    收款单编码 TEXT,
    收款日期 TEXT,
    收款金额 NUMERIC(19,4),
    发票号 TEXT,
    经手人 TEXT,
    收款方式 TEXT,
    收款去向 TEXT,
    审核标志 SMALLINT DEFAULT 0,
    备注 TEXT,
    处理单号 TEXT
);
create index ix_xssk_bianma on 销售收款表 (收款单编码);
create index ix_xssk_chulidanhao on 销售收款表 (处理单号);
create index ix_xssk_kehumingcheng on 销售收款表 (客户名称);
create index ix_xssk_riqi on 销售收款表 (收款日期);

-- Other receipts.
create table 其它入库主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    备注 TEXT,
    供应商 TEXT,
    公司名 TEXT,
    摘要 TEXT,
    账户 TEXT,
    本次付款 NUMERIC(19,4),
    发票号码 TEXT,
    附加说明 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    操作员 TEXT,
    预发生款 NUMERIC(19,4)
);
create unique index ux_qtrkzhu_danhao on 其它入库主 (单号);
create index ix_qtrkzhu_riqi on 其它入库主 (日期);
create index ix_qtrkzhu_shenhe on 其它入库主 (审核标志);

create table 其它入库子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    条码 TEXT,
    品名 TEXT,
    单位 TEXT,
    进价 NUMERIC(30,6),
    入库仓库 TEXT,
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    新进 NUMERIC(30,6),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件进价 NUMERIC(30,6),
    原进价 NUMERIC(30,6)
);
create index ix_qtrkzi_danhao on 其它入库子 (单号);
create index ix_qtrkzi_bianma on 其它入库子 (编码);

-- Other issues.
create table 其它出库主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    客户编码 TEXT,
    客户名称 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    操作员 TEXT,
    业务员 TEXT,
    帐户 TEXT,
    本次收款 NUMERIC(19,4),
    摘要 TEXT,
    备注 TEXT,
    预发生款 NUMERIC(19,4),
    发票号码 TEXT,
    结算标志 TEXT,
    附加说明 TEXT
);
create unique index ux_qtckzhu_danhao on 其它出库主 (单号);
create index ix_qtckzhu_riqi on 其它出库主 (日期);
create index ix_qtckzhu_shenhe on 其它出库主 (审核标志);

create table 其它出库子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    品名 TEXT,
    单位 TEXT,
    售价 NUMERIC(30,6),
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件售价 NUMERIC(30,6),
    原售价 NUMERIC(30,6),
    出货仓库 TEXT,
    备注 TEXT,
    成本价 NUMERIC(30,6),
    客户编码 TEXT,
    颜色 TEXT
);
create index ix_qtckzi_danhao on 其它出库子 (单号);
create index ix_qtckzi_bianma on 其它出库子 (编码);

-- Stock-takes. 盘存数量 and 帐面数量 hold a number followed by a unit name.
create table 盘点主 (
    单号 TEXT NOT NULL,
    货位 TEXT,
    备注 TEXT,
    附加说明 TEXT,
    操作员 TEXT,
    审核标志 SMALLINT DEFAULT 0,
    盘点时间 TEXT,
    盘点日期 TEXT,
    盘点数量 NUMERIC(30,6),
    盘点金额 NUMERIC(19,4),
    审核日期 TEXT,
    审核时间 TEXT
);
create unique index ux_pdzhu_danhao on 盘点主 (单号);
create index ix_pdzhu_riqi on 盘点主 (盘点日期);
create index ix_pdzhu_shenhe on 盘点主 (审核标志);

create table 盘点子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    品名 TEXT,
    单位 TEXT,
    售价 NUMERIC(30,6),
    个数 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    盘存数量 TEXT,
    帐面数量 TEXT,
    帐面金额 NUMERIC(19,4),
    规格 NUMERIC(30,6),
    进价 NUMERIC(30,6),
    备注 TEXT,
    盘存金额 NUMERIC(19,4)
);
create index ix_pdzi_danhao on 盘点子 (单号);
create index ix_pdzi_bianma on 盘点子 (编码);

-- Stock transfers between warehouses (入库仓库 destination, 出货仓库 source).
create table 库存调拨主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    客户编码 TEXT,
    客户名称 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    操作员 TEXT,
    业务员 TEXT,
    帐户 TEXT,
    本次收款 NUMERIC(19,4),
    摘要 TEXT,
    备注 TEXT,
    预发生款 NUMERIC(19,4),
    发票号码 TEXT,
    结算标志 TEXT,
    附加说明 TEXT
);
create unique index ux_kcdbzhu_danhao on 库存调拨主 (单号);
create index ix_kcdbzhu_riqi on 库存调拨主 (日期);
create index ix_kcdbzhu_shenhe on 库存调拨主 (审核标志);

create table 库存调拨子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    品名 TEXT,
    单位 TEXT,
    入库仓库 TEXT,
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件售价 NUMERIC(30,6),
    原售价 NUMERIC(30,6),
    出货仓库 TEXT,
    备注 TEXT,
    成本价 NUMERIC(30,6),
    客户编码 TEXT
);
create index ix_kcdbzi_danhao on 库存调拨子 (单号);
create index ix_kcdbzi_bianma on 库存调拨子 (编码);

-- Lending and return: borrowers, bills (帐户 = 借出 / 归还) and their lines.
create table 借货人表 (
    编码 TEXT NOT NULL,
    联系人 TEXT,
    电话 TEXT,
    住址 TEXT
);
create unique index ux_jhr_bianma on 借货人表 (编码);

create table 归还主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    客户编码 TEXT,
    客户名称 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    操作员 TEXT,
    业务员 TEXT,
    帐户 TEXT,
    本次收款 NUMERIC(19,4),
    摘要 TEXT,
    备注 TEXT,
    预发生款 NUMERIC(19,4),
    结算标志 TEXT
);
create unique index ux_ghzhu_danhao on 归还主 (单号);
create index ix_ghzhu_riqi on 归还主 (日期);
create index ix_ghzhu_shenhe on 归还主 (审核标志);
create index ix_ghzhu_kehubianma on 归还主 (客户编码);

create table 归还子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    品名 TEXT,
    单位 TEXT,
    售价 NUMERIC(30,6),
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件售价 NUMERIC(30,6),
    原售价 NUMERIC(30,6),
    出货仓库 TEXT,
    备注 TEXT,
    成本价 NUMERIC(30,6),
    客户编码 TEXT,
    颜色 TEXT
);
create index ix_ghzi_danhao on 归还子 (单号);
create index ix_ghzi_bianma on 归还子 (编码);

-- Stock alarm work table, emptied and refilled by every refresh; all text.
create table 库存报警表 (
    编码 TEXT,
    名称 TEXT,
    单位 TEXT,
    当前库存 TEXT,
    库存上限 TEXT,
    库存下限 TEXT,
    超过库存上限 TEXT,
    低于库存下限 TEXT
);

-- Opening stock per goods item.
create table 期初库存表 (
    编码 TEXT,
    期初库存 NUMERIC(30,6),
    期初金额 NUMERIC(19,4)
);
create index ix_qckc_bianma on 期初库存表 (编码);

-- Stock totals over all warehouses, and their copy. At most one row per goods code;
-- quantities are in smallest units. The warehouse stock tables have the same columns.
create table 库存 (
    货位 TEXT,
    编码 TEXT NOT NULL,
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    日期 TIMESTAMP,
    标记 SMALLINT DEFAULT 0,
    组合库存 TEXT
);
create unique index ux_kucun_bianma on 库存 (编码);

create table 库存2 (
    货位 TEXT,
    编码 TEXT NOT NULL,
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    日期 TIMESTAMP,
    标记 SMALLINT DEFAULT 0,
    组合库存 TEXT
);
create unique index ux_kucun2_bianma on 库存2 (编码);

-- Goods receipts. 发票号 holds the purchase order the receipt fulfils.
create table 进货主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    备注 TEXT,
    供应商 TEXT,
    公司名 TEXT,
    摘要 TEXT,
    账户 TEXT,
    本次付款 NUMERIC(19,4),
    发票号码 TEXT,
    附加说明 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    操作员 TEXT,
    预发生款 NUMERIC(19,4)
);
create unique index ux_jhzhu_danhao on 进货主 (单号);
create index ix_jhzhu_riqi on 进货主 (日期);
create index ix_jhzhu_shenhe on 进货主 (审核标志);
create index ix_jhzhu_gongsiming on 进货主 (公司名);
create index ix_jhzhu_fapiaohao on 进货主 (发票号);

create table 进货子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    条码 TEXT,
    品名 TEXT,
    单位 TEXT,
    进价 NUMERIC(30,6),
    入库仓库 TEXT,
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    新进 NUMERIC(30,6),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件进价 NUMERIC(30,6),
    原进价 NUMERIC(30,6),
    保质期 TEXT,
    生产日期 TEXT,
    颜色 TEXT
);
create index ix_jhzi_danhao on 进货子 (单号);
create index ix_jhzi_bianma on 进货子 (编码);

-- Purchase orders.
create table 采购订单主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    备注 TEXT,
    供应商 TEXT,
    公司名 TEXT,
    摘要 TEXT,
    账户 TEXT,
    本次付款 NUMERIC(19,4),
    发票号码 TEXT,
    附加说明 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    操作员 TEXT,
    交货日期 TEXT,
    完成标志 TEXT,
    预发生款 NUMERIC(19,4)
);
create unique index ux_cgddzhu_danhao on 采购订单主 (单号);
create index ix_cgddzhu_riqi on 采购订单主 (日期);
create index ix_cgddzhu_shenhe on 采购订单主 (审核标志);

create table 采购订单子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    条码 TEXT,
    品名 TEXT,
    单位 TEXT,
    进价 NUMERIC(30,6),
    入库仓库 TEXT,
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    新进 NUMERIC(30,6),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件进价 NUMERIC(30,6),
    原进价 NUMERIC(30,6),
    完成数量 NUMERIC(30,6),
    完成金额 NUMERIC(19,4),
    颜色 TEXT
);
create index ix_cgddzi_danhao on 采购订单子 (单号);
create index ix_cgddzi_bianma on 采购订单子 (编码);

-- Purchase returns.
create table 退货主 (
    单号 TEXT NOT NULL,
    发票号 TEXT,
    货位 TEXT,
    备注 TEXT,
    供应商 TEXT,
    公司名 TEXT,
    摘要 TEXT,
    账户 TEXT,
    本次付款 NUMERIC(19,4),
    发票号码 TEXT,
    附加说明 TEXT,
    数量合计 NUMERIC(30,6),
    金额合计 NUMERIC(19,4),
    审核标志 SMALLINT DEFAULT 0,
    日期 TEXT,
    时间 TEXT,
    操作员 TEXT,
    预发生款 NUMERIC(19,4)
);
create unique index ux_thzhu_danhao on 退货主 (单号);
create index ix_thzhu_riqi on 退货主 (日期);
create index ix_thzhu_shenhe on 退货主 (审核标志);
create index ix_thzhu_gongsiming on 退货主 (公司名);

create table 退货子 (
    序号 INTEGER,
    单号 TEXT,
    编码 TEXT,
    条码 TEXT,
    品名 TEXT,
    单位 TEXT,
    进价 NUMERIC(30,6),
    退货仓库 TEXT,
    数量 NUMERIC(30,6),
    金额 NUMERIC(19,4),
    新进 NUMERIC(30,6),
    大单位 TEXT,
    件数量 NUMERIC(30,6),
    进率 NUMERIC(30,6),
    件进价 NUMERIC(30,6),
    原进价 NUMERIC(30,6)
);
create index ix_thzi_danhao on 退货子 (单号);
create index ix_thzi_bianma on 退货子 (编码);

-- Payables: 应付款编码 together with 处理单据 identifies a row. 供应商 is the name.
create table 采购应付款表 (
    应付款编码 TEXT,
    处理单据 TEXT,
    订单号 TEXT,
    供应商 TEXT,
    发生日期 TEXT,
    付款日期 TEXT,
    应付金额 NUMERIC(19,4),
    去零头 NUMERIC(19,4),
    已付金额 NUMERIC(19,4),
    还欠进货款 NUMERIC(19,4),
    录入日期 TEXT,
    付清状态 TEXT,
    发票号 TEXT,
    备注 TEXT
);
create unique index ux_cgyfk_bianma_chuli on 采购应付款表 (应付款编码, 处理单据);
create index ix_cgyfk_chulidanju on 采购应付款表 (处理单据);
create index ix_cgyfk_dingdanhao on 采购应付款表 (订单号);
create index ix_cgyfk_gongyingshang on 采购应付款表 (供应商);
create index ix_cgyfk_fashengriqi on 采购应付款表 (发生日期);

-- Payments against payables.
create table 采购付款表 (
    付款单编码 TEXT,
    供应商 TEXT,
    付款日期 TEXT,
    付款金额 NUMERIC(19,4),
    发票号 TEXT,
    经手人 TEXT,
    付款方式 TEXT,
    付款来源 TEXT,
    审核标志 SMALLINT DEFAULT 0,
    备注 TEXT,
    处理单据 TEXT
);
create index ix_cgfk_bianma on 采购付款表 (付款单编码);
create index ix_cgfk_chulidanju on 采购付款表 (处理单据);
create index ix_cgfk_gongyingshang on 采购付款表 (供应商);
create index ix_cgfk_riqi on 采购付款表 (付款日期);

-- Bank and cash accounts (期未额 is the running balance, moved only by postings)
-- and the account subjects offered as payment methods.
create table 银行帐户表 (
    编号 TEXT,
    账户名称 TEXT NOT NULL,
    期初额 NUMERIC(19,4),
    期未额 NUMERIC(19,4)
);
create unique index ux_yhzh_mingcheng on 银行帐户表 (账户名称);

create table 银行账户 (
    科目编码 TEXT,
    科目名称 TEXT,
    期初额 NUMERIC(19,4)
);

-- Transfers between accounts.
create table 存取款表 (
    单据 TEXT NOT NULL,
    日期 TEXT,
    金额 NUMERIC(19,4),
    转出帐户 TEXT,
    转入帐户 TEXT,
    经手人 TEXT,
    审核状态 SMALLINT DEFAULT 0,
    备注 TEXT,
    相关单据 TEXT,
    操作员 TEXT
);
create unique index ux_cqk_danju on 存取款表 (单据);
create index ix_cqk_riqi on 存取款表 (日期);

-- Cash ledger, one row per movement of one account (备注 = the account name).
-- A transfer writes two rows in the same second, so 自动编码 is not unique.
create table 现金明细表 (
    自动编码 TEXT,
    编码 TEXT,
    日期 TEXT,
    业务类型 TEXT,
    借方发生 NUMERIC(19,4),
    贷方发生 NUMERIC(19,4),
    余额 NUMERIC(19,4),
    票据号码 TEXT,
    备注 TEXT,
    审核状态 SMALLINT DEFAULT 0
);
create index ix_xjmx_zidongbianma on 现金明细表 (自动编码);
create index ix_xjmx_bianma on 现金明细表 (编码);
create index ix_xjmx_riqi on 现金明细表 (日期);
create index ix_xjmx_beizhu on 现金明细表 (备注);

-- Other income and expenses, and their item lists.
create table 其它费用收入表 (
    编码 TEXT NOT NULL,
    收款日期 TEXT,
    收款项目 TEXT,
    金额 NUMERIC(19,4),
    收款方式 TEXT,
    收款去向 TEXT,
    经手人 TEXT,
    审核状态 SMALLINT DEFAULT 0,
    备注 TEXT,
    相关单据 TEXT,
    操作员 TEXT,
    付款客户 TEXT
);
create unique index ux_qtfysr_bianma on 其它费用收入表 (编码);
create index ix_qtfysr_riqi on 其它费用收入表 (收款日期);

create table 其它费用支出表 (
    编码 TEXT NOT NULL,
    付款日期 TEXT,
    付款项目 TEXT,
    金额 NUMERIC(19,4),
    付款方式 TEXT,
    付款来源 TEXT,
    经手人 TEXT,
    审核状态 SMALLINT DEFAULT 0,
    备注 TEXT,
    相关单据 TEXT,
    操作员 TEXT,
    付款客户 TEXT
);
create unique index ux_qtfyzc_bianma on 其它费用支出表 (编码);
create index ix_qtfyzc_riqi on 其它费用支出表 (付款日期);

create table 其它收入 (
    编号 TEXT,
    账户名称 TEXT
);

create table 其它支出 (
    编号 TEXT,
    账户名称 TEXT
);

-- Statistics work tables, emptied and refilled by every refresh.
create table 客户销售汇总表 (
    客户名称 TEXT,
    品名 TEXT,
    单位 TEXT,
    销售数量 NUMERIC(30,6),
    销售金额 NUMERIC(19,4),
    退货数量 NUMERIC(30,6),
    退货金额 NUMERIC(19,4),
    赠送数量 NUMERIC(30,6)
);

create table 采购进货汇总表 (
    供商名称 TEXT,
    品名 TEXT,
    单位 TEXT,
    进货数量 NUMERIC(30,6),
    进货金额 NUMERIC(19,4),
    退货数量 NUMERIC(30,6),
    退货金额 NUMERIC(19,4),
    赠送数量 NUMERIC(30,6)
);

-- Order fulfilment work tables. 数量合计 and 完成数量 end up as pack texts.
create table 采购订单报表 (
    编码 TEXT,
    品名 TEXT,
    数量合计 TEXT,
    金额合计 NUMERIC(19,4),
    完成数量 TEXT,
    完成金额 NUMERIC(19,4),
    数量合计1 NUMERIC(30,6)
);

create table 采购订单报表1 (
    编码 TEXT,
    品名 TEXT,
    数量合计 TEXT,
    金额合计 NUMERIC(19,4),
    完成数量 TEXT,
    完成金额 NUMERIC(19,4),
    数量合计1 NUMERIC(30,6),
    日期 TEXT
);

create table 销售订单报表 (
    编码 TEXT,
    品名 TEXT,
    数量合计 TEXT,
    金额合计 NUMERIC(19,4),
    完成数量 TEXT,
    完成金额 NUMERIC(19,4),
    数量合计1 NUMERIC(30,6)
);

create table 销售订单报表1 (
    编码 TEXT,
    品名 TEXT,
    数量合计 TEXT,
    金额合计 NUMERIC(19,4),
    完成数量 TEXT,
    完成金额 NUMERIC(19,4),
    数量合计1 NUMERIC(30,6),
    日期 TEXT
);

-- The built-in administrator: every right, empty password.
insert into 权限密码 (工号, 姓名, 密码, 级别, 登陆站点,
    进货订单开票, 采购进货开票, 采购退货开票, 采购付款管理, 采购应付款管理, 出货订单开票, 出货单开票, 销售收款管理,
    销售应收款管理, 销售退货开票, 库存盘点调整, 转结当月库存, 其它入库开票, 其它出库开票, 借还货管理, 库存报警查询,
    库存查询, 银行存取款管理, 银行现金流查询, 其它费用收入管理, 其它费用支出管理, 其它费用收入查询, 其它费用支出查询, 定制客户售价,
    数据恢复, 数据备份, 增加操作员, 系统初始化, 客户历史售价, 销售价格审核, 增加管理商品, 经营统计,
    仓库货位增加, 银行账户信息增加, 增加借货人信息, 打印商品资料, 导出数据到excel, 计量单位增加, 更改公司信息, 审核单据,
    客户资料打印, 客户资料查询, 反审单据, 经理客户查询, 经理供应商查询, 经理商品查询, 经理经营统计, 供应商信息管理,
    查看系统日志, 库存调拨, "POS前台销售", 会员资料管理, 会员折扣设置, 默认资料设置, 库存调整, 可查看商品进价,
    采购报表汇总, 销售报表汇总, 其它入库汇总, 其它出库汇总, 客户退货汇总, 商品销售汇总, 销售订单汇总, 业务员销售明细,
    毛利核算, 促销查询, 供商进货汇总, 供商促销汇总, 连锁站点增设, 查看所有站点数据, 允许远程登陆, 允许跨站点登陆)
values ('888', '系统管理员', '', '系统管理员', '未设站点',
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1);

-- The single row of legacy counters.
insert into 参数 (进货单号, 退货单号, 采购单号, 移库单号, 盘点单号, 出库单号, 销售单号, 付款单号,
    客户销售单号, 采购订单号, 报价新品单号, 销售退货单号, 其它入库主, 其它出库主单号, 借出归还单号,
    商品出库单号, 客户订单单号, 采购收货单号, 库存调拨单号)
values (0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
