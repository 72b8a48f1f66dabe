#include "report/sheet/FormHeader.h"

#include "report/FormTexts.h"
#include "report/sheet/SheetMedium.h"

namespace zeb {

namespace {

using namespace formtexts;

constexpr qreal codeBoxWidth = 24;
constexpr qreal codeLabelWidth = 30;
constexpr qreal documentBoxWidth = 30;
constexpr qreal approvalWidth = 85;
constexpr qreal bandGap = 3;

} // namespace

FormHeader::FormHeader(SheetMedium& medium, const ScheduleReport& report)
    : m_style(medium.style()), m_report(report), m_text(medium.device(), SheetStyle::font(9)),
      m_bold(medium.device(), SheetStyle::font(9, true)), m_small(medium.device(), SheetStyle::font(6.5)),
      m_title(medium.device(), SheetStyle::font(13, true))
{
    m_height = layOut(nullptr, m_style.body().top());
}

void FormHeader::draw(SheetInk& ink, qreal top) const
{
    layOut(&ink, top);
}

// Measures, and draws when given ink, so that the two never disagree.
qreal FormHeader::layOut(SheetInk* ink, qreal start) const
{
    qreal top = start;
    top += drawOrganisation(ink, top) + m_style.millimetres(bandGap);
    top += drawDocument(ink, top) + m_style.millimetres(bandGap);
    top += drawTitleAndApproval(ink, top) + m_style.millimetres(bandGap);
    return top - start;
}

void FormHeader::drawBoxes(SheetInk& ink, const QRectF& area, const QStringList& captions,
                           const QStringList& values) const
{
    const qreal width = area.width() / qreal(values.size());
    const qreal captionHeight = captions.isEmpty() ? 0 : area.height() / 2;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QRectF box(area.left() + qreal(i) * width, area.top(), width, area.height());
        ink.addBox(box);
        const qreal pad = m_style.padding();
        if (captionHeight > 0) {
            ink.addLine(
                QLineF(box.left(), box.top() + captionHeight, box.right(), box.top() + captionHeight));
            m_small.draw(ink, QRectF(box.left() + pad, box.top() + pad, width - 2 * pad, captionHeight),
                         Qt::AlignHCenter, captions.at(i));
        }
        const QRectF value(box.left() + pad, box.top() + captionHeight + pad, width - 2 * pad,
                           box.height() - captionHeight);
        m_bold.draw(ink, value, Qt::AlignHCenter, values.at(i));
    }
}

qreal FormHeader::drawOrganisation(SheetInk* ink, qreal top) const
{
    const QRectF& body = m_style.body();
    const qreal row = m_bold.lineHeight() + 2 * m_style.padding();
    const qreal boxLeft = body.right() - m_style.millimetres(codeBoxWidth);
    const qreal nameWidth = boxLeft - m_style.millimetres(codeLabelWidth + 5) - body.left();
    const qreal nameHeight =
        std::max(1, m_bold.lineCount(m_report.institution, nameWidth)) * m_bold.lineHeight();
    const qreal height = std::max(3 * row, nameHeight + m_small.lineHeight() + row);
    if (!ink)
        return height;
    // The name stands on a line above its caption, level with the code box's last row.
    const qreal nameBottom = top + height - m_small.lineHeight();
    m_bold.draw(*ink, QRectF(body.left(), nameBottom - nameHeight, nameWidth, nameHeight), Qt::AlignHCenter,
                m_report.institution);
    ink->addLine(QLineF(body.left(), nameBottom, body.left() + nameWidth, nameBottom));
    m_small.draw(*ink, QRectF(body.left(), nameBottom, nameWidth, m_small.lineHeight()), Qt::AlignHCenter,
                 QStringLiteral("(наименование организации)"));
    const QRectF box(boxLeft, top, body.right() - boxLeft, row);
    drawBoxes(*ink, box, {}, {QStringLiteral("Код")});
    drawBoxes(*ink, box.translated(0, row), {}, {QStringLiteral("0301017")});
    drawBoxes(*ink, box.translated(0, 2 * row), {}, {m_report.requisites.okpo});
    const QRectF label(boxLeft - m_style.millimetres(codeLabelWidth), top + row + m_style.padding(),
                       m_style.millimetres(codeLabelWidth) - m_style.padding() * 2, row);
    m_text.draw(*ink, label, Qt::AlignRight, QStringLiteral("Форма по ОКУД"));
    m_text.draw(*ink, label.translated(0, row), Qt::AlignRight, QStringLiteral("по ОКПО"));
    return height;
}

qreal FormHeader::drawDocument(SheetInk* ink, qreal top) const
{
    const qreal height = 2 * (m_small.lineHeight() + 2 * m_style.padding()) + m_bold.lineHeight();
    if (!ink)
        return height;
    const QRectF& body = m_style.body();
    const qreal width = 2 * m_style.millimetres(documentBoxWidth);
    const QRectF area(body.center().x() - width / 2, top, width, height);
    drawBoxes(*ink, area, {QStringLiteral("Номер документа"), QStringLiteral("Дата составления")},
              {m_report.details.documentNumber, dateText(m_report.details.compiledOn)});
    return height;
}

qreal FormHeader::drawTitleAndApproval(SheetInk* ink, qreal top) const
{
    const QRectF& body = m_style.body();
    const qreal approvalWidthPixels = m_style.millimetres(approvalWidth);
    const QRectF approval(body.right() - approvalWidthPixels, top, approvalWidthPixels, 0);
    const QRectF title(body.left(), top, approval.left() - body.left(), 0);
    const QString period = periodText(m_report);
    // The day whose lines and salaries the table shows.
    const QString asOf = QStringLiteral("по состоянию на ") + dateText(m_report.asOf);
    const QStringList lines = {
        QStringLiteral("УТВЕРЖДЕНО"),
        approvalText(m_report.details),
        QStringLiteral("Штат в количестве %1 единиц").arg(unitsText(m_report.totalUnits)),
    };
    qreal approvalHeight = 0;
    for (const QString& line : lines)
        approvalHeight += std::max(1, m_text.lineCount(line, approval.width())) * m_text.lineHeight();
    const qreal periodHeight = std::max(1, m_text.lineCount(period, title.width())) * m_text.lineHeight();
    const qreal titleHeight = m_title.lineHeight() + periodHeight + m_text.lineHeight();
    const qreal height = std::max(approvalHeight, titleHeight);
    if (!ink)
        return height;
    const qreal titleTop = top + (height - titleHeight) / 2;
    m_title.draw(*ink, QRectF(title.left(), titleTop, title.width(), m_title.lineHeight()), Qt::AlignHCenter,
                 QStringLiteral("ШТАТНОЕ РАСПИСАНИЕ"));
    m_text.draw(*ink, QRectF(title.left(), titleTop + m_title.lineHeight(), title.width(), periodHeight),
                Qt::AlignHCenter, period);
    m_text.draw(*ink,
                QRectF(title.left(), titleTop + m_title.lineHeight() + periodHeight, title.width(),
                       m_text.lineHeight()),
                Qt::AlignHCenter, asOf);
    qreal y = top;
    for (const QString& line : lines) {
        const qreal lineHeight = std::max(1, m_text.lineCount(line, approval.width())) * m_text.lineHeight();
        m_text.draw(*ink, QRectF(approval.left(), y, approval.width(), lineHeight), Qt::AlignLeft, line);
        y += lineHeight;
    }
    return height;
}

} // namespace zeb
