#include "categorytree.h"

#include "prompter.h"

#include <QHeaderView>

namespace mzt {

namespace {

constexpr int CodeRole = Qt::UserRole;
constexpr int NameRole = Qt::UserRole + 1;
constexpr int LoadedRole = Qt::UserRole + 2;
constexpr int ParentRole = Qt::UserRole + 3;
constexpr int FlagRole = Qt::UserRole + 4;

} // namespace

CategoryTree::CategoryTree(Session& session, QWidget* parent)
    : QTreeWidget(parent), m_s(session), m_logic(session)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(true);
    header()->setStretchLastSection(true);
    setMinimumWidth(200);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { fillChildren(item); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
        if (item) {
            if (const std::optional<CategoryNode> n = currentNode())
                emit nodeChosen(*n);
        }
    });
    reload();
}

QTreeWidgetItem* CategoryTree::makeItem(QTreeWidgetItem* parent, const CategoryNode& node)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, node.caption());
    item->setData(0, CodeRole, node.code);
    item->setData(0, NameRole, node.name);
    item->setData(0, ParentRole, node.parentCode);
    item->setData(0, FlagRole, node.leafFlag);
    item->setData(0, LoadedRole, false);
    item->setChildIndicatorPolicy(node.hasChildren ? QTreeWidgetItem::ShowIndicator
                                                   : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    return item;
}

void CategoryTree::fillChildren(QTreeWidgetItem* item)
{
    if (!item || item->data(0, LoadedRole).toBool())
        return;
    item->setData(0, LoadedRole, true);
    try {
        for (const CategoryNode& n : m_logic.children(item->data(0, CodeRole).toString()))
            makeItem(item, n);
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    if (item->childCount() == 0)
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void CategoryTree::reload()
{
    const QString current = currentCode();
    const QSignalBlocker block(this);
    clear();
    m_root = makeItem(nullptr, Categories::rootNode());
    fillChildren(m_root);
    m_root->setExpanded(true);
    if (current.isEmpty() || !selectCode(current))
        setCurrentItem(nullptr);
}

std::optional<CategoryNode> CategoryTree::currentNode() const
{
    const QTreeWidgetItem* item = currentItem();
    if (!item)
        return std::nullopt;
    CategoryNode n;
    n.code = item->data(0, CodeRole).toString();
    n.name = item->data(0, NameRole).toString();
    n.parentCode = item->data(0, ParentRole).toString();
    n.leafFlag = item->data(0, FlagRole).toString();
    n.hasChildren = item->childCount() > 0;
    return n;
}

QString CategoryTree::currentCode() const
{
    const QTreeWidgetItem* item = currentItem();
    return item ? item->data(0, CodeRole).toString() : QString();
}

QTreeWidgetItem* CategoryTree::itemForCode(const QString& code) const
{
    if (!m_root)
        return nullptr;
    QList<QTreeWidgetItem*> pending{m_root};
    while (!pending.isEmpty()) {
        QTreeWidgetItem* item = pending.takeFirst();
        if (item->data(0, CodeRole).toString() == code)
            return item;
        for (int i = 0; i < item->childCount(); ++i)
            pending.append(item->child(i));
    }
    return nullptr;
}

bool CategoryTree::selectCode(const QString& code)
{
    if (!m_root)
        return false;
    if (code == Categories::rootCode()) {
        setCurrentItem(m_root);
        return true;
    }
    QStringList path;
    try {
        path = m_logic.pathTo(code);
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
        return false;
    }
    QTreeWidgetItem* item = m_root;
    for (const QString& c : path) {
        fillChildren(item);
        item->setExpanded(true);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount(); ++i) {
            if (item->child(i)->data(0, CodeRole).toString() == c) {
                next = item->child(i);
                break;
            }
        }
        if (!next)
            return false;
        item = next;
    }
    if (path.isEmpty())
        return false;
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

} // namespace mzt
