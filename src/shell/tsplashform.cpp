#include "shell/tsplashform.h"

#include "document/formdescription.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

namespace Brenvik {

TsplashForm::TsplashForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_progress(new QProgressBar(this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("TsplashForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(325, 199);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    m_progress->setObjectName(QStringLiteral("SplashProgress"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setGeometry(16, 176, 293, 10);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_timer->setSingleShot(true);
    m_timer->setInterval(5000);
    connect(m_timer, &QTimer::timeout, this, &QWidget::close);
    m_timer->start();
}

void TsplashForm::step(int percent)
{
    m_progress->setValue(percent);
    repaint();
}

void TsplashForm::hideProgress() { m_progress->hide(); }

void TsplashForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    // Two plates meeting in a V groove with the weld bead, under the program's name.
    QLinearGradient steel(0, 110, 0, 160);
    steel.setColorAt(0, QColor(0xb8, 0xc4, 0xd0));
    steel.setColorAt(1, QColor(0x6f, 0x80, 0x92));
    QPainterPath left, right, bead;
    left.moveTo(30, 120);
    left.lineTo(150, 120);
    left.lineTo(160, 160);
    left.lineTo(30, 160);
    left.closeSubpath();
    right.moveTo(295, 120);
    right.lineTo(175, 120);
    right.lineTo(165, 160);
    right.lineTo(295, 160);
    right.closeSubpath();
    bead.moveTo(148, 120);
    bead.quadTo(162.5, 104, 177, 120);
    bead.lineTo(166, 160);
    bead.lineTo(159, 160);
    bead.closeSubpath();
    p.setPen(QPen(QColor(0x33, 0x44, 0x55), 1.2));
    p.setBrush(steel);
    p.drawPath(left);
    p.drawPath(right);
    QLinearGradient hot(0, 104, 0, 160);
    hot.setColorAt(0, QColor(0xff, 0xd2, 0x7a));
    hot.setColorAt(1, QColor(0xd9, 0x6a, 0x1e));
    p.setBrush(hot);
    p.drawPath(bead);

    p.setPen(QColor(0x1d, 0x3a, 0x5a));
    QFont title = font();
    title.setPixelSize(38);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 18, width(), 48), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Brenvik"));
    QFont sub = font();
    sub.setPixelSize(12);
    p.setFont(sub);
    p.setPen(QColor(0x55, 0x66, 0x77));
    // The forms this program makes, as the register names them.
    QStringList forms;
    for (const FormDescription &type : FormDescriptions::all())
        forms << type.shownAs;
    const QString line = QStringLiteral("Welding procedure forms: ") + forms.join(QStringLiteral(", "));
    // Smaller for a longer list than the box holds, never cut.
    while (sub.pixelSize() > 8 && QFontMetrics(sub).horizontalAdvance(line) > width() - 16) {
        sub.setPixelSize(sub.pixelSize() - 1);
        p.setFont(sub);
    }
    p.drawText(QRect(0, 66, width(), 20), Qt::AlignHCenter | Qt::AlignVCenter, line);
}

void TsplashForm::mousePressEvent(QMouseEvent *) { close(); }

} // namespace Brenvik
