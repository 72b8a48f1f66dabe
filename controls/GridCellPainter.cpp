#include "controls/GridCellPainter.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionViewItem>
#include <QTextLayout>

namespace zeb {

namespace {

QStyle* styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

// The style shows such texts on several lines.
bool breaksLines(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QChar::LineSeparator) ||
           text.contains(QChar::ParagraphSeparator);
}

} // namespace

const GridCellPainter::Laid& GridCellPainter::laid(const Key& key, const QFont& font)
{
    if (font != m_font) {
        m_texts.clear();
        m_font = font;
    }
    if (const Laid* cached = m_texts.object(key))
        return *cached;

    auto* laid = new Laid;
    laid->breaksLines = breaksLines(key.text);
    QTextOption textOption(Qt::Alignment(key.alignment));
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(Qt::LayoutDirection(key.direction));
    QTextLayout layout(key.text, font);
    layout.setTextOption(textOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(key.width);
    const qreal natural = line.naturalTextWidth();
    laid->lineHeight = int(line.height());
    layout.endLayout();

    QString shown = key.text;
    laid->overflows = natural > key.width;
    if (laid->overflows && key.elide != Qt::ElideNone) {
        const QFontMetrics metrics(font);
        shown = metrics.elidedText(key.text, Qt::TextElideMode(key.elide), key.width);
        laid->overflows = metrics.horizontalAdvance(shown) > key.width;
    }
    laid->text.setText(shown);
    laid->text.setTextFormat(Qt::PlainText);
    laid->text.setTextOption(textOption);
    laid->text.setTextWidth(key.width);
    laid->text.prepare(QTransform(), font);
    m_texts.insert(key, laid);
    return *laid;
}

bool GridCellPainter::paintText(QPainter* painter, const QStyleOptionViewItem& option, const QRect& cell,
                                const QString& text, Qt::Alignment alignment, Qt::TextElideMode elide)
{
    if (text.isEmpty())
        return true;
    // The laid-out text is drawn in the painter's font; another font would lay it out again.
    if (painter->font() != option.font)
        painter->setFont(option.font);
    const int margin = styleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    const QRect room = cell.adjusted(margin, 0, -margin, 0);
    const Laid& laid =
        this->laid({text, qMax(0, room.width()), int(QStyle::visualAlignment(option.direction, alignment)),
                    int(elide), int(option.direction)},
                   painter->font());
    if (laid.breaksLines)
        return false;
    const QRect line =
        QStyle::alignedRect(option.direction, alignment, QSize(room.width(), laid.lineHeight), room);
    const bool clip = laid.overflows || laid.lineHeight > cell.height();
    if (clip) {
        painter->save();
        painter->setClipRect(cell, Qt::IntersectClip);
    }
    painter->drawStaticText(QPoint(room.x(), line.top()), laid.text);
    if (clip)
        painter->restore();
    return true;
}

const QPixmap& GridCellPainter::dropDownButton(const QStyleOptionViewItem& option, QSize size, qreal ratio)
{
    QStyle* style = styleOf(option);
    const Look look{option.palette.cacheKey(), option.palette.currentColorGroup(), style};
    if (m_button.deviceIndependentSize().toSize() == size && m_button.devicePixelRatio() == ratio &&
        m_buttonLook == look)
        return m_button;
    m_button = QPixmap(size * ratio);
    m_button.setDevicePixelRatio(ratio);
    // What lies under the button in the view.
    m_button.fill(option.palette.color(QPalette::Base));
    m_buttonLook = look;

    QPainter painter(&m_button);
    QStyleOptionButton button;
    button.rect = QRect(QPoint(0, 0), size);
    button.palette = option.palette;
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    style->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, option.widget);
    QStyleOption arrow = button;
    arrow.rect = button.rect.adjusted(3, 3, -3, -3);
    style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, option.widget);
    return m_button;
}

void GridCellPainter::paintDropDownButton(QPainter* painter, const QStyleOptionViewItem& option,
                                          const QRect& rect)
{
    painter->drawPixmap(rect.topLeft(),
                        dropDownButton(option, rect.size(), painter->device()->devicePixelRatio()));
}

void GridCellPainter::paintGridLines(QPainter* painter, const QStyleOptionViewItem& option)
{
    // The view's own colour: taken from the view's option, whose palette may differ from the cell's.
    QStyle* style = styleOf(option);
    const QPalette& palette = option.widget ? option.widget->palette() : option.palette;
    const Look look{palette.cacheKey(), palette.currentColorGroup(), style};
    if (!(m_gridLook == look)) {
        QStyleOptionViewItem view = option;
        if (option.widget)
            view.initFrom(option.widget);
        m_gridColor =
            QColor::fromRgba(QRgb(style->styleHint(QStyle::SH_Table_GridLineColor, &view, option.widget)));
        m_gridLook = look;
    }
    const QRect& cell = option.rect;
    painter->fillRect(QRect(cell.left(), cell.bottom() + 1, cell.width(), 1), m_gridColor);
    painter->fillRect(QRect(cell.right() + 1, cell.top(), 1, cell.height() + 1), m_gridColor);
}

} // namespace zeb
