#pragma once

#include "report/ScheduleReport.h"
#include "report/sheet/SheetBlock.h"
#include "report/sheet/SheetStyle.h"
#include "report/sheet/WrappedText.h"

namespace zeb {

// The form's header above the table on the first sheet: the organisation with the form's codes, the
// document's number and date, the title with the period, and the approval with the staff's size.
class SheetMedium;

class FormHeader : public SheetBlock
{
public:
    FormHeader(SheetMedium& medium, const ScheduleReport& report);

    qreal height() const override { return m_height; }
    void draw(SheetInk& ink, qreal top) const override;

private:
    // The organisation's line and the code box; returns the band's height.
    qreal drawOrganisation(SheetInk* ink, qreal top) const;
    qreal drawDocument(SheetInk* ink, qreal top) const;
    qreal drawTitleAndApproval(SheetInk* ink, qreal top) const;
    // A grid of boxed cells: captions over values.
    void drawBoxes(SheetInk& ink, const QRectF& area, const QStringList& captions,
                   const QStringList& values) const;
    // Measures, and draws when given ink.
    qreal layOut(SheetInk* ink, qreal top) const;

    const SheetStyle& m_style;
    const ScheduleReport& m_report;
    WrappedText m_text;
    WrappedText m_bold;
    WrappedText m_small;
    WrappedText m_title;
    qreal m_height = 0;
};

} // namespace zeb
