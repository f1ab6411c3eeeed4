#pragma once

#include <QLabel>
#include <QTextOption>

// A label for a file path: white, framed, text centred. A path often has no
// blank to wrap at, so a long one breaks at a blank where it can and anywhere
// else where it must, instead of running off the edge; the label's height
// follows (see heightForWidth).
class PathLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PathLabel(QWidget *parent = nullptr);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int padding = 3;
    static QTextOption textOption();
    qreal textHeight(qreal width) const;
};
