#include "CQuorvelwView.h"

#include "QuorvelwDoc.h"
#include "Report.h"
#include "ReportRendering.h"

#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include <cmath>

CQuorvelwView::CQuorvelwView(const CQuorvelwDoc& doc, QWidget* parent) : QAbstractScrollArea(parent), m_doc(doc)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    setFrameShape(QFrame::NoFrame);
    OnInitialUpdate();
}

int CQuorvelwView::TotalHeightPixels() const
{
    const QScreen* screen = this->screen();
    if (!screen)
        return 0;
    const DeviceDescription display = DescribeScreen(*screen);
    if (display.heightMm <= 0.0)
        return 0;
    return static_cast<int>(std::lround(TOTAL_HEIGHT * display.heightPixels / (display.heightMm * 100.0)));
}

void CQuorvelwView::OnInitialUpdate()
{
    verticalScrollBar()->setValue(0);
    UpdateScrollRange();
    viewport()->update();
}

void CQuorvelwView::UpdateScrollRange()
{
    const int total = TotalHeightPixels();
    const int page = total / 10;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, total - viewport()->height()));
    bar->setPageStep(std::max(1, page));
    bar->setSingleStep(std::max(1, page / 10));
}

void CQuorvelwView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void CQuorvelwView::paintEvent(QPaintEvent*)
{
    if (!m_doc.m_bDataLoaded || !screen())
        return;
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    ReportView view;
    view.scrollY = verticalScrollBar()->value();
    RenderReport(painter, DescribeScreen(*screen()), m_doc, ReportKindOf(m_doc), view);
}
