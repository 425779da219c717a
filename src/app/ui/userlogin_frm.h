#pragma once

#include "loginlogic.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QLabel;
class QPushButton;

namespace mzt {

// The login dialog "用户登陆": frameless, dragged by its background.
class TFrmUserLogin final : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmUserLogin(Session& session, QWidget* parent = nullptr);
    // Shows the splash picture first when splashMs > 0.
    void prepare(int splashMs = 1500);

    QComboBox* jobBox() const { return m_job; }
    QLineEdit* nameBox() const { return m_name; }
    QLineEdit* passwordBox() const { return m_password; }
    QPushButton* loginButton() const { return m_login; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void lookUp();
    void tryLogin();

    Session& m_s;
    LoginLogic m_logic;
    QComboBox* m_job;
    QLineEdit* m_name;
    QLineEdit* m_password;
    QLabel* m_hint;
    QPushButton* m_login;
    QPushButton* m_cancel;
    QPushButton* m_close;
    QString m_lookedUp;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace mzt
