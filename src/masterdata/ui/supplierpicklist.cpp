#include "supplierpicklist.h"

#include "datagrid.h"

#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace mzt {

SupplierPickList::SupplierPickList(const Rows& rows, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SupplierPickList"));
    setWindowTitle(QStringLiteral("选择供应商"));
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);
    m_grid = new DataGrid(this);
    m_grid->setColumns({
        {.field = QStringLiteral("编码"),
         .title = QStringLiteral("编码"),
         .width = 100,
         .kind = ColumnKind::Text},
        {.field = QStringLiteral("公司名"),
         .title = QStringLiteral("供应商名称"),
         .width = 260,
         .kind = ColumnKind::Text},
    });
    m_grid->setRows(rows);
    top->addWidget(m_grid, 1);
    auto* hint = new QLabel(QStringLiteral("回车或双击选择供应商，Esc 取消"), this);
    hint->setStyleSheet(QStringLiteral("color: #1f4e9a;"));
    top->addWidget(hint);
    connect(m_grid, &DataGrid::rowActivated, this, [this](int row) { takeRow(row); });
    resize(420, 320);
    m_grid->view()->setFocus();
}

void SupplierPickList::takeRow(int row)
{
    if (row < 0 || row >= m_grid->rowCount())
        return;
    m_picked = SupplierChoice::fromValues(m_grid->rowTexts(row));
    accept();
}

std::optional<SupplierChoice> SupplierPickList::findAndPick(Session& session, const QString& text,
                                                            QWidget* parent)
{
    try {
        const Rows rows = SupplierLookup(session.db).FindSuppliers(text);
        if (rows.isEmpty())
            return std::nullopt;
        if (rows.size() == 1)
            return SupplierChoice::fromRow(rows.first());
        SupplierPickList list(rows, parent);
        list.exec();
        return list.pickedSupplier();
    } catch (const DbError& e) {
        session.prompter.error(e.message());
        return std::nullopt;
    }
}

} // namespace mzt
