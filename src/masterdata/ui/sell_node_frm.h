#pragma once

#include "sites.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mzt {

class DataGrid;

// The sites window "销售站点设置". "增加" and "修改" each read "保存" while their site is
// being entered; the list and the other buttons wait meanwhile.
class Tfrm_sell_node final : public QDialog
{
    Q_OBJECT
public:
    enum class Mode
    {
        Normal,
        Adding,
        Changing,
    };

    explicit Tfrm_sell_node(Session& session, QWidget* parent = nullptr);

    Mode mode() const { return m_mode; }
    DataGrid* grid() const { return m_grid; }
    QLineEdit* nameBox() const { return m_name; }
    QLineEdit* natureBox() const { return m_nature; }
    QComboBox* warehouseBox() const { return m_warehouse; }
    QPlainTextEdit* remarkBox() const { return m_remark; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* cancelButton() const { return m_cancel; }

    void addClicked();
    void changeClicked();
    void deleteClicked();
    // Loads the row into the boxes and, unless a change is under way, starts one.
    void rowActivated(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reload();
    void loadRow(int row);
    void selectWarehouse(const QString& name);
    void setMode(Mode mode);
    SiteInfo boxes() const;

    Sites m_logic;
    Mode m_mode = Mode::Normal;
    QStringList m_warehouses;
    DataGrid* m_grid = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_nature = nullptr;
    QComboBox* m_warehouse = nullptr;
    QPlainTextEdit* m_remark = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace mzt
