#pragma once

#include "report/ScheduleReport.h"
#include "report/sheet/SheetBlock.h"
#include "report/sheet/SheetStyle.h"
#include "report/sheet/WrappedText.h"

namespace zeb {

// What follows the table on the last sheet, kept together: how many lines have no salary, then the
// signatures of the head of the personnel office and of the chief accountant.
class SheetMedium;

class FormClosing : public SheetBlock
{
public:
    FormClosing(SheetMedium& medium, const ScheduleReport& report);

    qreal height() const override { return m_height; }
    void draw(SheetInk& ink, qreal top) const override;

private:
    // Measures, and draws when given ink.
    qreal layOut(SheetInk* ink, qreal top) const;
    // One signature: caption, position (when asked), signature line and name, each over its caption.
    qreal drawSignature(SheetInk* ink, qreal top, const QString& caption, const QString* position,
                        const QString& name) const;
    void drawBlank(SheetInk& ink, const QRectF& place, const QString& value, const QString& caption) const;

    const SheetStyle& m_style;
    const ScheduleReport& m_report;
    WrappedText m_text;
    WrappedText m_small;
    QString m_missingSalaries;
    qreal m_height = 0;
};

} // namespace zeb
