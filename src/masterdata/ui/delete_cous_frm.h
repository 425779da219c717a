#pragma once

#include "customers.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QVBoxLayout;

namespace mzt {

// The customer window's dialog in its two forms: "删除客户资料条件" deletes the chosen parts
// of one customer's data (accepted once deleted), "客户资料排序条件选择" reads the list in a
// chosen order (accepted with sortedRows()).
class TFrm_delete_cous final : public QDialog
{
    Q_OBJECT

public:
    // The delete form for one customer.
    TFrm_delete_cous(CustomerList& logic, const QString& code, const QString& name,
                     QWidget* parent = nullptr);
    // The sort form.
    explicit TFrm_delete_cous(CustomerList& logic, QWidget* parent = nullptr);

    bool isSortForm() const { return m_sortForm; }
    QCheckBox* customerBox() const { return m_customer; }
    QCheckBox* lastPricesBox() const { return m_lastPrices; }
    QCheckBox* salesBillsBox() const { return m_salesBills; }
    QComboBox* sortFieldBox() const { return m_sortField; }
    QComboBox* sortDirectionBox() const { return m_direction; }
    QPushButton* okButton() const { return m_ok; }

    void confirm();
    const Rows& sortedRows() const { return m_rows; }

private:
    QPushButton* addButtons(QVBoxLayout* layout, const QString& okCaption);

    CustomerList& m_logic;
    bool m_sortForm;
    QString m_code;
    QString m_name;
    QCheckBox* m_customer = nullptr;
    QCheckBox* m_lastPrices = nullptr;
    QCheckBox* m_salesBills = nullptr;
    QComboBox* m_sortField = nullptr;
    QComboBox* m_direction = nullptr;
    QPushButton* m_ok = nullptr;
    Rows m_rows;
};

} // namespace mzt
