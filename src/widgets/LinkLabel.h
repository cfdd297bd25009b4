#pragma once

#include <QColor>
#include <QLabel>
#include <QList>

// The link text of the help, information and maker's windows: Tahoma 14, underlined, dark blue, with
// the hand cursor. The window's handlers turn it orange while a mouse button is held down on it (or
// on an icon beside it that belongs to the link) and dark blue again on release and on click.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &text, QWidget *parent);

    static QColor normalColour();   // dark blue, FF00008B
    static QColor pressedColour();  // orange, FFFFA500

    // Shows the link in its pressed (orange) or normal (dark blue) colour.
    void setPressed(bool pressed);
    QColor textColour() const;

    // An icon beside the link that acts as part of it: pressing, releasing and clicking it do what
    // they do on the text.
    void addIcon(QWidget *icon);

signals:
    void mouseDown();
    void mouseUp();
    // A press and a release of the left button on the link (or on one of its icons).
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool press();
    bool release(QWidget *target, Qt::MouseButton button, const QPoint &position);

    QList<QWidget *> m_icons;
    QWidget *m_pressedOn = nullptr;
};
