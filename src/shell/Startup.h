#pragma once

#include <QByteArray>
#include <QList>

class QApplication;

namespace Startup {

// Sets the process-wide formats (dates "dd/mm/yyyy", decimal comma, no thousands separator) and
// loads Qt's own Italian translations, so standard buttons and dialogs speak Italian.
// Qt's own Italian translations, then our own words for what they leave in English (ItalianTexts).
void prepare(QApplication &app);

// Makes the system locale that Qt reads at start-up Italian, whatever the system's (the file dialogs'
// dates and month names follow it): alive while the application object is created, it restores the
// environment when it ends, so that the programs started later see the user's own settings.
//     std::optional<Startup::ItalianEnvironment> italian(std::in_place);
//     QApplication app(argc, argv);
//     italian.reset();
class ItalianEnvironment
{
public:
    ItalianEnvironment();
    ~ItalianEnvironment();
    ItalianEnvironment(const ItalianEnvironment &) = delete;
    ItalianEnvironment &operator=(const ItalianEnvironment &) = delete;

private:
    struct Saved
    {
        QByteArray name;
        bool set;
        QByteArray value;
    };
    QList<Saved> m_saved;
};

}  // namespace Startup
