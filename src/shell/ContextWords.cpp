#include "shell/ContextWords.h"

namespace {

struct ContextWordEntry
{
    ContextWords::Target target;
    const char *word;
};

// clang-format off
const ContextWordEntry kContextWords[] = {
    {ContextWords::Target::Interventi, "interventi"},
    {ContextWords::Target::Clienti, "clienti"},
    {ContextWords::Target::Autoparco, "autoparco"},
    {ContextWords::Target::Contratti, "contratti"},
    {ContextWords::Target::Foto01, "foto01"},
    {ContextWords::Target::Foto02, "foto02"},
    {ContextWords::Target::Fattura, "fattura"},
};
// clang-format on

}  // namespace

QString ContextWords::word(Target target)
{
    for (const ContextWordEntry &entry : kContextWords) {
        if (entry.target == target)
            return QString::fromLatin1(entry.word);
    }
    return QString();
}

ContextWords::Target ContextWords::of(const QString &word)
{
    for (const ContextWordEntry &entry : kContextWords) {
        if (word == QLatin1String(entry.word))
            return entry.target;
    }
    return Target::None;
}
