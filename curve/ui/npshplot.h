#pragma once

#include <QWidget>

#include <vector>

// What the NPSH plot shows, at the same flows as the head plot above it.
struct NpshPlotData
{
    std::vector<double> flows; // l/h
    std::vector<double> available; // NPSHa, m; NaN without a result
    std::vector<double> required; // NPSHr of each pump at its flow, m; NaN outside its range
    double margin = 1; // NPSHa should be at least margin x NPSHr
    double flowLow = 0; // the flow axis of the head plot
    double flowHigh = 1;
};

// NPSH available and required over flow, under the head plot and on its flow axis; the
// flows where NPSHa falls short of margin x NPSHr are shaded.
class NpshPlot : public QWidget
{
    Q_OBJECT

public:
    explicit NpshPlot(QWidget *parent = nullptr);

    void setData(NpshPlotData data);
    const NpshPlotData &data() const { return m_data; }
    void render(QPainter &painter, const QRectF &area) const;

    QSize sizeHint() const override { return {640, 180}; }
    QSize minimumSizeHint() const override { return {320, 120}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    NpshPlotData m_data;
};
