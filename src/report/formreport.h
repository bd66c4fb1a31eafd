#pragma once
// The report of one document window: its pages, prepared from the window's fields. The
// window creates it on its first preview (as its child, so it is freed with the window),
// prepares it again on every preview and hands it to the preview window.

#include "report/reportsource.h"

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace Brenvik {

class ReportPage;

class FormReport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // The title of the preview and of the print job (its form description's report title).
    virtual QString title() const = 0;
    // The pages in print order.
    virtual QList<ReportPage *> pages() const = 0;
    // Fills every page from the window.
    virtual void prepareRpt(const ReportSource &source) = 0;
};

// Report factories by form type, registered once at start-up next to the forms.
class FormReportRegistry {
public:
    using Factory = std::function<FormReport *(QObject *parent)>;
    static void add(const QString &formType, Factory factory);
    // nullptr when the type has no report yet.
    static FormReport *create(const QString &formType, QObject *parent);
};

// Shows the preview window (navigation, zoom, print, Export PDF) and returns when it closes.
// Export PDF proposes the document file's name and folder; the report's title without one.
void previewReport(FormReport *report, QWidget *parent, const QString &documentPath = QString());

} // namespace Brenvik
