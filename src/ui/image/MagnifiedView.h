#pragma once

#include <QFrame>
#include <QImage>

// One small view above the large preview: a picture of a magnified part of the page, placed
// where its renderer put it, on the view's background.
class MagnifiedView : public QFrame {
    Q_OBJECT

public:
    explicit MagnifiedView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture, const QPoint& at);
    void clearPicture();
    bool hasPicture() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QPoint m_at;
};
