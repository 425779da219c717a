#include "report.h"

#include "moneywords.h"
#include "packs.h"
#include "reportexpression.h"

#include <QDateTime>
#include <QSqlField>
#include <QTime>

#include <algorithm>
#include <exception>

namespace mzt {

namespace {

bool isNumericType(int id)
{
    switch (id) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

// Numeric columns arrive as text at full precision ("12.500000" from PostgreSQL, "12.5"
// from SQLite); held as decimals they print alike on both.
QVariant cellValue(const Row& r, int c)
{
    const QVariant v = r.value(c);
    if (v.typeId() == QMetaType::QString && isNumericType(r.field(c).metaType().id())) {
        if (const std::optional<Decimal> d = Decimal::parse(v.toString()))
            return QVariant::fromValue(*d);
    }
    return v;
}

QVariantList rowValues(const Row& r)
{
    QVariantList values;
    values.reserve(r.count());
    for (int c = 0; c < r.count(); ++c)
        values.append(cellValue(r, c));
    return values;
}

} // namespace

ReportData ReportData::fromRows(const Rows& rows)
{
    ReportData data;
    if (!rows.isEmpty()) {
        const Row& first = rows.first();
        for (int c = 0; c < first.count(); ++c)
            data.columns.append(first.fieldName(c));
    }
    data.rows.reserve(rows.size());
    for (const Row& r : rows)
        data.rows.append(rowValues(r));
    return data;
}

ReportData ReportData::fromRow(const Row& row)
{
    ReportData data;
    for (int c = 0; c < row.count(); ++c)
        data.columns.append(row.fieldName(c));
    if (!row.isEmpty())
        data.rows.append(rowValues(row));
    return data;
}

int ReportData::columnIndex(const QString& name) const
{
    const qsizetype exact = columns.indexOf(name);
    if (exact >= 0)
        return int(exact);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QVariant ReportData::value(int row, int column) const
{
    if (row < 0 || row >= rows.size() || column < 0)
        return {};
    const QVariantList& r = rows.at(row);
    return column < r.size() ? r.at(column) : QVariant();
}

QStringList ReportPage::texts() const
{
    QStringList out;
    for (const ReportPageItem& it : items) {
        if (it.kind == ItemKind::Text)
            out.append(it.text);
    }
    return out;
}

QList<const ReportPageItem*> ReportPage::itemsOf(BandKind band) const
{
    QList<const ReportPageItem*> out;
    for (const ReportPageItem& it : items) {
        if (it.band == band)
            out.append(&it);
    }
    return out;
}

struct Report::Data
{
    ReportTemplate tmpl;
    bool loaded = false;
    QString path;
    QString title;
    ReportData data;
    QList<QPair<QString, ReportData>> named; // in the order they were given
    Database* db = nullptr;
    QHash<QString, ReportFunction> functions; // keyed by lower-case name
    QHash<QString, QVariant> variables;       // keyed by lower-case name
    QDate from;
    QDate to;
    QString site;
    QString party;

    const ReportData* namedSet(const QString& name) const
    {
        for (const auto& [n, set] : named) {
            if (n.compare(name, Qt::CaseInsensitive) == 0)
                return &set;
        }
        return nullptr;
    }
};

namespace {

// Results of the database-backed functions within one layout, keyed by name and arguments.
using CallCache = QHash<QString, ReportValue>;

struct EvalPosition
{
    int row = -1;       // the current data row, -1 for none
    int scopeFirst = 0; // the rows aggregates run over
    int scopeLast = -1;
    int page = 1;
    int pages = 1;
    bool inAggregate = false;
};

class EvalScope final : public ReportScope
{
public:
    EvalScope(const Report::Data& d, CallCache& cache, const EvalPosition& pos)
        : m_d(d), m_cache(cache), m_pos(pos)
    {
    }

    ReportValue lookup(const QString& name) const override
    {
        const int dot = int(name.indexOf(QLatin1Char('.')));
        if (dot > 0) {
            if (const ReportData* set = m_d.namedSet(name.left(dot))) {
                const int c = set->columnIndex(name.mid(dot + 1));
                if (c >= 0)
                    return ReportValue::fromVariant(set->value(0, c));
            }
        }
        if (const int c = m_d.data.columnIndex(name); c >= 0)
            return ReportValue::fromVariant(m_d.data.value(m_pos.row, c));
        for (const auto& entry : m_d.named) {
            if (const int c = entry.second.columnIndex(name); c >= 0)
                return ReportValue::fromVariant(entry.second.value(0, c));
        }
        const QString key = name.toLower();
        if (const auto v = m_d.variables.constFind(key); v != m_d.variables.constEnd())
            return ReportValue::fromVariant(*v);
        return builtinVariable(key);
    }

    ReportValue call(const QString& name, const QList<ReportExprPtr>& args) const override
    {
        const QString key = name.toLower();
        if (key == u"sum" || key == u"count" || key == u"avg" || key == u"min" || key == u"max")
            return aggregate(key, args);
        if (const auto f = m_d.functions.constFind(key); f != m_d.functions.constEnd()) {
            QVariantList values;
            for (const ReportExprPtr& a : args)
                values.append(EvaluateReportExpression(*a, *this).toVariant());
            try {
                return ReportValue::fromVariant((*f)(values));
            } catch (...) {
                return {};
            }
        }
        QList<ReportValue> values;
        for (const ReportExprPtr& a : args)
            values.append(EvaluateReportExpression(*a, *this));
        return builtinFunction(key, values);
    }

private:
    ReportValue builtinVariable(const QString& key) const
    {
        if (key == u"page" || key == u"页码")
            return ReportValue::number(Decimal(m_pos.page));
        if (key == u"pages" || key == u"总页数")
            return ReportValue::number(Decimal(m_pos.pages));
        if (key == u"line" || key == u"行号")
            return m_pos.row >= 0 ? ReportValue::number(Decimal(m_pos.row + 1)) : ReportValue();
        if (key == u"rowcount" || key == u"记录数")
            return ReportValue::number(Decimal(m_d.data.rowCount()));
        if (key == u"date" || key == u"当前日期")
            return ReportValue::text(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        if (key == u"time" || key == u"当前时间")
            return ReportValue::text(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
        if (key == u"title" || key == u"报表标题")
            return ReportValue::text(m_d.title.isEmpty() ? m_d.tmpl.title : m_d.title);
        return {};
    }

    ReportValue aggregate(const QString& key, const QList<ReportExprPtr>& args) const
    {
        // An aggregate inside another would run over every row once per row.
        if (m_pos.inAggregate)
            return {};
        if (key == u"count" && args.isEmpty())
            return ReportValue::number(Decimal(std::max(0, m_pos.scopeLast - m_pos.scopeFirst + 1)));
        if (args.size() != 1)
            return {};
        // The same sum stands in every row of a band; work it out once per range.
        const QString cacheKey = QStringLiteral("\x1e%1\x1e%2\x1e%3\x1e%4\x1e%5")
                                     .arg(key)
                                     .arg(quintptr(args.first().get()))
                                     .arg(m_pos.scopeFirst)
                                     .arg(m_pos.scopeLast)
                                     .arg(m_pos.page);
        if (const auto hit = m_cache.constFind(cacheKey); hit != m_cache.constEnd())
            return *hit;
        const ReportValue v = aggregateOverRows(key, *args.first());
        m_cache.insert(cacheKey, v);
        return v;
    }

    ReportValue aggregateOverRows(const QString& key, const ReportExpr& arg) const
    {
        Decimal total;
        std::optional<Decimal> best;
        int counted = 0;
        for (int r = m_pos.scopeFirst; r <= m_pos.scopeLast; ++r) {
            EvalPosition at = m_pos;
            at.row = r;
            at.inAggregate = true;
            const EvalScope rowScope(m_d, m_cache, at);
            const ReportValue v = EvaluateReportExpression(arg, rowScope);
            if (key == u"count") {
                if (!v.isNull() && !v.toText().isEmpty())
                    ++counted;
                continue;
            }
            const std::optional<Decimal> n = v.toNumber();
            if (!n)
                continue;
            ++counted;
            total += *n;
            if (!best || (key == u"min" && *n < *best) || (key == u"max" && *best < *n))
                best = *n;
        }
        if (key == u"count")
            return ReportValue::number(Decimal(counted));
        if (key == u"sum")
            return ReportValue::number(total);
        if (counted == 0)
            return {};
        if (key == u"avg")
            return ReportValue::number(total / Decimal(counted));
        return ReportValue::number(*best);
    }

    // Database lookups repeat for every row with the same arguments; ask once per layout.
    template <typename F>
    ReportValue cached(const QString& key, const QList<ReportValue>& args, F&& compute) const
    {
        QString k = key;
        for (const ReportValue& a : args)
            k += QChar(0x1f) + a.toText();
        if (const auto hit = m_cache.constFind(k); hit != m_cache.constEnd())
            return *hit;
        ReportValue v;
        try {
            v = compute();
        } catch (...) {
            v = ReportValue();
        }
        m_cache.insert(k, v);
        return v;
    }

    static std::optional<Decimal> numberArg(const QList<ReportValue>& args, int i)
    {
        if (i >= args.size())
            return std::nullopt;
        if (args.at(i).isNull())
            return Decimal();
        return args.at(i).toNumber();
    }

    ReportValue builtinFunction(const QString& key, const QList<ReportValue>& args) const
    {
        if (key == u"iif") {
            if (args.size() != 3)
                return {};
            return args.at(0).isTrue() ? args.at(1) : args.at(2);
        }
        if (key == u"format") {
            if (args.size() != 2)
                return {};
            return ReportValue::text(args.at(0).toText(args.at(1).toText()));
        }
        if (key == u"round") {
            const std::optional<Decimal> n = numberArg(args, 0);
            const std::optional<Decimal> places = args.size() > 1 ? numberArg(args, 1) : Decimal();
            if (!n || !places || places->truncated() < 0 || places->truncated() > 6)
                return {};
            return ReportValue::number(n->round(int(places->truncated())));
        }
        if (key == u"abs") {
            const std::optional<Decimal> n = numberArg(args, 0);
            if (!n)
                return {};
            return ReportValue::number(n->isNegative() ? -*n : *n);
        }
        if (key == u"ntoc") {
            const std::optional<Decimal> n = numberArg(args, 0);
            if (!n)
                return {};
            return ReportValue::text(MoneyToChineseUpper(*n));
        }
        if (key == u"getqsrq")
            return m_d.from.isValid() ? ReportValue::text(m_d.from.toString(QStringLiteral("yyyy-MM-dd")))
                                      : ReportValue();
        if (key == u"getzzrq")
            return m_d.to.isValid() ? ReportValue::text(m_d.to.toString(QStringLiteral("yyyy-MM-dd")))
                                    : ReportValue();
        if (key == u"get_node") {
            const QString site = m_d.site.trimmed();
            if (site.isEmpty() || site == u"所有站点")
                return ReportValue::text(QStringLiteral("所有销售站点"));
            return ReportValue::text(m_d.site);
        }
        if (!m_d.db)
            return {};
        Database& db = *m_d.db;
        if (key == u"gettxm") {
            if (args.size() != 1)
                return {};
            return cached(key, args, [&] {
                const Rows rows =
                    db.query(QStringLiteral("select 备注 from 商品 where 品名=?"), {args.at(0).toText()});
                return ReportValue::text(rows.isEmpty() ? QString() : rows.first().value(0).toString());
            });
        }
        if (key == u"getchm") {
            const QString name = args.isEmpty() ? m_d.party : args.at(0).toText();
            return cached(key, {ReportValue::text(name)}, [&] {
                const QStringList found =
                    db.column(QStringLiteral("select DISTINCT 公司名  from 客户 where 公司名=?"), {name});
                return ReportValue::text(found.isEmpty() ? name : found.first());
            });
        }
        if (key == u"get_zh") {
            const std::optional<Decimal> q = numberArg(args, 0);
            if (!q || args.size() != 2)
                return {};
            return cached(key, args,
                          [&] { return ReportValue::text(GoodsPackText(db, *q, args.at(1).toText())); });
        }
        if (key == u"get_dw") {
            const std::optional<Decimal> x = numberArg(args, 0);
            const std::optional<Decimal> y = numberArg(args, 1);
            if (!x || !y || args.size() != 3)
                return {};
            return cached(key, args, [&] {
                return ReportValue::text(GoodsUnitPriceText(db, *x, *y, args.at(2).toText()));
            });
        }
        if (key == u"get_jj") {
            const std::optional<Decimal> p = numberArg(args, 0);
            if (!p || args.size() != 2)
                return {};
            return cached(key, args,
                          [&] { return ReportValue::text(GoodsPackPriceText(db, *p, args.at(1).toText())); });
        }
        return {};
    }

    const Report::Data& m_d;
    CallCache& m_cache;
    EvalPosition m_pos;
};

struct Placement
{
    const ReportBand* band = nullptr;
    double top = 0;
    int row = -1;
};

struct PagePlan
{
    QList<Placement> bands;
    QList<int> rows;
};

// Stacks the bands on pages: the title on the first page, the page header and the
// column header on every page, detail rows until the next one would run into the page
// footer, the summary after the last row and the page footer at the foot of every page.
QList<PagePlan> planPages(const ReportTemplate& t, const QSizeF& content, int rowCount)
{
    const ReportBand* title = t.band(BandKind::ReportTitle);
    const ReportBand* header = t.band(BandKind::PageHeader);
    const ReportBand* columns = t.band(BandKind::ColumnHeader);
    const ReportBand* detail = t.band(BandKind::Detail);
    const ReportBand* summary = t.band(BandKind::Summary);
    const ReportBand* footer = t.band(BandKind::PageFooter);
    const double footerTop = content.height() - (footer ? footer->height : 0);
    constexpr double slack = 1e-6;

    QList<PagePlan> pages;
    double y = 0;
    bool bodyOnPage = false;
    bool columnsOnPage = false;

    auto place = [&](const ReportBand* b, int row = -1) {
        pages.last().bands.append(Placement{b, y, row});
        y += b->height;
    };
    auto startPage = [&] {
        pages.append(PagePlan{});
        y = 0;
        bodyOnPage = false;
        columnsOnPage = false;
        if (title && pages.size() == 1)
            place(title);
        if (header)
            place(header);
    };
    auto placeColumns = [&] {
        if (columns && !columnsOnPage) {
            place(columns);
            columnsOnPage = true;
        }
    };

    startPage();
    if (detail) {
        for (int r = 0; r < rowCount; ++r) {
            const double need = detail->height + (columns && !columnsOnPage ? columns->height : 0);
            if (bodyOnPage && y + need > footerTop + slack)
                startPage();
            placeColumns();
            place(detail, r);
            pages.last().rows.append(r);
            bodyOnPage = true;
        }
    }
    if (rowCount == 0 || !detail)
        placeColumns();
    if (summary) {
        if (bodyOnPage && y + summary->height > footerTop + slack)
            startPage();
        place(summary);
    }
    if (footer) {
        for (PagePlan& p : pages)
            p.bands.append(Placement{footer, footerTop, -1});
    }
    return pages;
}

ReportPageItem pageItem(const ReportItem& it, BandKind band, const QPointF& origin)
{
    ReportPageItem out;
    out.kind = it.kind;
    out.band = band;
    const QPointF topLeft = origin + QPointF(it.x, it.y);
    if (it.kind == ItemKind::Line)
        out.line = QLineF(topLeft, topLeft + QPointF(it.width, it.height));
    else
        out.rect = QRectF(topLeft, QSizeF(it.width, it.height));
    out.fontFamily = it.fontFamily;
    out.fontSize = it.fontSize;
    out.bold = it.bold;
    out.italic = it.italic;
    out.hAlign = it.hAlign;
    out.vAlign = it.vAlign;
    out.wordWrap = it.wordWrap;
    out.frames = it.frames;
    out.lineWidth = it.lineWidth;
    return out;
}

} // namespace

Report::Report() : d(std::make_unique<Data>()) {}
Report::~Report() = default;
Report::Report(const Report& other) : d(std::make_unique<Data>(*other.d)) {}

Report& Report::operator=(const Report& other)
{
    if (this != &other)
        *d = *other.d;
    return *this;
}

bool Report::load(const QString& programFolder, const QString& relativeFile)
{
    return loadFile(ResolveReportPath(programFolder, relativeFile));
}

bool Report::loadFile(const QString& path)
{
    d->path = path;
    std::optional<ReportTemplate> t = ReportTemplate::readFile(path);
    d->loaded = t.has_value();
    d->tmpl = t ? *t : ReportTemplate();
    return d->loaded;
}

bool Report::isLoaded() const
{
    return d->loaded;
}

QString Report::filePath() const
{
    return d->path;
}

const ReportTemplate& Report::reportTemplate() const
{
    return d->tmpl;
}

void Report::setTemplate(const ReportTemplate& t)
{
    d->tmpl = t;
    d->loaded = true;
}

void Report::setTitle(const QString& title)
{
    d->title = title;
}

QString Report::title() const
{
    return d->title;
}

void Report::setDataSet(const Rows& rows)
{
    d->data = ReportData::fromRows(rows);
}

void Report::setDataSet(const ReportData& data)
{
    d->data = data;
}

const ReportData& Report::dataSet() const
{
    return d->data;
}

void Report::setCompanyData(const Row& row)
{
    setNamedRow(CompanyDataSetName, row);
}

void Report::setNamedRow(const QString& name, const Row& row)
{
    setNamedRow(name, ReportData::fromRow(row));
}

void Report::setNamedRow(const QString& name, const ReportData& data)
{
    for (auto& entry : d->named) {
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0) {
            entry.second = data;
            return;
        }
    }
    d->named.append({name, data});
}

void Report::setDatabase(Database* db)
{
    d->db = db;
}

void Report::addFunction(const QString& name, ReportFunction fn)
{
    if (fn)
        d->functions.insert(name.toLower(), std::move(fn));
    else
        d->functions.remove(name.toLower());
}

void Report::setVariable(const QString& name, const QVariant& value)
{
    d->variables.insert(name.toLower(), value);
}

void Report::setPeriod(const QDate& from, const QDate& to)
{
    d->from = from;
    d->to = to;
}

void Report::setSite(const QString& site)
{
    d->site = site;
}

void Report::setPartyName(const QString& name)
{
    d->party = name;
}

QList<ReportPage> Report::layout() const
{
    return layout(d->tmpl.page.paperSize());
}

QList<ReportPage> Report::layout(const QSizeF& paperSize) const
{
    if (!d->loaded)
        return {};
    const ReportTemplate& t = d->tmpl;
    PageSetup setup = t.page;
    setup.landscape = false;
    setup.width = paperSize.width();
    setup.height = paperSize.height();
    const QSizeF content = setup.contentSize();
    const int rowCount = d->data.rowCount();
    const QList<PagePlan> plans = planPages(t, content, rowCount);

    // Field texts are parsed once per layout, not once per row.
    QHash<const ReportItem*, CompiledReportText> compiled;
    for (const ReportBand& b : t.bands) {
        for (const ReportItem& it : b.items) {
            if (it.kind == ItemKind::Text)
                compiled.insert(&it, CompileReportText(it.text));
        }
    }

    CallCache cache;
    QList<ReportPage> pages;
    pages.reserve(plans.size());
    const int pageCount = int(plans.size());
    for (int p = 0; p < pageCount; ++p) {
        const PagePlan& plan = plans.at(p);
        ReportPage page;
        page.paperSize = paperSize;
        page.rows = plan.rows;
        const int lastRow = rowCount - 1;
        for (const Placement& placed : plan.bands) {
            EvalPosition pos;
            pos.page = p + 1;
            pos.pages = pageCount;
            pos.scopeFirst = 0;
            pos.scopeLast = lastRow;
            switch (placed.band->kind) {
            case BandKind::Detail:
                pos.row = placed.row;
                break;
            case BandKind::ReportTitle:
                pos.row = rowCount > 0 ? 0 : -1;
                break;
            case BandKind::PageHeader:
            case BandKind::ColumnHeader:
                pos.row = plan.rows.isEmpty() ? lastRow : plan.rows.first();
                break;
            case BandKind::Summary:
                pos.row = lastRow;
                break;
            case BandKind::PageFooter:
                pos.row = plan.rows.isEmpty() ? lastRow : plan.rows.last();
                // Sums in the page footer are the page's own.
                pos.scopeFirst = plan.rows.isEmpty() ? 0 : plan.rows.first();
                pos.scopeLast = plan.rows.isEmpty() ? -1 : plan.rows.last();
                break;
            }
            const EvalScope scope(*d, cache, pos);
            const QPointF origin(setup.marginLeft, setup.marginTop + placed.top);
            for (const ReportItem& it : placed.band->items) {
                ReportPageItem out = pageItem(it, placed.band->kind, origin);
                if (it.kind == ItemKind::Text)
                    out.text = EvaluateReportText(compiled.value(&it), scope, it.picture);
                page.items.append(out);
            }
        }
        pages.append(page);
    }
    return pages;
}

QString Report::evaluate(const QString& text, int row, const QString& picture) const
{
    CallCache cache;
    EvalPosition pos;
    pos.row = row < d->data.rowCount() ? row : -1;
    pos.scopeLast = d->data.rowCount() - 1;
    const EvalScope scope(*d, cache, pos);
    return EvaluateReportText(CompileReportText(text), scope, picture);
}

Row ReadCompanyData(Database& db)
{
    try {
        const Rows rows = db.query(QStringLiteral("select 公司名,销售电话,传真,地址 from 报表参数"));
        if (!rows.isEmpty())
            return rows.first();
    } catch (const std::exception&) {
        // No company row yet: the bill prints without its header texts.
    }
    return Row();
}

} // namespace mzt
