#include "tree_check_frm.h"

#include "categorytree.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace mzt {

Tfrm_tree_check::Tfrm_tree_check(Session& session, QWidget* parent, const QString& currentCode)
    : QDialog(parent), m_s(session), m_logic(session)
{
    setWindowTitle(QStringLiteral("类别选择"));
    setObjectName(QStringLiteral("Tfrm_tree_check"));
    resize(360, 480);

    auto* hint = new QLabel(QStringLiteral("请选择商品类别，然后点击“选中”："), this);
    m_tree = new CategoryTree(session, this);
    m_choose = new QPushButton(QStringLiteral("选中"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_choose->setDefault(true);
    m_choose->setMinimumWidth(90);
    m_close->setMinimumWidth(90);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_choose);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);

    connect(m_choose, &QPushButton::clicked, this, [this] { choose(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        if (item && item->childCount() == 0 && item != m_tree->rootItem())
            choose();
    });

    if (!currentCode.isEmpty())
        m_tree->selectCode(currentCode);
    m_tree->setFocus();
}

void Tfrm_tree_check::choose()
{
    const std::optional<CategoryNode> node = m_tree->currentNode();
    if (!m_logic.checkPick(node))
        return;
    m_chosen = node;
    accept();
}

} // namespace mzt
