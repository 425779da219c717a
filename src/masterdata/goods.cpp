#include "goods.h"

#include "categories.h"
#include "prompter.h"
#include "rights.h"
#include "stocktables.h"

#include <QDate>

namespace mzt {

namespace {

const QString manageRight = QStringLiteral("增加管理商品");
const QString priceRight = QStringLiteral("可查看商品进价");

// "!" escapes the LIKE wildcards, as in the other master-data lists.
QString likeLiteral(const QString& text)
{
    QString out;
    out.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == QLatin1Char('!') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            out += QLatin1Char('!');
        out += c;
    }
    return out;
}

QString containsPattern(const QString& text)
{
    return QLatin1Char('%') + likeLiteral(text) + QLatin1Char('%');
}

QString likeTerm(const Dialect& d, const QString& column)
{
    return d.likeInsensitive(column) + QStringLiteral(" escape '!'");
}

bool allDigits(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QVariant numberValue(const QString& text)
{
    return Decimal::fromText(text.trimmed()).toVariant();
}

QString numberText(const QVariant& v)
{
    return v.isNull() ? QString() : Decimal::fromVariant(v).toString();
}

const QString ratioMessage = QStringLiteral("单位换算数必须是1至999999之间的整数,请重新输入!");

// The tables whose lines name goods items; units of a goods item in use stay as they are.
const char* const lineTables[] = {"销售子",     "采购订单子", "销售退货子", "退货子",
                                  "进货子",     "其它入库子", "其它出库子", "盘点子",
                                  "库存调拨子", "客户订单子", "归还子"};

} // namespace

// ---------------------------------------------------------------------------------------------
// PackSpec

bool PackSpec::isUnit(const QString& u)
{
    const QString t = u.trimmed();
    return !t.isEmpty() && t != noUnit();
}

int PackSpec::unitCount() const
{
    if (!isUnit(u1))
        return 0;
    if (!isUnit(u2))
        return 1;
    if (!isUnit(u3))
        return 2;
    return 3;
}

std::optional<qint64> PackSpec::ratioValue(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 1;
    if (!allDigits(t))
        return std::nullopt;
    QString digits = t;
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > 6)
        return std::nullopt;
    const qint64 v = digits.toLongLong();
    if (v < 1)
        return std::nullopt;
    return v;
}

QString PackSpec::normalisedRatio(const QString& text)
{
    const std::optional<qint64> v = ratioValue(text);
    return v ? QString::number(*v) : text.trimmed();
}

QString PackSpec::ratioProblem(int* which) const
{
    const int n = unitCount();
    int bad = 0;
    if (n >= 2 && !ratioValue(n1))
        bad = 1;
    else if (n == 3 && !ratioValue(n2))
        bad = 2;
    if (which)
        *which = bad;
    return bad ? ratioMessage : QString();
}

QString PackSpec::specification() const
{
    const int n = unitCount();
    if (n == 0)
        return {};
    QString s = QStringLiteral("1") + u1.trimmed();
    if (n >= 2)
        s += QLatin1Char('*') + normalisedRatio(n1) + u2.trimmed();
    if (n == 3)
        s += QLatin1Char('*') + normalisedRatio(n2) + u3.trimmed();
    return s;
}

QString PackSpec::unitNames() const
{
    const int n = unitCount();
    QString s;
    if (n >= 1)
        s += u1.trimmed();
    if (n >= 2)
        s += u2.trimmed();
    if (n == 3)
        s += u3.trimmed();
    return s;
}

QString PackSpec::smallestUnit() const
{
    switch (unitCount()) {
    case 1:
        return u1.trimmed();
    case 2:
        return u2.trimmed();
    case 3:
        return u3.trimmed();
    default:
        return {};
    }
}

QString PackSpec::unitText() const
{
    switch (unitCount()) {
    case 1:
        return u1.trimmed() + QStringLiteral("*1");
    case 2:
        return u2.trimmed() + QLatin1Char('*') + normalisedRatio(n1);
    case 3:
        return u3.trimmed() + QLatin1Char('*') + normalisedRatio(n2);
    default:
        return {};
    }
}

qint64 PackSpec::smallPack() const
{
    const qint64 a = ratioValue(n1).value_or(1);
    const qint64 b = ratioValue(n2).value_or(1);
    switch (unitCount()) {
    case 2:
        return a;
    case 3:
        return a * b;
    default:
        return 1;
    }
}

