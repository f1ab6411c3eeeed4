#pragma once

#include <QLabel>
#include <QTextOption>

// A label for text that comes from outside, such as a file path: always plain
// text, never markup. A path often has no blank to wrap at, so a long one
// breaks at a blank where it can and anywhere else where it must, instead of
// running off the edge; the height follows the width (heightForWidth) up to a
// limit, and text that would need more is shown with its middle left out.
class WrappingLabel : public QLabel
{
    Q_OBJECT

public:
    explicit WrappingLabel(QWidget *parent = nullptr);

    void setMaximumTextHeight(int height);
    // What is drawn in the given width: the text, or its two ends around "…".
    QString shownText(int width) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    int padding() const { return m_padding; }
    void setPadding(int padding) { m_padding = padding; }

private:
    QTextOption textOption() const;
    qreal textHeight(const QString &text, qreal width) const;
    int roomFor(int width) const;

    int m_padding = 0;
    int m_maximumTextHeight = 1024;
    mutable struct
    {
        QString text;
        int width = -1;
        QString shown;
    } m_cache;
};

// A label for a file path: white, framed, text centred.
class PathLabel : public WrappingLabel
{
    Q_OBJECT

public:
    explicit PathLabel(QWidget *parent = nullptr);
};
