#pragma once

#include <QLabel>

// A one-line label of plain text whose text, where it cannot fit, is shown cut with "…" at
// its end, the whole of it in the label's tooltip. text() stays the whole text.
class ElidedLabel : public QLabel
{
public:
    explicit ElidedLabel(QWidget *parent);

    // The text as the label shows it at its present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
};
