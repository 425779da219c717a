#pragma once

#include "company.h"

#include <QDialog>
#include <QList>

class QLineEdit;
class QPushButton;

namespace mzt {

// The company window "公司信息设置": the one row of 报表参数.
class Tfrm_reprot final : public QDialog
{
    Q_OBJECT
public:
    explicit Tfrm_reprot(Session& session, QWidget* parent = nullptr);

    QLineEdit* nameBox() const { return m_name; }
    QLineEdit* phoneBox() const { return m_phone; }
    QLineEdit* faxBox() const { return m_fax; }
    QLineEdit* addressBox() const { return m_address; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // "确定": saves when name and telephone are given and closes, unless the database
    // refused the save.
    void confirm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Company m_logic;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_phone = nullptr;
    QLineEdit* m_fax = nullptr;
    QLineEdit* m_address = nullptr;
    QList<QLineEdit*> m_order;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace mzt
