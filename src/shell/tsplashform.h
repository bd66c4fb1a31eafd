#pragma once
// The splash window shown while the main window is built: a picture of its own, the progress
// bar SplashProgress, gone after five seconds or at a click.

#include <QWidget>

class QProgressBar;
class QTimer;

namespace Brenvik {

class TsplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TsplashForm(QWidget *parent = nullptr);
    QProgressBar *SplashProgress() const { return m_progress; }
    // Sets the bar and paints at once (the event loop is not running yet at start-up).
    void step(int percent);
    void hideProgress();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QProgressBar *m_progress;
    QTimer *m_timer;
};

} // namespace Brenvik
