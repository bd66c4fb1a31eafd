#include "document/gridstack.h"

#include "controls/typedgrid.h"

#include <QLabel>
#include <QVBoxLayout>

namespace Brenvik {

namespace {

void fitToColumns(TypedGrid *grid)
{
    int width = 2 * grid->frameWidth();
    for (int c = 0; c < grid->columnCount(); ++c)
        width += grid->columnWidth(c);
    int height = 2 * grid->frameWidth();
    for (int r = 0; r < grid->rowCount(); ++r)
        height += grid->rowHeight(r);
    grid->setFixedSize(width, height);
}

} // namespace

GridStack::GridStack(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

void GridStack::setGrid(TypedGrid *grid)
{
    m_grid = grid;
    setObjectName(grid->objectName() + QStringLiteral("Stack"));
    layout()->addWidget(grid);
    layout()->setAlignment(grid, Qt::AlignLeft);
}

void GridStack::setBands(const QList<GridBand> &bands, bool inTitleRow)
{
    m_bands = bands;
    m_bandsInTitleRow = inTitleRow;
    if (inTitleRow) {
        for (const GridBand &band : bands) {
            auto *label = new QLabel(band.text, m_grid);
            label->setAlignment(Qt::AlignCenter);
            label->setFrameStyle(QFrame::Panel | QFrame::Raised);
            label->setAutoFillBackground(true);
            m_bandLabels << label;
        }
        return;
    }
    if (!m_bandStrip) {
        m_bandStrip = new QWidget(this);
        static_cast<QVBoxLayout *>(layout())->insertWidget(0, m_bandStrip, 0, Qt::AlignLeft);
    }
    for (const GridBand &band : bands) {
        auto *label = new QLabel(band.text, m_bandStrip);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Raised);
        m_bandLabels << label;
    }
}

void GridStack::setUnitRow(QLabel *label, TypedGrid *unitRow, int overColumn)
{
    m_unitLabel = label;
    m_unitRow = unitRow;
    m_overColumn = overColumn;
    m_unitStrip = new QWidget(this);
    label->setParent(m_unitStrip);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    unitRow->setParent(m_unitStrip);
    static_cast<QVBoxLayout *>(layout())->insertWidget(m_bandStrip ? 1 : 0, m_unitStrip, 0, Qt::AlignLeft);
}

int GridStack::columnX(int column) const
{
    int x = m_grid->frameWidth();
    for (int c = 0; c < column && c < m_grid->columnCount(); ++c)
        x += m_grid->columnWidth(c);
    return x;
}

void GridStack::align()
{
    if (m_unitRow) {
        for (int k = 0; k < m_unitRow->columnCount(); ++k) {
            const int column = m_overColumn + k;
            if (column >= m_grid->columnCount())
                break;
            const int width = qMax(m_grid->columnWidth(column), m_unitRow->columnWidth(k));
            m_grid->setColumnWidth(column, width);
            m_unitRow->setColumnWidth(k, width);
        }
        fitToColumns(m_unitRow);
    }
    fitToColumns(m_grid);
    const int gridWidth = m_grid->width();
    if (m_bandsInTitleRow) {
        const int top = m_grid->frameWidth();
        const int height = m_grid->rowHeight(0) / 2;
        for (int i = 0; i < m_bands.size(); ++i) {
            const GridBand &band = m_bands.at(i);
            const int x = columnX(band.first);
            m_bandLabels.at(i)->setGeometry(x, top, columnX(band.last + 1) - x, height);
            m_bandLabels.at(i)->raise();
        }
    }
    if (m_bandStrip) {
        const int height = fontMetrics().height() + 8;
        for (int i = 0; i < m_bands.size(); ++i) {
            const GridBand &band = m_bands.at(i);
            const int x = columnX(band.first);
            m_bandLabels.at(i)->setGeometry(x, 0, columnX(band.last + 1) - x, height);
        }
        m_bandStrip->setFixedSize(gridWidth, height);
    }
    if (m_unitRow) {
        const int x = columnX(m_overColumn) - m_unitRow->frameWidth();
        m_unitLabel->setGeometry(0, 0, qMax(0, x - 6), m_unitRow->height());
        m_unitRow->move(x, 0);
        m_unitStrip->setFixedSize(qMax(gridWidth, x + m_unitRow->width()), m_unitRow->height());
    }
}

} // namespace Brenvik
