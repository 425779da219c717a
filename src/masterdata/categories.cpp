#include "categories.h"

#include "prompter.h"
#include "rights.h"

namespace mzt {

namespace {

const QString manageRight = QStringLiteral("增加管理商品");

// The columns of a node and whether it has a sub-category, in one statement.
const QString nodeSelect =
    QStringLiteral("select 编码,类名,父项编码,未级标志,"
                   "(select count(*) from 类别 c where c.父项编码=类别.编码) as 子类数 from 类别 ");

} // namespace

bool CategoryNode::isRoot() const
{
    return code == Categories::rootCode();
}

QString CategoryNode::caption() const
{
    if (isRoot())
        return name;
    return name + QLatin1Char('(') + code + QLatin1Char(')');
}

Categories::Categories(Session& session) : m_s(session) {}

CategoryNode Categories::rootNode()
{
    CategoryNode n;
    n.code = rootCode();
    n.name = rootName();
    n.leafFlag = QStringLiteral("否");
    n.hasChildren = true;
    return n;
}

CategoryNode Categories::nodeFrom(const Row& r) const
{
    CategoryNode n;
    n.code = r.value(0).toString();
    n.name = r.value(1).toString();
    n.parentCode = r.value(2).toString();
    n.leafFlag = r.value(3).toString();
    n.hasChildren = n.leafFlag == QStringLiteral("否") && r.value(4).toLongLong() > 0;
    return n;
}

QList<CategoryNode> Categories::children(const QString& parentCode)
{
    QList<CategoryNode> out;
    const Rows rows =
        m_s.db.query(nodeSelect + QStringLiteral("where 父项编码=? order by 编码"), {parentCode});
    for (const Row& r : rows)
        out.append(nodeFrom(r));
    return out;
}

std::optional<CategoryNode> Categories::find(const QString& code)
{
    if (code == rootCode())
        return rootNode();
    const Rows rows = m_s.db.query(nodeSelect + QStringLiteral("where 编码=?"), {code});
    if (rows.isEmpty())
        return std::nullopt;
    return nodeFrom(rows.first());
}

QStringList Categories::pathTo(const QString& code)
{
    QStringList path;
    QString c = code;
    // A damaged tree may hold a loop; a category is never deeper than the number of categories.
    for (int guard = 0; guard < 10000 && !c.isEmpty() && c != rootCode(); ++guard) {
        const std::optional<QVariant> parent =
            m_s.db.scalar(QStringLiteral("select 父项编码 from 类别 where 编码=?"), {c});
        if (!parent)
            return {};
        if (path.contains(c))
            break;
        path.prepend(c);
        c = parent->toString();
    }
    return path;
}

QStringList Categories::choiceTexts()
{
    QStringList out;
    const Rows rows = m_s.db.query(QStringLiteral("select 类名,编码 from 类别 order by 类名"));
    for (const Row& r : rows)
        out.append(r.value(0).toString() + QLatin1Char('(') + r.value(1).toString() + QLatin1Char(')'));
    return out;
}

QString Categories::codeFromChoice(const QString& choice)
{
    const qsizetype open = choice.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return {};
    const qsizetype close = choice.indexOf(QLatin1Char(')'), open + 1);
    if (close < 0)
        return {};
    return choice.mid(open + 1, close - open - 1);
}

QString Categories::goodsCodePart(const QString& categoryCode)
{
    return categoryCode.size() == 2 ? categoryCode + QStringLiteral("00") : categoryCode;
}

bool Categories::mayChange()
{
    if (HasRight(m_s.db, m_s.login.JobNo, manageRight))
        return true;
    m_s.prompter.warn(noRightText());
    return false;
}

bool Categories::AddCategory(const QString& codeText, const QString& nameText, const QString& parentCode)
{
    const QString code = codeText.trimmed();
    const QString name = nameText.trimmed();
    try {
        if (!mayChange())
            return false;
        if (name == rootName()) {
            m_s.prompter.warn(QStringLiteral("类别名称不能为[商品类别]!"));
            return false;
        }
        if (code.isEmpty()) {
            m_s.prompter.warn(QStringLiteral("请输入类别编码!"));
            return false;
        }
        if (name.isEmpty()) {
            m_s.prompter.warn(QStringLiteral("请输入类别名称!"));
            return false;
        }
        if (code == rootCode()) {
            m_s.prompter.warn(QStringLiteral("类别编码不能为0(零)!"));
            return false;
        }
        const std::optional<QVariant> n =
            m_s.db.scalar(QStringLiteral("select count(*) as 记录数 from 类别 where 编码=?"), {code});
        if (n && n->toLongLong() > 0) {
            m_s.prompter.warn(QStringLiteral("已经有此[类别编码],请用其它的编码!"));
            return false;
        }

        const bool atRoot = parentCode.isEmpty() || parentCode == rootCode();
        int level = 0;
        if (!atRoot) {
            const std::optional<QVariant> parentLevel =
                m_s.db.scalar(QStringLiteral("select 层次码 from 类别 where 编码=?"), {parentCode});
            if (!parentLevel) {
                // The parent went away since the tree was read.
                m_s.prompter.warn(QStringLiteral("上级类别已不存在,请刷新后重新选择!"));
                return false;
            }
            level = parentLevel->toInt() + 1;
        }

        TransactionGuard tx(m_s.db);
        m_s.db.exec(QStringLiteral("insert into 类别(编码,类名,未级标志,父项编码,层次码)values(?,?,?,?,?)"),
                    {code, name, QStringLiteral("是"), atRoot ? rootCode() : parentCode, level});
        if (!atRoot)
            m_s.db.exec(QStringLiteral("update 类别 set 未级标志='否' where 编码=?"), {parentCode});
        tx.commit();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.message(QStringLiteral("增加成功!"));
    return true;
}

bool Categories::RenameCategory(const QString& codeText, const QString& nameText)
{
    const QString code = codeText.trimmed();
    const QString name = nameText.trimmed();
    try {
        if (!mayChange())
            return false;
        if (code.isEmpty() || code == rootCode()) {
            m_s.prompter.warn(QStringLiteral("父结点为[商品类别]不能修改"));
            return false;
        }
        if (name == rootName()) {
            m_s.prompter.warn(QStringLiteral("类别名称不能为[商品类别]!"));
            return false;
        }
        if (name.isEmpty()) {
            m_s.prompter.warn(QStringLiteral("请输入类别名称!"));
            return false;
        }
        m_s.db.exec(QStringLiteral("update 类别 set 类名=? where 编码=?"), {name, code});
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.message(QStringLiteral("修改成功！"));
    return true;
}

bool Categories::DeleteCategory(const QString& codeText)
{
    const QString code = codeText.trimmed();
    try {
        if (!mayChange())
            return false;
        if (code.isEmpty() || code == rootCode()) {
            m_s.prompter.warn(QStringLiteral("父结点为[商品类别]不能删除"));
            return false;
        }
        const Rows rows =
            m_s.db.query(QStringLiteral("select 未级标志,父项编码 from 类别 where 编码=?"), {code});
        if (rows.isEmpty())
            return false;
        const QString flag = rows.first().value(0).toString();
        const QString parent = rows.first().value(1).toString();
        // The flag can be stale after an import or an older program; a sub-category refuses too.
        if (flag == QStringLiteral("否") ||
            m_s.db.exists(QStringLiteral("select 编码 from 类别 where 父项编码=?"), {code})) {
            m_s.prompter.warn(QStringLiteral("此大类下面还有子类,您必须先将子类删除!"));
            return false;
        }

        TransactionGuard tx(m_s.db);
        if (!parent.isEmpty() && parent != rootCode()) {
            const std::optional<QVariant> siblings =
                m_s.db.scalar(QStringLiteral("select count(*) from 类别 where 父项编码=?"), {parent});
            if (siblings && siblings->toLongLong() == 1)
                m_s.db.exec(QStringLiteral("update 类别 set 未级标志=? where 编码=?"),
                            {QStringLiteral("是"), parent});
        }
        m_s.db.exec(QStringLiteral("delete from 类别 where 编码=?"), {code});
        tx.commit();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    m_s.prompter.message(QStringLiteral("删除成功!"));
    return true;
}

bool Categories::checkPick(const std::optional<CategoryNode>& node)
{
    if (!node || node->code.isEmpty() || node->isRoot()) {
        m_s.prompter.warn(QStringLiteral("选中的项目-不能为[根目录]或不能为\"空\",请重新选择!"));
        return false;
    }
    return true;
}

} // namespace mzt
