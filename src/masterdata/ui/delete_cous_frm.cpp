#include "delete_cous_frm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mzt {

TFrm_delete_cous::TFrm_delete_cous(CustomerList& logic, const QString& code, const QString& name,
                                   QWidget* parent)
    : QDialog(parent), m_logic(logic), m_sortForm(false), m_code(code.trimmed()), m_name(name.trimmed())
{
    setWindowTitle(QStringLiteral("删除客户资料条件"));
    auto* top = new QVBoxLayout(this);

    auto* who = new QFormLayout;
    who->setLabelAlignment(Qt::AlignRight);
    auto* nameLabel = new QLabel(m_name, this);
    auto* codeLabel = new QLabel(m_code, this);
    for (QLabel* l : {nameLabel, codeLabel}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setStyleSheet(QStringLiteral("color: #1f4e9a; font-weight: bold;"));
    }
    who->addRow(QStringLiteral("客户名称："), nameLabel);
    who->addRow(QStringLiteral("客户编码："), codeLabel);
    top->addLayout(who);

    auto* group = new QGroupBox(QStringLiteral("要删除的项目"), this);
    auto* checks = new QVBoxLayout(group);
    m_customer = new QCheckBox(QStringLiteral("删除客户资料"), group);
    m_lastPrices = new QCheckBox(QStringLiteral("删除客户最近售价"), group);
    m_salesBills = new QCheckBox(QStringLiteral("删除客户销售记录"), group);
    for (QCheckBox* c : {m_customer, m_lastPrices, m_salesBills})
        checks->addWidget(c);
    top->addWidget(group);

    auto* note = new QLabel(QStringLiteral("删除销售记录不会调整库存和应收款。"), this);
    note->setStyleSheet(QStringLiteral("color: #9a3412;"));
    top->addWidget(note);

    m_ok = addButtons(top, QStringLiteral("确定删除"));
    setMinimumWidth(340);
}

TFrm_delete_cous::TFrm_delete_cous(CustomerList& logic, QWidget* parent)
    : QDialog(parent), m_logic(logic), m_sortForm(true)
{
    setWindowTitle(QStringLiteral("客户资料排序条件选择"));
    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    m_sortField = new QComboBox(this);
    m_sortField->addItem(QString());
    m_sortField->addItems(CustomerList::sortChoices());
    m_direction = new QComboBox(this);
    m_direction->addItem(QString());
    m_direction->addItems(CustomerList::sortDirections());
    form->addRow(QStringLiteral("排序字段："), m_sortField);
    form->addRow(QStringLiteral("排序方式："), m_direction);
    top->addLayout(form);
    m_ok = addButtons(top, QStringLiteral("确定排序"));
    setMinimumWidth(300);
}

QPushButton* TFrm_delete_cous::addButtons(QVBoxLayout* layout, const QString& okCaption)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(okCaption, this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("退出"), this);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    return ok;
}

void TFrm_delete_cous::confirm()
{
    if (m_sortForm) {
        try {
            m_rows = m_logic.SortCustomers(m_sortField->currentText(), m_direction->currentText());
        } catch (const DbError& e) {
            m_logic.session().prompter.error(e.message());
            return;
        }
        accept();
        return;
    }
    const CustomerDeleteChoices choices{m_customer->isChecked(), m_lastPrices->isChecked(),
                                        m_salesBills->isChecked()};
    if (m_logic.DeleteCustomerData(m_code, m_name, choices) == CustomerDeleteResult::Deleted)
        accept();
}

} // namespace mzt
