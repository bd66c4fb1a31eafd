#pragma once
// The bar above a controlled document's pages: who approved it and when, that a revision is
// the way to change it, and (in red) when its values no longer match the approval.

#include <QFrame>

class QLabel;

namespace Brenvik {

struct ControlState;

class ControlBar : public QFrame {
    Q_OBJECT
public:
    explicit ControlBar(QWidget *parent = nullptr);

    // Shows the state of a controlled document; hides itself for a draft.
    void showState(const ControlState &state);
    QString text() const;

    // The sentence the bar shows, without a widget.
    static QString textOf(const ControlState &state);

private:
    QLabel *m_label;
};

} // namespace Brenvik
