#include "platform/forms/Label.h"

#include "platform/forms/Container.h"

#include <QPainter>

namespace platform {

Label::Label(Container *container, QString name, Index index, bool visible)
    : GraphicalControl(container, std::move(name), index, visible)
{
}

void Label::setCaption(const QString &caption)
{
    m_caption = caption;
    repaint();
}

QString Label::accessibleName() const
{
    const QString own = GraphicalControl::accessibleName();
    return own.isEmpty() ? m_caption : own;
}

void Label::setAlignment(AlignmentConstant alignment)
{
    m_alignment = alignment;
    repaint();
}

void Label::setBackStyle(BackStyleConstant backStyle)
{
    m_backStyle = backStyle;
    repaint();
}

void Label::setFont(const QFont &font)
{
    m_font = font;
    repaint();
}

void Label::setForeColor(const QColor &colour)
{
    m_foreColor = colour;
    repaint();
}

QColor Label::ForeColor() const
{
    return m_foreColor.value_or(container()->palette().color(QPalette::WindowText));
}

QFont Label::Font() const
{
    return m_font.value_or(container()->font());
}

void Label::paint(QPainter &painter) const
{
    const QRect area = pixelRect();
    const QPalette &palette = container()->palette();
    painter.setClipRect(area);
    if (m_backStyle == Opaque)
        painter.fillRect(area, palette.color(QPalette::Window));
    painter.setFont(Font());
    painter.setPen(ForeColor());
    const Qt::Alignment horizontal = m_alignment == Center         ? Qt::AlignHCenter
                                     : m_alignment == RightJustify ? Qt::AlignRight
                                                                   : Qt::AlignLeft;
    painter.drawText(area, int(horizontal | Qt::AlignTop | Qt::TextWordWrap), m_caption);
}

std::unique_ptr<Label> Label::loadCopy(Index index) const
{
    auto copy = std::make_unique<Label>(container(), name(), index, false);
    copy->m_caption = m_caption;
    copy->m_alignment = m_alignment;
    copy->m_backStyle = m_backStyle;
    copy->m_font = m_font;
    copy->m_foreColor = m_foreColor;
    copy->copyBaseFrom(*this);
    return copy;
}

} // namespace platform
