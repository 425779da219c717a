#include "userlogin_frm.h"

#include "database.h"
#include "prompter.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace mzt {

namespace {

QPixmap splashPicture()
{
    QPixmap pm(480, 260);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, pm.height());
    g.setColorAt(0, QColor(36, 94, 168));
    g.setColorAt(1, QColor(14, 50, 104));
    p.fillRect(pm.rect(), g);
    p.setPen(Qt::white);
    QFont f = QApplication::font();
    f.setPointSize(26);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 60, pm.width(), 60), Qt::AlignCenter, QStringLiteral("铭泽通"));
    f.setPointSize(14);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 125, pm.width(), 40), Qt::AlignCenter, QStringLiteral("进销存财务一体化"));
    f.setPointSize(10);
    p.setFont(f);
    p.drawText(QRect(0, 210, pm.width(), 30), Qt::AlignCenter, QStringLiteral("正在启动，请稍候……"));
    return pm;
}

} // namespace

TFrmUserLogin::TFrmUserLogin(Session& session, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_s(session), m_logic(session)
{
    setWindowTitle(QStringLiteral("用户登陆"));
    setObjectName(QStringLiteral("TFrmUserLogin"));
    setFixedSize(440, 290);

    auto* title = new QLabel(QStringLiteral("用户登陆"), this);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont tf = title->font();
    tf.setPointSize(tf.pointSize() + 4);
    tf.setBold(true);
    title->setFont(tf);
    title->setStyleSheet(QStringLiteral("color: white;"));

    m_close = new QPushButton(QStringLiteral("×"), this);
    m_close->setToolTip(QStringLiteral("关闭系统"));
    m_close->setFixedSize(28, 28);
    m_close->setFlat(true);
    m_close->setStyleSheet(QStringLiteral("QPushButton{color:white;font-size:18px;border:none;}"
                                          "QPushButton:hover{background:#c0392b;}"));
    m_close->setFocusPolicy(Qt::NoFocus);

    m_job = new QComboBox(this);
    m_job->setEditable(true);
    m_job->setInsertPolicy(QComboBox::NoInsert);
    m_job->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_name = new QLineEdit(this);
    m_name->setReadOnly(true);
    m_name->setFocusPolicy(Qt::NoFocus);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_hint = new QLabel(LoginLogic::hintText(), this);
    m_hint->setStyleSheet(QStringLiteral("color:#b03a2e;"));
    m_login = new QPushButton(QStringLiteral("登 入"), this);
    m_cancel = new QPushButton(QStringLiteral("取 消"), this);
    m_login->setMinimumWidth(90);
    m_cancel->setMinimumWidth(90);
    m_login->setAutoDefault(false);
    m_cancel->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch();
    top->addWidget(m_close);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    form->addWidget(new QLabel(QStringLiteral("工  号："), this), 0, 0);
    form->addWidget(m_job, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("姓  名："), this), 1, 0);
    form->addWidget(m_name, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("密  码："), this), 2, 0);
    form->addWidget(m_password, 2, 1);
    form->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_login);
    buttons->addSpacing(16);
    buttons->addWidget(m_cancel);
    buttons->addStretch();

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(18, 8, 8, 16);
    main->addLayout(top);
    main->addSpacing(22);
    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(24, 0, 34, 0);
    inner->addLayout(form);
    inner->addSpacing(6);
    inner->addWidget(m_hint);
    main->addLayout(inner);
    main->addStretch();
    main->addLayout(buttons);

    m_password->installEventFilter(this);
    m_job->lineEdit()->installEventFilter(this);

    connect(m_login, &QPushButton::clicked, this, [this] { tryLogin(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_job, &QComboBox::activated, this, [this] { m_password->setFocus(); });
}

void TFrmUserLogin::prepare(int splashMs)
{
    if (splashMs > 0) {
        QSplashScreen splash(splashPicture());
        splash.show();
        QEventLoop loop;
        QTimer::singleShot(splashMs, &loop, &QEventLoop::quit);
        loop.exec();
        splash.close();
    }
    QStringList jobs;
    try {
        jobs = m_logic.open();
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    m_job->clear();
    m_job->addItems(jobs);
    m_job->setCurrentIndex(-1);
    m_job->setEditText(QString());
    m_job->setFocus();
}

void TFrmUserLogin::lookUp()
{
    const QString job = m_job->currentText().trimmed();
    m_lookedUp = job;
    std::optional<QString> name;
    try {
        name = m_logic.LookUpJobNumber(job);
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    if (name) {
        m_name->setText(*name);
        return;
    }
    m_name->clear();
    m_password->clear();
    QTimer::singleShot(0, m_job, [this] { m_job->setFocus(); });
}

void TFrmUserLogin::tryLogin()
{
    const QString job = m_job->currentText().trimmed();
    if (!job.isEmpty() && job != m_lookedUp) {
        lookUp();
        if (m_name->text().isEmpty())
            return;
    }
    bool ok = false;
    try {
        ok = m_logic.Login(job, m_password->text());
    } catch (const DbError& e) {
        m_s.prompter.error(e.message());
    }
    if (ok) {
        accept();
        return;
    }
    if (job.isEmpty())
        m_job->setFocus();
}

bool TFrmUserLogin::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_password && event->type() == QEvent::FocusIn) {
        if (m_job->currentText().trimmed() != m_lookedUp || m_name->text().isEmpty())
            lookUp();
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == m_password) {
                tryLogin();
                return true;
            }
            if (watched == m_job->lineEdit()) {
                m_password->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmUserLogin::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(e);
}

void TFrmUserLogin::mouseMoveEvent(QMouseEvent* e)
{
    if (m_dragging && (e->buttons() & Qt::LeftButton))
        move(e->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(e);
}

void TFrmUserLogin::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, 46);
    g.setColorAt(0, QColor(44, 108, 186));
    g.setColorAt(1, QColor(24, 72, 140));
    p.fillRect(QRect(0, 0, width(), 46), g);
    p.fillRect(QRect(0, 46, width(), height() - 46), QColor(236, 242, 250));
    p.setPen(QColor(24, 72, 140));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace mzt
