#include "splebei_new_frm.h"

#include "categorytree.h"
#include "prompter.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mzt {

Tfrm_splebei_new::Tfrm_splebei_new(Session& session, QWidget* parent, const QString& currentCode)
    : QDialog(parent), m_s(session), m_logic(session)
{
    setWindowTitle(QStringLiteral("类别名称"));
    setObjectName(QStringLiteral("Tfrm_splebei_new"));
    resize(640, 460);

    m_tree = new CategoryTree(session, this);
    m_parent = new QLabel(this);
    m_parent->setWordWrap(true);
    m_code = new QLineEdit(this);
    m_name = new QLineEdit(this);
    m_code->setMaxLength(20);
    m_name->setMaxLength(50);
    m_code->setPlaceholderText(QStringLiteral("如 01 或 0101"));
    m_asRoot = new QCheckBox(QStringLiteral("设为根结点"), this);

    m_add = new QPushButton(QStringLiteral("增加"), this);
    m_change = new QPushButton(QStringLiteral("修改"), this);
    m_save = new QPushButton(QStringLiteral("保存"), this);
    m_delete = new QPushButton(QStringLiteral("删除"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    for (QPushButton* b : {m_add, m_change, m_save, m_delete, m_close}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(80);
    }
    m_save->setEnabled(false);

    auto* box = new QGroupBox(QStringLiteral("类别资料"), this);
    auto* form = new QFormLayout(box);
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("上级类别："), m_parent);
    form->addRow(QStringLiteral("类别编码*："), m_code);
    form->addRow(QStringLiteral("类别名称*："), m_name);
    form->addRow(QString(), m_asRoot);
    auto* note = new QLabel(QStringLiteral("说明：先在左边选中上级类别，再输入编码和名称后点击“增加”；"
                                           "类别编码建议使用两位(如01)或四位(如0101)数字。"),
                            box);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color:#555;"));
    form->addRow(note);

    auto* buttons = new QGridLayout;
    buttons->addWidget(m_add, 0, 0);
    buttons->addWidget(m_change, 0, 1);
    buttons->addWidget(m_save, 1, 0);
    buttons->addWidget(m_delete, 1, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(box);
    right->addLayout(buttons);
    right->addStretch();
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(m_close);
    right->addLayout(closeRow);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addLayout(right, 1);

    setTabOrder(m_code, m_name);
    setTabOrder(m_name, m_asRoot);
    setTabOrder(m_asRoot, m_add);

    connect(m_add, &QPushButton::clicked, this, [this] { addCategory(); });
    connect(m_change, &QPushButton::clicked, this, [this] { startRename(); });
    connect(m_save, &QPushButton::clicked, this, [this] { saveRename(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteCategory(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_asRoot, &QCheckBox::toggled, this, [this] { updateParentLabel(); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] {
        if (!m_renaming.isEmpty())
            leaveRename();
        updateParentLabel();
    });
    // Enter in the code box moves on; in the name box it adds (or saves a rename).
    connect(m_code, &QLineEdit::returnPressed, this, [this] { m_name->setFocus(); });
    connect(m_name, &QLineEdit::returnPressed, this, [this] {
        if (m_renaming.isEmpty())
            addCategory();
        else
            saveRename();
    });

    if (!currentCode.isEmpty())
        m_tree->selectCode(currentCode);
    updateParentLabel();
    m_code->setFocus();
}

void Tfrm_splebei_new::updateParentLabel()
{
    if (!m_renaming.isEmpty()) {
        m_parent->setText(QStringLiteral("(修改类别名称)"));
        return;
    }
    const std::optional<CategoryNode> n = m_tree->currentNode();
    if (m_asRoot->isChecked() || !n || n->isRoot())
        m_parent->setText(Categories::rootName());
    else
        m_parent->setText(n->caption());
}

void Tfrm_splebei_new::addCategory()
{
    if (!m_renaming.isEmpty())
        leaveRename();
    const std::optional<CategoryNode> n = m_tree->currentNode();
    const QString parent = m_asRoot->isChecked() || !n ? Categories::rootCode() : n->code;
    const QString code = m_code->text().trimmed();
    if (!m_logic.AddCategory(code, m_name->text(), parent))
        return;
    m_changed = true;
    m_tree->reload();
    m_tree->selectCode(parent);
    if (QTreeWidgetItem* item = m_tree->itemForCode(parent))
        item->setExpanded(true);
    m_code->clear();
    m_name->clear();
    m_code->setFocus();
}

void Tfrm_splebei_new::startRename()
{
    const std::optional<CategoryNode> n = m_tree->currentNode();
    if (!n || n->isRoot()) {
        m_s.prompter.warn(QStringLiteral("父结点为[商品类别]不能修改"));
        return;
    }
    m_renaming = n->code;
    m_code->setText(n->code);
    m_code->setReadOnly(true);
    m_name->setText(n->name);
    m_add->setEnabled(false);
    m_save->setEnabled(true);
    updateParentLabel();
    m_name->setFocus();
    m_name->selectAll();
}

void Tfrm_splebei_new::leaveRename()
{
    m_renaming.clear();
    m_code->setReadOnly(false);
    m_code->clear();
    m_name->clear();
    m_add->setEnabled(true);
    m_save->setEnabled(false);
}

void Tfrm_splebei_new::saveRename()
{
    if (m_renaming.isEmpty())
        return;
    const QString code = m_renaming;
    if (!m_logic.RenameCategory(code, m_name->text()))
        return;
    m_changed = true;
    {
        const QSignalBlocker block(m_tree);
        m_tree->reload();
    }
    leaveRename();
    m_tree->selectCode(code);
    updateParentLabel();
}

void Tfrm_splebei_new::deleteCategory()
{
    const std::optional<CategoryNode> n = m_tree->currentNode();
    if (!n) {
        m_s.prompter.warn(QStringLiteral("请先在左边选中要删除的类别!"));
        return;
    }
    if (!m_logic.DeleteCategory(n->code))
        return;
    m_changed = true;
    const QString parent = n->parentCode;
    m_tree->reload();
    m_tree->selectCode(parent.isEmpty() ? Categories::rootCode() : parent);
}

} // namespace mzt
