#include "khzl_frm.h"

#include "datagrid.h"
#include "delete_cous_frm.h"
#include "report.h"
#include "reportpreview.h"

#include <QPushButton>

namespace mzt {

namespace {

Tfrm_khzl::ImportWindowOpener& importOpener()
{
    static Tfrm_khzl::ImportWindowOpener opener;
    return opener;
}

const QString importCaption = QStringLiteral("从Excel 文件导入客户资料");

MasterListSetup customerSetup()
{
    MasterListSetup s;
    s.title = QStringLiteral("客户信息管理");
    s.newCaption = QStringLiteral("新增客户资料");
    s.saveCaption = QStringLiteral("保存客户资料");
    s.deleteCaption = QStringLiteral("删除当前客户资料");
    s.findCaption = QStringLiteral("查询客户资料");
    s.sortCaption = QStringLiteral("客户资料排序");
    s.exportCaption = QStringLiteral("导出EXCEL");
    s.exportName = CustomerList::exportName();
    s.printCaption = QStringLiteral("打印客户资料");
    s.printTemplate = CustomerList::printTemplate();
    s.exitCaption = QStringLiteral("退出管理");
    s.focusField = QStringLiteral("编码");
    s.saveOnEnter = {QStringLiteral("所处街区")};
    s.newBeforeSave = false;
    s.afterInsert = AfterSave::DisableBoxes;
    s.afterUpdate = AfterSave::DisableBoxes;
    s.listAfterInsert = ListAfterSave::OnlyByName;
    s.showOnlyField = QStringLiteral("公司名");
    s.afterDelete = AfterSave::DisableBoxes;
    s.boxColumns = 3;
    s.defaultBoxWidth = 170;
    s.size = QSize(1040, 660);
    return s;
}

} // namespace

void Tfrm_khzl::setImportWindowOpener(ImportWindowOpener opener)
{
    importOpener() = std::move(opener);
}

Tfrm_khzl::Tfrm_khzl(Session& session, QWidget* parent)
    : MasterListWindow(session, std::make_unique<CustomerList>(session), customerSetup(), parent)
{
    setObjectName(QStringLiteral("Tfrm_khzl"));
    QPushButton* import = addButton(importCaption, [this] { importCustomers(); });
    import->setVisible(bool(importOpener()));
    // The sort dialog stays reachable for the program, but the list sorts by its titles.
    button(QStringLiteral("客户资料排序"))->setVisible(false);
    reload(true);
    setMode(ListMode::Edit);
    syncButtons();
}

void Tfrm_khzl::syncButtons()
{
    if (QPushButton* b = button(setup().saveCaption))
        b->setEnabled(boxesEnabled());
}

void Tfrm_khzl::startNew()
{
    MasterListWindow::startNew();
    m_edited.reset();
    syncButtons();
}

void Tfrm_khzl::startFind()
{
    MasterListWindow::startFind();
    m_edited.reset();
    syncButtons();
}

void Tfrm_khzl::rowClicked(int row)
{
    if (row < 0 || row >= grid()->rowCount())
        return;
    MasterListWindow::rowClicked(row);
    // A clicked customer is edited in place: its boxes open with its values.
    setBoxesMode(2);
    m_edited = currentRowValues();
    m_chosen = CustomerChoice::fromValues(*m_edited);
    syncButtons();
}

void Tfrm_khzl::save()
{
    if (!boxesEnabled())
        return;
    const FieldValues values = boxValues();
    const SaveResult r = customers().SaveCustomer(values, m_edited);
    if (r == SaveResult::Inserted || r == SaveResult::Updated)
        m_edited.reset();
    afterSaved(r, values);
    if (r == SaveResult::Inserted || r == SaveResult::Updated)
        setMode(ListMode::Edit);
    syncButtons();
}

void Tfrm_khzl::removeCurrent()
{
    const FieldValues row = currentRowValues();
    if (row.isEmpty())
        return;
    TFrm_delete_cous dialog(customers(), row.value(QStringLiteral("编码")),
                            row.value(QStringLiteral("公司名")), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    afterDeleted(DeleteResult::Deleted);
    m_edited.reset();
    m_chosen.reset();
    setMode(ListMode::Edit);
    syncButtons();
}

void Tfrm_khzl::sortList()
{
    TFrm_delete_cous dialog(customers(), this);
    if (dialog.exec() == QDialog::Accepted)
        showRows(dialog.sortedRows());
}

void Tfrm_khzl::printList()
{
    try {
        const std::optional<Rows> rows = customers().PrintCustomers();
        if (!rows)
            return;
        Report report;
        report.setTitle(setup().title);
        report.setDatabase(&session().db);
        report.setCompanyData(ReadCompanyData(session().db));
        report.setDataSet(*rows);
        LoadReportTemplate(this, report, session().programFolder, setup().printTemplate);
    } catch (const DbError& e) {
        session().prompter.error(e.message());
    }
}

void Tfrm_khzl::importCustomers()
{
    if (!importOpener())
        return;
    importOpener()(session(), this);
    reload();
}

} // namespace mzt
