// The one view: a vertically scrolling window showing the plot or the text report. The
// report is laid out on the whole display, so a narrower window cuts its right part off.
#pragma once

#include <QAbstractScrollArea>

class CQuorvelwDoc;

class CQuorvelwView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CQuorvelwView(const CQuorvelwDoc& doc, QWidget* parent = nullptr);

    static constexpr int TOTAL_HEIGHT = 31750;  // logical units (0.01 mm): 12.5 inches

    // The scroll geometry for the display the view is on: total height, page step one tenth
    // of it, line step one tenth of the page step, all in device pixels.
    void OnInitialUpdate();
    int TotalHeightPixels() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateScrollRange();
    const CQuorvelwDoc& m_doc;
};
