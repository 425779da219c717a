#include "reprot_frm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mzt {

Tfrm_reprot::Tfrm_reprot(Session& session, QWidget* parent) : QDialog(parent), m_logic(session)
{
    setObjectName(QStringLiteral("Tfrm_reprot"));
    setWindowTitle(QStringLiteral("公司信息设置"));

    m_name = new QLineEdit(QStringLiteral("XXXX贸易有限公司"), this);
    m_phone = new QLineEdit(this);
    m_fax = new QLineEdit(this);
    m_address = new QLineEdit(this);
    m_order = {m_name, m_phone, m_fax, m_address};
    for (QLineEdit* box : m_order) {
        box->setMinimumWidth(320);
        box->installEventFilter(this);
    }

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setVerticalSpacing(10);
    form->addRow(QStringLiteral("公司名称："), m_name);
    form->addRow(QStringLiteral("销售电话："), m_phone);
    form->addRow(QStringLiteral("传    真："), m_fax);
    form->addRow(QStringLiteral("联系地址："), m_address);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    // Enter in a box moves on (event filter); on a button it presses that button.
    for (QPushButton* b : {m_ok, m_cancel}) {
        b->setAutoDefault(true);
        b->setMinimumWidth(80);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, [this] { confirm(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (const std::optional<CompanyInfo> c = m_logic.load()) {
        m_name->setText(c->name);
        m_phone->setText(c->phone);
        m_fax->setText(c->fax);
        m_address->setText(c->address);
    }
    setFixedSize(sizeHint());
}

void Tfrm_reprot::confirm()
{
    const CompanySaveResult r =
        m_logic.SaveCompanyInfo({m_name->text(), m_phone->text(), m_fax->text(), m_address->text()});
    // A refused statement keeps the typed values on screen.
    if (r == CompanySaveResult::Failed)
        return;
    accept();
}

bool Tfrm_reprot::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int i = m_order.indexOf(qobject_cast<QLineEdit*>(watched));
        if (i >= 0 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            if (i + 1 < m_order.size())
                m_order.at(i + 1)->setFocus();
            else
                m_ok->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace mzt
