#pragma once

#include "report/sheet/SheetBlock.h"
#include "report/sheet/WrappedText.h"

#include <QList>

namespace zeb {

class SheetMedium;
class SheetStyle;

struct TitleLine
{
    enum Role
    {
        // The report's name, large and bold.
        Title,
        // Centred: the institution, the date or period.
        Caption,
        // An explanation in smaller italics from the left.
        Note,
    };

    Role role = Caption;
    QString text;
};

// A simple report's header: its lines one under the other across the sheet, each wrapped to its width.
class TitleBlock : public SheetBlock
{
public:
    TitleBlock(SheetMedium& medium, QList<TitleLine> lines);

    qreal height() const override { return m_height; }
    void draw(SheetInk& ink, qreal top) const override;

private:
    // Measures, and draws when given ink.
    qreal layOut(SheetInk* ink, qreal top) const;
    const WrappedText& fontOf(TitleLine::Role role) const;

    const SheetStyle& m_style;
    QList<TitleLine> m_lines;
    WrappedText m_title;
    WrappedText m_caption;
    WrappedText m_note;
    qreal m_height = 0;
};

} // namespace zeb