PackSpec PackSpec::fromStored(const QString& specification, const QString& unitNames)
{
    PackSpec p;
    // "1件*12袋*24包": every part is a count followed by a unit name.
    const QStringList parts = specification.trimmed().split(QLatin1Char('*'));
    QStringList names;
    QStringList counts;
    bool readable = !specification.trimmed().isEmpty() && parts.size() <= 3;
    for (const QString& part : parts) {
        qsizetype i = 0;
        while (i < part.size() && part.at(i).isDigit())
            ++i;
        const QString count = part.left(i);
        const QString name = part.mid(i).trimmed();
        if (count.isEmpty() || name.isEmpty()) {
            readable = false;
            break;
        }
        counts.append(count);
        names.append(name);
    }
    if (!readable) {
        names.clear();
        counts.clear();
        const QString n = unitNames.trimmed();
        for (int i = 0; i < n.size() && i < 3; ++i)
            names.append(QString(n.at(i)));
        while (counts.size() < names.size())
            counts.append(QStringLiteral("1"));
    }
    if (names.size() >= 1)
        p.u1 = names.at(0);
    if (names.size() >= 2) {
        p.u2 = names.at(1);
        p.n1 = normalisedRatio(counts.at(1));
    }
    if (names.size() >= 3) {
        p.u3 = names.at(2);
        p.n2 = normalisedRatio(counts.at(2));
    }
    return p;
}

// ---------------------------------------------------------------------------------------------
// GoodsEditor

GoodsEditor::GoodsEditor(Session& session) : m_s(session) {}

QStringList GoodsEditor::priceColumns()
{
    return {QStringLiteral("价格一"), QStringLiteral("价格二"), QStringLiteral("价格三"),
            QStringLiteral("价格四"), QStringLiteral("价格五"), QStringLiteral("价格六"),
            QStringLiteral("价格七"), QStringLiteral("价格八"), QStringLiteral("价格九"),
            QStringLiteral("价格十"), QStringLiteral("价格11"), QStringLiteral("价格12"),
            QStringLiteral("价格13"), QStringLiteral("价格14"), QStringLiteral("价格15"),
            QStringLiteral("价格16"), QStringLiteral("价格17"), QStringLiteral("价格18"),
            QStringLiteral("价格19"), QStringLiteral("价格20")};
}

void GoodsEditor::startAdd()
{
    m_mode = Mode::Add;
    m_stored = GoodsForm{};
    m_storedUnitText.clear();
    m_storedSpecification.clear();
    m_storedUnitNames.clear();
    m_storedBigUnit.clear();
    m_storedSmallPack.clear();
}

