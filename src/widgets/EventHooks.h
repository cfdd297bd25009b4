#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

// Small adapters that route one event of one control to the window's handler for it, so a window
// reads like its list of handlers (txtTargaKeyDown, txtTotaleExit ...).
namespace EventHooks {

// The handler returns true to swallow the key (it is then neither typed nor passed on).
void onKeyDown(QWidget *control, std::function<bool(QKeyEvent *)> handler);
void onKeyUp(QWidget *control, std::function<void(QKeyEvent *)> handler);
// Focus arriving at / leaving the control.
void onEnter(QWidget *control, std::function<void()> handler);
void onExit(QWidget *control, std::function<void()> handler);
// A left click (press and release) on a control that has no click signal of its own.
void onClick(QWidget *control, std::function<void()> handler);
void onDoubleClick(QWidget *control, std::function<void()> handler);
// The control was shown.
void onShow(QWidget *control, std::function<void()> handler);
// Mouse button pressed / released on the control (links that change colour while held).
void onMouseDown(QWidget *control, std::function<void()> handler);
void onMouseUp(QWidget *control, std::function<void()> handler);

// True for the Enter and Return keys.
bool isEnter(const QKeyEvent *event);

// Enter in each control of the chain moves the focus to the following one; the last one moves back
// to target `wrapTo` when given. Returns nothing; the chain is kept by the controls.
void enterChain(std::initializer_list<QWidget *> chain, QWidget *wrapTo = nullptr);

}  // namespace EventHooks
