#pragma once

#include "reporttemplate.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

namespace mzt {

// An item of a template: its band and its place in that band's list.
struct ItemRef
{
    BandKind band = BandKind::Detail;
    int index = -1;
    bool operator==(const ItemRef&) const = default;
};

// The template a designer edits: every change goes through here, can be undone, and is
// written back over the template file on save. Lengths are rounded to 0.1 mm.
class TemplateDocument final
{
public:
    enum class OpenResult
    {
        Opened,    // the file was read
        Created,   // no such file: a blank layout that save() will create
        Unreadable // the file is not a template: a blank layout that save() will replace it with
    };

    OpenResult open(const QString& path);
    QString path() const { return m_path; }
    bool save();
    bool saveAs(const QString& path);
    bool isModified() const { return m_modified; }

    const ReportTemplate& reportTemplate() const { return m_tmpl; }
    void setTemplate(const ReportTemplate& t);

    const ReportItem* item(const ItemRef& ref) const;
    // Adds the band when the template has none of that kind.
    ItemRef addItem(BandKind band, const ReportItem& item);
    bool removeItem(const ItemRef& ref);
    bool setItem(const ItemRef& ref, const ReportItem& item);
    bool moveItem(const ItemRef& ref, double dx, double dy);
    bool setItemGeometry(const ItemRef& ref, const QRectF& rect);
    bool setBandHeight(BandKind band, double height);
    void addBand(BandKind band);
    void removeBand(BandKind band);
    void setPageSetup(const PageSetup& page);
    void setTitle(const QString& title);

    // A mouse drag makes many small changes that undo as one.
    void beginGesture();
    void endGesture();
    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    void undo();
    void redo();

    static double roundLength(double mm);

private:
    ReportItem* mutableItem(const ItemRef& ref);
    void remember();

    ReportTemplate m_tmpl;
    QString m_path;
    bool m_modified = false;
    bool m_inGesture = false;
    bool m_gestureRemembered = false;
    QList<ReportTemplate> m_undo;
    QList<ReportTemplate> m_redo;
};

} // namespace mzt
