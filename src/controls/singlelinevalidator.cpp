#include "controls/singlelinevalidator.h"

namespace Brenvik {

SingleLineValidator::SingleLineValidator(bool cellSeparatorSafe, QObject *parent)
    : QValidator(parent), m_cellSeparatorSafe(cellSeparatorSafe)
{
}

QString SingleLineValidator::clean(const QString &text, bool cellSeparatorSafe)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            // CR LF is one line break, one blank.
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1Char(' ');
        } else if (c == QLatin1Char('\n') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            out += QLatin1Char(' ');
        } else if (cellSeparatorSafe && c == QChar(0x00A6)) {
            out += QLatin1Char('|');
        } else {
            out += c;
        }
    }
    return out;
}

QValidator::State SingleLineValidator::validate(QString &input, int &pos) const
{
    const QString cleaned = clean(input, m_cellSeparatorSafe);
    if (cleaned != input) {
        // A CR LF pair shrinks by one character; keep the cursor behind what was inserted.
        pos -= input.size() - cleaned.size();
        if (pos < 0)
            pos = 0;
        input = cleaned;
    }
    return Acceptable;
}

void SingleLineValidator::fixup(QString &input) const
{
    input = clean(input, m_cellSeparatorSafe);
}

} // namespace Brenvik