bool GoodsEditor::startChange(const QString& code)
{
    Rows rows;
    try {
        if (!code.isEmpty())
            rows = m_s.db.query(QStringLiteral("select * from 商品 where 编码=?"), {code});
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    if (rows.isEmpty()) {
        m_s.prompter.warn(QStringLiteral("当前无资料可修改!"));
        return false;
    }
    const Row& r = rows.first();
    startAdd();
    m_mode = Mode::Change;
    GoodsForm& f = m_stored;
    f.code = r.value(QStringLiteral("编码")).toString();
    f.name = r.value(QStringLiteral("品名")).toString();
    f.quickCode = r.value(QStringLiteral("条码")).toString();
    f.barcode = r.value(QStringLiteral("备注")).toString();
    f.supplierCode = r.value(QStringLiteral("供应商")).toString();
    f.supplierName = r.value(QStringLiteral("公司名")).toString();
    f.shelfLife = r.value(QStringLiteral("保质期")).toString();
    f.productionDate = r.value(QStringLiteral("生产日期")).toString();
    const QString flag = r.value(QStringLiteral("淘汰否")).toString().trimmed();
    f.discontinued = flag == QStringLiteral("是") ? flag : QStringLiteral("否");
    f.purchasePrice = numberText(r.value(QStringLiteral("进价")));
    f.wholesalePrice = numberText(r.value(QStringLiteral("批价")));
    f.retailPrice = numberText(r.value(QStringLiteral("售价")));
    f.upperLimit = numberText(r.value(QStringLiteral("上限")));
    f.lowerLimit = numberText(r.value(QStringLiteral("下限")));
    for (const QString& c : priceColumns())
        f.prices.append(numberText(r.value(c)));
    m_storedUnitText = r.value(QStringLiteral("单位")).toString();
    m_storedSpecification = r.value(QStringLiteral("柜组")).toString();
    m_storedUnitNames = r.value(QStringLiteral("换算数")).toString();
    m_storedBigUnit = r.value(QStringLiteral("大包装")).toString();
    m_storedSmallPack = numberText(r.value(QStringLiteral("小包装")));
    f.pack = PackSpec::fromStored(m_storedSpecification, m_storedUnitNames);
    f.packChanged = false;
    return true;
}

QStringList GoodsEditor::unitChoices()
{
    QStringList out{PackSpec::noUnit()};
    out += m_s.db.column(QStringLiteral("select 单位名 from 单位 order by 编号"));
    return out;
}

QStringList GoodsEditor::categoryChoices()
{
    return Categories(m_s).choiceTexts();
}

QStringList GoodsEditor::warehouses()
{
    return m_s.db.column(QStringLiteral("select 货位名称 from 货位 order by 货位名称"));
}

std::optional<QString> GoodsEditor::proposeNumber(const QString& categoryPart)
{
    // The highest code by length first, so that B010010 counts above B01009; a code that
    // does not end in a number is passed over.
    const Rows rows = m_s.db.query(QStringLiteral(
        "select 编码 from 商品 where 编码 like 'B%' order by length(编码) desc, 编码 desc limit 200"));
    if (rows.isEmpty())
        return QStringLiteral("1");
    for (const Row& r : rows) {
        const QString rest = r.value(0).toString().mid(categoryPart.size() + 1);
        if (!allDigits(rest) || rest.size() > 17)
            continue;
        return QString::number(rest.toLongLong() + 1);
    }
    return std::nullopt;
}

QString GoodsEditor::goodsCode(const QString& categoryPart, const QString& number)
{
    return QStringLiteral("B") + categoryPart + number.trimmed();
}

bool GoodsEditor::isCodeTaken(const QString& categoryPart, const QString& number)
{
    return m_s.db.exists(QStringLiteral("select 编码,品名 from 商品 where ") +
                             likeTerm(m_s.db.dialect(), QStringLiteral("编码")),
                         {containsPattern(goodsCode(categoryPart, number))});
}

bool GoodsEditor::isBarcodeTaken(const QString& barcode)
{
    const QString b = barcode.trimmed();
    if (b.isEmpty() || b == m_stored.barcode.trimmed())
        return false;
    return m_s.db.exists(QStringLiteral("select 编码,品名 from 商品 where 备注<>'' and 备注=?"), {b});
}

bool GoodsEditor::checkBarcode(const QString& barcode)
{
    try {
        if (!isBarcodeTaken(barcode))
            return true;
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.warn(QStringLiteral("对不起条码有重复，请你重新输入！"));
    return false;
}

Rows GoodsEditor::findSuppliers(const QString& text)
{
    const Dialect& d = m_s.db.dialect();
    const QString p = containsPattern(text.trimmed());
    return m_s.db.query(QStringLiteral("select 编码,公司名 from 供应商 where ") +
                            likeTerm(d, QStringLiteral("编码")) + QStringLiteral(" or ") +
                            likeTerm(d, QStringLiteral("公司名")) + QStringLiteral(" order by 公司名"),
                        {p, p});
}

bool GoodsEditor::unitsLocked()
{
    if (m_mode != Mode::Change)
        return false;
    for (const char* table : lineTables) {
        if (m_s.db.exists(QStringLiteral("select 编码 from ") + QString::fromUtf8(table) +
                              QStringLiteral(" where 编码=?"),
                          {m_stored.code}))
            return true;
    }
    return false;
}

bool GoodsEditor::canSeePurchasePrice()
{
    return HasRight(m_s.db, m_s.login.JobNo, priceRight);
}

bool GoodsEditor::mayOpenWarehouses()
{
    try {
        if (HasRight(m_s.db, m_s.login.JobNo, QStringLiteral("仓库货位增加")))
            return true;
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.warn(noRightText());
    return false;
}

bool GoodsEditor::mayOpenUnits()
{
    try {
        if (HasRight(m_s.db, m_s.login.JobNo, QStringLiteral("计量单位增加")))
            return true;
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.warn(noRightText());
    return false;
}

GoodsEditor::SaveResult GoodsEditor::refuse(const QString& text, GoodsField focus, int priceIndex)
{
    m_s.prompter.warn(text);
    return SaveResult{SaveStatus::Refused, focus, priceIndex, {}};
}

std::optional<GoodsEditor::SaveResult> GoodsEditor::checkForm(const GoodsForm& f)
{
    const QString required = QStringLiteral("请您正确输入带 [*] 号的商品资料!");
    const bool hasSpec = (f.packChanged || m_mode == Mode::Add) ? f.pack.unitCount() > 0
                                                                : !m_storedSpecification.trimmed().isEmpty();
    if (!hasSpec)
        return refuse(required, GoodsField::Unit1);
    if (f.name.trimmed().isEmpty())
        return refuse(required, GoodsField::Name);
    if (f.quickCode.trimmed().isEmpty())
        return refuse(required, GoodsField::QuickCode);
    if (f.packChanged || m_mode == Mode::Add) {
        int which = 0;
        const QString problem = f.pack.ratioProblem(&which);
        if (!problem.isEmpty())
            return refuse(problem, which == 1 ? GoodsField::Ratio1 : GoodsField::Ratio2);
    }

    struct NumberBox
    {
        const QString* text;
        const char* caption;
        GoodsField field;
    };
    const NumberBox boxes[] = {
        {&f.purchasePrice, "进价", GoodsField::PurchasePrice},
        {&f.wholesalePrice, "批价", GoodsField::WholesalePrice},
        {&f.retailPrice, "售价", GoodsField::RetailPrice},
        {&f.upperLimit, "上限", GoodsField::UpperLimit},
        {&f.lowerLimit, "下限", GoodsField::LowerLimit},
    };
    const QString notNumber = QStringLiteral("]必须是数字,请重新输入!");
    for (const NumberBox& b : boxes) {
        const QString t = b.text->trimmed();
        if (!t.isEmpty() && !Decimal::parse(t))
            return refuse(QLatin1Char('[') + QString::fromUtf8(b.caption) + notNumber, b.field);
    }
    const QStringList names = priceColumns();
    for (int i = 0; i < f.prices.size() && i < names.size(); ++i) {
        const QString t = f.prices.at(i).trimmed();
        if (!t.isEmpty() && !Decimal::parse(t))
            return refuse(QLatin1Char('[') + names.at(i) + notNumber, GoodsField::Price, i);
    }
    if (isBarcodeTaken(f.barcode))
        return refuse(QStringLiteral("对不起条码有重复，请你重新输入！"), GoodsField::Barcode);
    return std::nullopt;
}

GoodsEditor::SaveResult GoodsEditor::save(const GoodsForm& form)
{
    return m_mode == Mode::Add ? AddGoods(form) : ChangeGoods(form);
}

GoodsEditor::SaveResult GoodsEditor::AddGoods(const GoodsForm& f)
{
    const QString code = goodsCode(f.categoryPart, f.number);
    try {
        if (!HasRight(m_s.db, m_s.login.JobNo, manageRight))
            return refuse(noRightText(), GoodsField::None);
        // Without a category or a number there is no code to check yet.
        if (f.categoryPart.trimmed().isEmpty())
            return refuse(QStringLiteral("请您正确输入带 [*] 号的商品资料!"), GoodsField::Category);
        if (f.number.trimmed().isEmpty())
            return refuse(QStringLiteral("请您正确输入带 [*] 号的商品资料!"), GoodsField::Number);
        if (isCodeTaken(f.categoryPart, f.number))
            return refuse(QStringLiteral("对不起商品编码有类似的重复,请你重新输入！"), GoodsField::Number);
        if (warehouses().isEmpty()) {
            m_s.prompter.warn(QStringLiteral("对不起,当前没有一个仓库信息,请您先增加一个仓库!"));
            return SaveResult{SaveStatus::NoWarehouse, GoodsField::None, -1, {}};
        }
        if (std::optional<SaveResult> problem = checkForm(f))
            return *problem;
        if (!m_s.prompter.ask(QStringLiteral("确实要增加商品吗？"), QStringLiteral("商品增加")))
            return SaveResult{SaveStatus::Cancelled, GoodsField::None, -1, {}};

        // Without the right to see purchase prices the box is hidden and stays empty.
        const bool seesPrice = canSeePurchasePrice();
        TransactionGuard tx(m_s.db);
        WriteOperationLog(m_s.db, m_s.login.ComputerName, m_s.login.OperatorName, m_s.login.JobNo,
                          QStringLiteral("重要"),
                          QStringLiteral("新增商品资料,新增的商品名为:") + f.name.trimmed());
        m_s.db.exec(
            QStringLiteral(
                "insert into 商品(编码,条码,品名,单位,进价,批价,售价,上限,下限,供应商,公司名,淘汰否,"
                "柜组,备注,大包装,换算数,保质期,生产日期)values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {code, f.quickCode.trimmed(), f.name.trimmed(), f.pack.unitText(),
             numberValue(seesPrice ? f.purchasePrice : QString()), numberValue(f.wholesalePrice),
             numberValue(f.retailPrice), numberValue(f.upperLimit), numberValue(f.lowerLimit),
             f.supplierCode.trimmed(), f.supplierName.trimmed(), QStringLiteral("否"), f.pack.specification(),
             f.barcode.trimmed(), f.pack.u1.trimmed(), f.pack.unitNames(), f.shelfLife.trimmed(),
             f.productionDate.trimmed()});
        StockTables::AddGoodsRows(m_s.db, code);
        writePrices(code, f, QString::number(f.pack.smallPack()));
        tx.commit();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return SaveResult{SaveStatus::Failed, GoodsField::None, -1, {}};
    }
    m_s.prompter.message(QStringLiteral("增加新商品成功！"));
    return SaveResult{SaveStatus::Saved, GoodsField::None, -1, code};
}

void GoodsEditor::writePrices(const QString& code, const GoodsForm& f, const QString& smallPack)
{
    const QStringList names = priceColumns();
    QString sql = QStringLiteral("update 商品 set ");
    QVariantList values;
    for (int i = 0; i < names.size(); ++i) {
        sql += names.at(i) + QStringLiteral("=?,");
        values.append(numberValue(i < f.prices.size() ? f.prices.at(i) : QString()));
    }
    sql += QStringLiteral("小包装=? where 编码=?");
    values << numberValue(smallPack) << code;
    m_s.db.exec(sql, values);
}

GoodsEditor::SaveResult GoodsEditor::ChangeGoods(const GoodsForm& f)
{
    const QString code = m_stored.code;
    try {
        if (!HasRight(m_s.db, m_s.login.JobNo, manageRight))
            return refuse(noRightText(), GoodsField::None);
        if (code.isEmpty()) {
            m_s.prompter.warn(QStringLiteral("当前无资料可修改!"));
            return SaveResult{SaveStatus::Refused, GoodsField::None, -1, {}};
        }
        // Bill lines count in smallest units: units of a goods item in use stay as they are.
        const bool packChanged = f.packChanged && !unitsLocked();
        GoodsForm form = f;
        form.packChanged = packChanged;
        if (std::optional<SaveResult> problem = checkForm(form))
            return *problem;
        if (!m_s.prompter.ask(QStringLiteral("确实要修改吗？"), QStringLiteral("记录修改")))
            return SaveResult{SaveStatus::Cancelled, GoodsField::None, -1, {}};

        const QString unitText = packChanged ? f.pack.unitText() : m_storedUnitText;
        const QString spec = packChanged ? f.pack.specification() : m_storedSpecification;
        const QString names = packChanged ? f.pack.unitNames() : m_storedUnitNames;
        const QString bigUnit = packChanged ? f.pack.u1.trimmed() : m_storedBigUnit;
        const QString smallPack = packChanged ? QString::number(f.pack.smallPack()) : m_storedSmallPack;
        // A hidden purchase price is kept as it was.
        const QString purchase = canSeePurchasePrice() ? f.purchasePrice : m_stored.purchasePrice;
        const QStringList warehouseNames = warehouses();

        TransactionGuard tx(m_s.db);
        WriteOperationLog(m_s.db, m_s.login.ComputerName, m_s.login.OperatorName, m_s.login.JobNo,
                          QStringLiteral("重要"),
                          QStringLiteral("修改商品资料,商品名修改为:") + f.name.trimmed());
        m_s.db.exec(
            QStringLiteral("update 商品 set 条码=?,品名=?,单位=?,柜组=?,进价=?,批价=?,售价=?,上限=?,下限=?,"
                           "淘汰否=?,供应商=?,公司名=?,备注=?,换算数=?,保质期=?,生产日期=? where 编码=?"),
            {f.quickCode.trimmed(), f.name.trimmed(), unitText, spec, numberValue(purchase),
             numberValue(f.wholesalePrice), numberValue(f.retailPrice), numberValue(f.upperLimit),
             numberValue(f.lowerLimit),
             f.discontinued.trimmed() == QStringLiteral("是") ? QStringLiteral("是") : QStringLiteral("否"),
             f.supplierCode.trimmed(), f.supplierName.trimmed(), f.barcode.trimmed(), names,
             f.shelfLife.trimmed(), f.productionDate.trimmed(), code});
        if (PackSpec::isUnit(bigUnit))
            m_s.db.exec(QStringLiteral("update 商品 set 大包装=? where 编码=?"), {bigUnit, code});
        if (!warehouseNames.isEmpty())
            m_s.db.exec(QStringLiteral("update 库存 set 货位=? where 编码=?"),
                        {warehouseNames.first(), code});
        writePrices(code, f, smallPack.isEmpty() ? QStringLiteral("1") : smallPack);
        tx.commit();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return SaveResult{SaveStatus::Failed, GoodsField::None, -1, {}};
    }
    return SaveResult{SaveStatus::Saved, GoodsField::None, -1, code};
}

// ---------------------------------------------------------------------------------------------
// GoodsList

GoodsList::GoodsList(Session& session) : m_s(session) {}

QStringList GoodsList::listFields()
{
    return {QStringLiteral("编码"),   QStringLiteral("条码"),   QStringLiteral("品名"),
            QStringLiteral("单位"),   QStringLiteral("进价"),   QStringLiteral("批价"),
            QStringLiteral("售价"),   QStringLiteral("上限"),   QStringLiteral("下限"),
            QStringLiteral("供应商"), QStringLiteral("公司名"), QStringLiteral("淘汰否"),
            QStringLiteral("价格一"), QStringLiteral("价格二"), QStringLiteral("价格三"),
            QStringLiteral("价格四"), QStringLiteral("价格五"), QStringLiteral("价格六"),
            QStringLiteral("价格七"), QStringLiteral("价格八"), QStringLiteral("价格九"),
            QStringLiteral("价格十"), QStringLiteral("大包装"), QStringLiteral("换算数"),
            QStringLiteral("柜组"),   QStringLiteral("备注"),   QStringLiteral("小包装"),
            QStringLiteral("价格11"), QStringLiteral("价格12"), QStringLiteral("价格13"),
            QStringLiteral("价格14"), QStringLiteral("价格15"), QStringLiteral("价格16"),
            QStringLiteral("价格17"), QStringLiteral("价格18"), QStringLiteral("价格19"),
            QStringLiteral("价格20"), QStringLiteral("保质期"), QStringLiteral("生产日期")};
}

Rows GoodsList::run()
{
    QStringList fields = listFields();
    if (m_joinStock)
        fields[0] = QStringLiteral("商品.编码");
    QString sql = QStringLiteral("select ") + fields.join(QLatin1Char(',')) + QStringLiteral(" from 商品");
    if (m_joinStock)
        sql += QStringLiteral(",库存 where 商品.编码=库存.编码");
    if (!m_condition.isEmpty())
        sql += (m_joinStock ? QStringLiteral(" and ") : QStringLiteral(" where ")) + m_condition;
    if (m_byName)
        sql += QStringLiteral(" order by 品名 asc");
    return m_s.db.query(sql, m_values);
}

Rows GoodsList::ListGoods()
{
    m_condition.clear();
    m_values.clear();
    m_joinStock = false;
    m_byName = false;
    return run();
}

Rows GoodsList::ListGoodsInCategory(const QString& categoryCode)
{
    m_joinStock = false;
    m_byName = true;
    m_values.clear();
    m_condition.clear();
    if (!categoryCode.isEmpty() && categoryCode != Categories::rootCode()) {
        // Goods made here carry "B" before the category part; imported goods carry the part
        // alone, which the first term catches.
        const QString p = QStringLiteral("B") + likeLiteral(categoryCode) + QLatin1Char('%');
        m_condition = QStringLiteral("(") +
                      m_s.db.dialect().concat({QStringLiteral("'B'"), QStringLiteral("商品.编码")}) +
                      QStringLiteral(" like ? escape '!' or 商品.编码 like ? escape '!')");
        m_values = {p, p};
    }
    return run();
}

Rows GoodsList::ListGoodsByQuery(const GoodsQuery& q)
{
    const Dialect& d = m_s.db.dialect();
    const std::pair<const QString*, QString> boxes[] = {
        {&q.code, QStringLiteral("商品.编码")}, {&q.quickCode, QStringLiteral("条码")},
        {&q.name, QStringLiteral("品名")},      {&q.supplier, QStringLiteral("公司名")},
        {&q.barcode, QStringLiteral("备注")},
    };
    QStringList terms;
    m_values.clear();
    for (const auto& [text, column] : boxes) {
        const QString t = text->trimmed();
        if (t.isEmpty())
            continue;
        terms.append(likeTerm(d, column));
        m_values.append(containsPattern(t));
    }
    m_condition = terms.join(QStringLiteral(" and "));
    m_joinStock = true;
    m_byName = false;
    return run();
}

Rows GoodsList::ListGoodsByName()
{
    m_condition.clear();
    m_values.clear();
    m_joinStock = false;
    m_byName = true;
    return run();
}

Rows GoodsList::reload()
{
    return run();
}

bool GoodsList::canSeePurchasePrice()
{
    return HasRight(m_s.db, m_s.login.JobNo, priceRight);
}

bool GoodsList::mayManage()
{
    try {
        if (HasRight(m_s.db, m_s.login.JobNo, manageRight))
            return true;
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.warn(noRightText());
    return false;
}

bool GoodsList::DeleteGoods(const QString& code, const QString& name)
{
    if (!mayManage())
        return false;
    if (code.isEmpty())
        return false;
    if (!m_s.prompter.ask(QStringLiteral("确实要删除当前选择的商品吗"), QStringLiteral("商品删除")))
        return false;
    try {
        TransactionGuard tx(m_s.db);
        WriteOperationLog(m_s.db, m_s.login.ComputerName, m_s.login.OperatorName, m_s.login.JobNo,
                          QStringLiteral("重要"), QStringLiteral("删除商品资料,商品名为:") + name);
        // The code is the goods item's key; its stock rows go with it.
        m_s.db.exec(QStringLiteral("delete from 商品 where 编码=?"), {code});
        StockTables::DeleteGoodsRows(m_s.db, code);
        tx.commit();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.message(QStringLiteral("删除成功！"));
    return true;
}

std::optional<GoodsList::PrintJob> GoodsList::PrintGoods()
{
    try {
        if (!HasRight(m_s.db, m_s.login.JobNo, QStringLiteral("打印商品资料"))) {
            m_s.prompter.warn(noRightText());
            return std::nullopt;
        }
        WriteOperationLog(m_s.db, m_s.login.ComputerName, m_s.login.OperatorName, m_s.login.JobNo,
                          QStringLiteral("一般"), QStringLiteral("打印商品资料"));
        QString sql = QStringLiteral("select 备注,品名,单位,批价,售价,进价,公司名 from 商品");
        if (m_joinStock)
            sql += QStringLiteral(",库存 where 商品.编码=库存.编码");
        if (!m_condition.isEmpty())
            sql += (m_joinStock ? QStringLiteral(" and ") : QStringLiteral(" where ")) + m_condition;
        sql += QStringLiteral(" order by 品名");
        PrintJob job;
        job.rows = m_s.db.query(sql, m_values);
        if (job.rows.isEmpty()) {
            m_s.prompter.warn(QStringLiteral("当前没有资料可打印!"));
            return std::nullopt;
        }
        const bool withPrice =
            canSeePurchasePrice() &&
            m_s.prompter.ask(QStringLiteral("你要打印商品的进价吗"), QStringLiteral("商品打印"));
        job.templateFile =
            withPrice ? QStringLiteral("zcfrf\\proceduct.frf") : QStringLiteral("zcfrf\\proceduct1.frf");
        return job;
    } catch (const DbError&) {
        m_s.prompter.warn(QStringLiteral("请先过滤商品资料!"));
        return std::nullopt;
    }
}

GoodsSelectionEntry GoodsList::selectionEntry(const QString& code, const QString& unitText,
                                              const QVariant& retailPrice, const QString& name,
                                              const QString& warehouse)
{
    GoodsSelectionEntry e;
    e.code = code;
    e.unit = unitText.left(1);
    e.warehouse = warehouse;
    e.price = Decimal::fromVariant(retailPrice).toString();
    e.name = name;
    return e;
}

} // namespace mzt
