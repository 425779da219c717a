#include "prvice_frm.h"

#include "datagrid.h"

#include <QPushButton>

namespace mzt {

namespace {

Tfrm_prvice::ImportWindowOpener& importOpener()
{
    static Tfrm_prvice::ImportWindowOpener opener;
    return opener;
}

MasterListSetup supplierSetup()
{
    MasterListSetup s;
    s.title = QStringLiteral("供应商信息管理");
    s.newCaption = QStringLiteral("新增供商资料");
    s.saveCaption = QStringLiteral("保存供应商资料");
    s.deleteCaption = QStringLiteral("删除当前供应商资料");
    s.findCaption = QStringLiteral("开始查找供应商资料");
    s.exportCaption = QStringLiteral("导出EXCEL");
    s.exportName = SupplierList::exportName();
    s.exitCaption = QStringLiteral("退出管理");
    s.focusField = QStringLiteral("编码");
    // Enter saves from the fax box onwards; before it, Enter moves to the next box.
    s.saveOnEnter = {QStringLiteral("电话二"),  QStringLiteral("电话"),     QStringLiteral("手机"),
                     QStringLiteral("邮箱"),    QStringLiteral("银行账户"), QStringLiteral("行业类别"),
                     QStringLiteral("期初应付")};
    s.newBeforeSave = true;
    s.afterInsert = AfterSave::EmptyBoxes;
    s.afterUpdate = AfterSave::KeepBoxes;
    s.listAfterInsert = ListAfterSave::All;
    s.afterDelete = AfterSave::EmptyBoxes;
    s.boxColumns = 3;
    s.defaultBoxWidth = 170;
    s.size = QSize(1000, 620);
    return s;
}

} // namespace

void Tfrm_prvice::setImportWindowOpener(ImportWindowOpener opener)
{
    importOpener() = std::move(opener);
}

Tfrm_prvice::Tfrm_prvice(Session& session, QWidget* parent)
    : MasterListWindow(session, std::make_unique<SupplierList>(session), supplierSetup(), parent)
{
    setObjectName(QStringLiteral("Tfrm_prvice"));
    QPushButton* import =
        addButton(QStringLiteral("从Excel 文件导入供商资料"), [this] { importSuppliers(); });
    import->setVisible(bool(importOpener()));
    reload(true);
}

void Tfrm_prvice::startNew()
{
    MasterListWindow::startNew();
    m_edited.reset();
}

void Tfrm_prvice::startFind()
{
    MasterListWindow::startFind();
    m_edited.reset();
}

void Tfrm_prvice::rowClicked(int row)
{
    if (row < 0 || row >= grid()->rowCount())
        return;
    MasterListWindow::rowClicked(row);
    // A clicked supplier is edited in place: its boxes open with its values.
    setBoxesMode(2);
    m_edited = currentRowValues();
}

void Tfrm_prvice::save()
{
    if (!boxesEnabled())
        startNew();
    const FieldValues values = boxValues();
    const SaveResult r = suppliers().SaveSupplier(values, m_edited);
    if (r == SaveResult::Inserted) {
        m_edited.reset();
    } else if (r == SaveResult::Updated) {
        // The row now carries the saved code and name; saving again changes it again.
        m_edited = FieldValues{{QStringLiteral("编码"), values.value(QStringLiteral("编码")).trimmed()},
                               {QStringLiteral("公司名"), values.value(QStringLiteral("公司名")).trimmed()}};
    }
    afterSaved(r, values);
    if (r == SaveResult::Updated) {
        // Keep the list's current row on the supplier the boxes show, so a delete takes it.
        for (int i = 0; i < grid()->rowCount(); ++i) {
            if (grid()->rowValue(i, QStringLiteral("编码")).toString().trimmed() ==
                    m_edited->value(QStringLiteral("编码")) &&
                grid()->rowValue(i, QStringLiteral("公司名")).toString().trimmed() ==
                    m_edited->value(QStringLiteral("公司名"))) {
                grid()->setCurrentRow(i);
                break;
            }
        }
    }
}

void Tfrm_prvice::removeCurrent()
{
    const DeleteResult r = suppliers().DeleteSupplier(currentRowValues(), boxValues());
    if (r == DeleteResult::Deleted)
        m_edited.reset();
    afterDeleted(r);
}

void Tfrm_prvice::importSuppliers()
{
    if (!importOpener())
        return;
    importOpener()(session(), this);
    startFind();
}

} // namespace mzt
