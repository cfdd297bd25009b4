#pragma once

#include <QString>

// The context words: the fixed texts a window writes into the hidden label lblMemory of a dialog
// that serves several callers, to say whom the dialog serves. Each word is spelled here once; a
// caller writes ContextWords::word(...) and a dialog turns the word it received back into what it
// selects with ContextWords::of(...), then hands its result to that window through one of the
// window's own functions (importCustomer, importVehicle, setAttachments, setPhoto ...).
// The date picker's words ("interventi_data", "autoparco_scadbollo" ...) name single date edits and
// are registered by the windows themselves (widgets/DateEdits).
namespace ContextWords {

enum class Target {
    None,        // a word that names nobody: the dialog hands nothing over
    Interventi,  // the sheet window
    Clienti,     // the customer window
    Autoparco,   // the vehicle window
    Contratti,   // the numbering start in Contratti.ini
    Foto01,      // the sheet's first photo
    Foto02,      // the sheet's second photo
    Fattura,     // the invoice window (it picks a customer by itself)
};

// The word of a target ("interventi", "clienti" ...); empty for None.
QString word(Target target);
// What a word selects: the words are compared exactly; any other text is None.
Target of(const QString &word);

}  // namespace ContextWords
