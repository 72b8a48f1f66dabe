#pragma once

#include <QColor>
#include <QLabel>

namespace zeb {

// A transparent label that shows its text word-wrapped and centred, with a solid shadow one pixel down and
// to the right. A carriage return in the text breaks the line; text() keeps it as set.
class ShadowLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ShadowLabel(QWidget* parent = nullptr);

    void setShadowColor(const QColor& color);
    QColor shadowColor() const { return m_shadowColor; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_shadowColor = Qt::darkGreen;
};

} // namespace zeb
