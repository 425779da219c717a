#include "lock_system_frm.h"

#include "database.h"
#include "locklogic.h"
#include "prompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace mzt {

Tfrm_lock_system::Tfrm_lock_system(Session& session, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_s(session)
{
    setWindowTitle(QStringLiteral("鸿昇软件-系统锁定"));
    setFixedSize(400, 250);

    auto* caption = new QLabel(QStringLiteral("[系统已锁定]"), this);
    QFont cf = caption->font();
    cf.setPointSize(cf.pointSize() + 5);
    cf.setBold(true);
    caption->setFont(cf);
    caption->setStyleSheet(QStringLiteral("color:white;"));

    m_job = new QLineEdit(m_s.login.JobNo, this);
    m_job->setReadOnly(true);
    m_job->setFocusPolicy(Qt::NoFocus);
    m_name = new QLineEdit(m_s.login.OperatorName, this);
    m_name->setReadOnly(true);
    m_name->setFocusPolicy(Qt::NoFocus);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_admin = new QCheckBox(QStringLiteral("系统管理员解锁"), this);
    m_unlock = new QPushButton(QStringLiteral("解 锁"), this);
    m_unlock->setToolTip(QStringLiteral("登入系统"));
    m_unlock->setAutoDefault(false);

    auto* form = new QGridLayout;
    form->setVerticalSpacing(10);
    form->addWidget(new QLabel(QStringLiteral("工  号："), this), 0, 0);
    form->addWidget(m_job, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("锁定人:"), this), 1, 0);
    form->addWidget(m_name, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("密  码："), this), 2, 0);
    form->addWidget(m_password, 2, 1);
    form->addWidget(m_admin, 3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 10, 24, 18);
    layout->addWidget(caption);
    layout->addSpacing(18);
    layout->addLayout(form);
    layout->addStretch();
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_unlock);
    layout->addLayout(row);

    connect(m_admin, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            LockLogic::AdminModeChosen(m_s);
            m_password->setFocus();
        }
    });
    connect(m_unlock, &QPushButton::clicked, this, [this] { unlock(); });
    connect(m_password, &QLineEdit::returnPressed, this, [this] { unlock(); });
    m_password->setFocus();
}

void Tfrm_lock_system::unlock()
{
    bool ok = false;
    try {
        ok = LockLogic::Unlock(m_s, m_admin->isChecked(), m_job->text(), m_name->text(), m_password->text());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    if (ok) {
        m_unlocked = true;
        accept();
        return;
    }
    m_password->clear();
    m_password->setFocus();
}

void Tfrm_lock_system::reject()
{
    // Escape and closing do not unlock.
    if (m_unlocked)
        QDialog::reject();
}

void Tfrm_lock_system::closeEvent(QCloseEvent* e)
{
    if (!m_unlocked)
        e->ignore();
    else
        QDialog::closeEvent(e);
}

void Tfrm_lock_system::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
    QDialog::mousePressEvent(e);
}

void Tfrm_lock_system::mouseMoveEvent(QMouseEvent* e)
{
    if (e->buttons() & Qt::LeftButton)
        move(e->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(e);
}

void Tfrm_lock_system::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(236, 242, 250));
    p.fillRect(QRect(0, 0, width(), 52), QColor(150, 40, 40));
    p.setPen(QColor(150, 40, 40));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace mzt
