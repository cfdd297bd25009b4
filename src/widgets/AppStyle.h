#pragma once

#include <QString>

class QApplication;

// The one application style sheet: resources/style/cablora.qss, with each @name of a colour replaced
// by its colour from widgets/Palette. Applied once at start-up (Startup::prepare, which the tests
// and the window pictures run too), so every window finds its looks there and sets none inline.
namespace AppStyle {

// The style sheet with the colours filled in. A name the palette does not know stays as it is
// (Qt then ignores that declaration).
QString sheet();
void apply(QApplication &app);

}  // namespace AppStyle
