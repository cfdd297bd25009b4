#pragma once

#include <QString>

class QApplication;

// The one application style sheet: resources/style/cablora.qss, with each @name of a colour replaced
// by its colour from widgets/Palette. Applied once at start-up (Startup::prepare, which the tests
// and the window pictures run too), so every window finds its looks there; the one sheet set on a
// widget (the customer window's gradient) takes its colours from the same names.
namespace AppStyle {

// The style sheet with the colours filled in. A name the palette does not know stays as it is
// (Qt then ignores that declaration).
QString sheet();
// A style sheet text with its @names filled in the same way.
QString withColours(const QString &text);
void apply(QApplication &app);

}  // namespace AppStyle
