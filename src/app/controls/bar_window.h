#pragma once
// The windows with an action bar across the top (the message editor, the
// chat, the Picture Library and the Picture Editor) share one build: the
// bar spans the window's width, and the window's body sits below it, right
// of the strip the window paints down its left edge.

class QVBoxLayout;
class QWidget;

namespace zeph {

class ActionBar;

// Gives `window` a layout with `bar` at the top and returns the layout of
// the body below it, which keeps clear of the left strip and has `margin`
// on every side.
QVBoxLayout* LayOutBarWindow(QWidget* window, ActionBar* bar, int margin);

}  // namespace zeph
