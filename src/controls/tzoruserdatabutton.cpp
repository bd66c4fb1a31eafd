#include "controls/tzoruserdatabutton.h"

#include <QIcon>

static void initControlsResources()
{
    Q_INIT_RESOURCE(controls);
}

namespace Brenvik {

TZorUserDataButton::TZorUserDataButton(QWidget *parent) : QToolButton(parent)
{
    initControlsResources();
    setAutoRaise(true);
    setFixedSize(21, 21);
    setIconSize(QSize(15, 15));
    setFocusPolicy(Qt::NoFocus);
}

TZorUserDataButton::TZorUserDataButton(Glyph glyph, QWidget *parent) : TZorUserDataButton(parent)
{
    setGlyph(glyph);
}

void TZorUserDataButton::setReferencedComboBox(QWidget *control)
{
    if (control)
        m_referencedComboBox = control;
}

void TZorUserDataButton::setGlyph(Glyph glyph)
{
    setIcon(glyphIcon(glyph));
    switch (glyph) {
    case Glyph::Save:
        setToolTip(QStringLiteral("Save this value to the list"));
        break;
    case Glyph::Delete:
        setToolTip(QStringLiteral("Delete this value from the list"));
        break;
    case Glyph::Memo:
        setToolTip(QStringLiteral("Choose a stored text"));
        break;
    }
}

QIcon TZorUserDataButton::glyphIcon(Glyph glyph)
{
    initControlsResources();
    switch (glyph) {
    case Glyph::Save:
        return QIcon(QStringLiteral(":/controls/glyphs/save.svg"));
    case Glyph::Delete:
        return QIcon(QStringLiteral(":/controls/glyphs/delete.svg"));
    case Glyph::Memo:
        return QIcon(QStringLiteral(":/controls/glyphs/memo.svg"));
    }
    return QIcon();
}

} // namespace Brenvik
