#pragma once

#include "platform/forms/GraphicalControl.h"

#include <QColor>
#include <QFont>

#include <memory>
#include <optional>

namespace platform {

// Text painted on the container's surface, wrapped at word boundaries and clipped to the
// control, like a caption of a form designer.
class Label : public GraphicalControl {
public:
    enum AlignmentConstant { LeftJustify = 0, RightJustify = 1, Center = 2 };
    enum BackStyleConstant { Transparent = 0, Opaque = 1 };

    Label(Container *container, QString name, Index index = -1, bool visible = true);

    const QString &Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    int Alignment() const { return m_alignment; }
    void setAlignment(AlignmentConstant alignment);
    int BackStyle() const { return m_backStyle; }
    void setBackStyle(BackStyleConstant backStyle);
    // The container's font unless the label has one of its own.
    QFont Font() const;
    void setFont(const QFont &font);
    // The container's text colour unless the label has one of its own, as a caption painted
    // on a picture needs whatever the desktop's colours.
    QColor ForeColor() const;
    void setForeColor(const QColor &colour);

    // The caption, unless the label was given a name of its own.
    QString accessibleName() const override;

    void paint(QPainter &painter) const override;
    std::unique_ptr<Label> loadCopy(Index index) const;

private:
    QString m_caption;
    AlignmentConstant m_alignment = LeftJustify;
    BackStyleConstant m_backStyle = Opaque;
    std::optional<QFont> m_font;
    std::optional<QColor> m_foreColor;
};

} // namespace platform
