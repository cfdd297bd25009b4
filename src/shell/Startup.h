#pragma once

class QApplication;

namespace Startup {

// Sets the process-wide formats (dates "dd/mm/yyyy", decimal comma, no thousands separator) and
// loads Qt's own Italian translations, so standard buttons and dialogs speak Italian.
void prepare(QApplication &app);

}  // namespace Startup
