#include "report/sheet/FormClosing.h"

#include "report/FormTexts.h"
#include "report/sheet/SheetMedium.h"

namespace zeb {

namespace {

constexpr qreal captionWidth = 62;
constexpr qreal positionWidth = 70;
constexpr qreal signatureWidth = 40;
constexpr qreal nameWidth = 60;
constexpr qreal gap = 6;

} // namespace

FormClosing::FormClosing(SheetMedium& medium, const ScheduleReport& report)
    : m_style(medium.style()), m_report(report), m_text(medium.device(), SheetStyle::font(9)),
      m_small(medium.device(), SheetStyle::font(6.5)),
      m_missingSalaries(formtexts::missingSalaryText(report.linesWithoutSalary))
{
    m_height = layOut(nullptr, 0);
}

void FormClosing::draw(SheetInk& ink, qreal top) const
{
    layOut(&ink, top);
}

qreal FormClosing::layOut(SheetInk* ink, qreal top) const
{
    const QRectF& body = m_style.body();
    qreal y = top + m_style.millimetres(2);
    if (!m_missingSalaries.isEmpty()) {
        const qreal height = m_text.lineCount(m_missingSalaries, body.width()) * m_text.lineHeight();
        if (ink)
            m_text.draw(*ink, QRectF(body.left(), y, body.width(), height), Qt::AlignLeft, m_missingSalaries);
        y += height;
    }
    y += m_style.millimetres(6);
    const FormRequisites& requisites = m_report.requisites;
    y += drawSignature(ink, y, QStringLiteral("Руководитель кадровой службы"), &requisites.hrHeadPosition,
                       requisites.hrHeadName);
    y += m_style.millimetres(5);
    y += drawSignature(ink, y, QStringLiteral("Главный бухгалтер"), nullptr, requisites.chiefAccountantName);
    return y - top;
}

void FormClosing::drawBlank(SheetInk& ink, const QRectF& place, const QString& value,
                            const QString& caption) const
{
    const qreal line = place.top() + m_text.lineHeight();
    m_text.draw(ink, QRectF(place.left(), place.top(), place.width(), m_text.lineHeight()), Qt::AlignHCenter,
                value);
    ink.addLine(QLineF(place.left(), line, place.right(), line));
    m_small.draw(ink, QRectF(place.left(), line, place.width(), m_small.lineHeight()), Qt::AlignHCenter,
                 caption);
}

qreal FormClosing::drawSignature(SheetInk* ink, qreal top, const QString& caption, const QString* position,
                                 const QString& name) const
{
    const qreal height = m_text.lineHeight() + m_small.lineHeight();
    if (!ink)
        return height;
    const QRectF& body = m_style.body();
    qreal x = body.left();
    m_text.draw(*ink, QRectF(x, top, m_style.millimetres(captionWidth), height), Qt::AlignLeft, caption);
    x += m_style.millimetres(captionWidth + gap);
    const auto place = [&](qreal width) {
        const QRectF rect(x, top, m_style.millimetres(width), height);
        x += m_style.millimetres(width + gap);
        return rect;
    };
    // The chief accountant's post is the caption itself; the position's place stays empty.
    const QRectF positionPlace = place(positionWidth);
    if (position)
        drawBlank(*ink, positionPlace, *position, QStringLiteral("(должность)"));
    drawBlank(*ink, place(signatureWidth), QString(), QStringLiteral("(личная подпись)"));
    drawBlank(*ink, place(nameWidth), name, QStringLiteral("(расшифровка подписи)"));
    return height;
}

} // namespace zeb
