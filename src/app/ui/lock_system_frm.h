#pragma once

#include "session.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace mzt {

// The lock screen "鸿昇软件-系统锁定": hides the program until a password is entered.
class Tfrm_lock_system final : public QDialog
{
    Q_OBJECT
public:
    explicit Tfrm_lock_system(Session& session, QWidget* parent = nullptr);

    QLineEdit* passwordBox() const { return m_password; }
    QCheckBox* adminBox() const { return m_admin; }
    QPushButton* unlockButton() const { return m_unlock; }
    void unlock();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    Session& m_s;
    QLineEdit* m_job;
    QLineEdit* m_name;
    QLineEdit* m_password;
    QCheckBox* m_admin;
    QPushButton* m_unlock;
    QPoint m_dragOffset;
    bool m_unlocked = false;
};

} // namespace mzt
