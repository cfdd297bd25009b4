#pragma once

#include <QFrame>
#include <QLabel>
#include <QString>
#include <QToolButton>

class QLineEdit;
class QWidget;

// Helpers that keep the many windows of the program short and alike.
namespace FormHelpers {

// Window without title-bar buttons, of fixed size (dialogs and the login windows).
void makeFixedWithoutButtons(QWidget *window);
// Places a top-level window at the centre of the primary screen, or of `over` when given.
void centre(QWidget *window, const QWidget *over = nullptr);

// The common font of a control, asked for by its Windows name (fontconfig supplies a stand-in).
QFont font(const QString &family, int pointSize, bool bold = false);

// Edit colours: alice-blue background, sky-blue border, yellow background while focused.
void applyFieldColours(QWidget *edit);
// The same with a white background (fields of a details box).
void applyWhiteFieldColours(QWidget *edit);
// The same frame and focus colour with a background and text colour of its own (a state at a glance).
void applyStateColours(QWidget *edit, const QString &background, const QString &text);

// A caption label in Verdana above or beside its edit.
QLabel *caption(const QString &text, QWidget *parent, int pointSize = 10, bool bold = true);

// Attaches a hint that the window's status line shows while the mouse is over the control.
void setHint(QWidget *control, const QString &hint);
QString hintOf(const QWidget *control);

// Shows the hint of the control under the mouse in `statusLine`, and empties it over the background.
// Installed once per window after its controls exist.
void installStatusHints(QWidget *window, QLabel *statusLine);

}  // namespace FormHelpers

// The yellow frame behind a focused control ("eff..." in the windows): it surrounds the control and
// is visible only while the control has the focus.
class FocusFrame : public QFrame
{
    Q_OBJECT
public:
    FocusFrame(QWidget *control, QWidget *parent, int thickness = 4);
    QWidget *control() const { return m_control; }
    bool isLit() const { return m_lit; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setLit(bool lit);
    QWidget *m_control;
    bool m_lit = false;
};

// A clickable picture with the hand cursor (the icons and button pictures of the windows). It takes
// no focus unless the window makes it a keyboard command (see CommandKeys); while it has the focus it
// wears an orange frame, and Enter or Space presses it.
class PictureButton : public QToolButton
{
    Q_OBJECT
public:
    PictureButton(const QString &iconPath, const QSize &size, const QString &hint, QWidget *parent,
                  const QString &text = QString());

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
