#pragma once
// Keeps a single-line field single-line: a typed or pasted line break becomes a blank, and in
// grid cells the file's cell separator 0xA6 ("¦") becomes "|" so a reopened row never shifts.
// As a validator it rewrites the text before QLineEdit reports the edit, so textEdited and
// every listener see the cleaned text.

#include <QValidator>

namespace Brenvik {

class SingleLineValidator : public QValidator {
    Q_OBJECT
public:
    explicit SingleLineValidator(bool cellSeparatorSafe, QObject *parent = nullptr);

    // The cleaning itself, for callers that set text without an editor.
    static QString clean(const QString &text, bool cellSeparatorSafe);

    bool cellSeparatorSafe() const { return m_cellSeparatorSafe; }

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    bool m_cellSeparatorSafe;
};

} // namespace Brenvik
