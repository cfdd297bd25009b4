#pragma once

#include <QColor>
#include <QList>
#include <QPair>
#include <QString>

// The named colours of the program's windows, in one place. The application style sheet
// (resources/style/cablora.qss) names them as @name; code that paints names them as Palette::k...
namespace Palette {

// Backgrounds of the dialogs: the light grey-blue of most dialogs, the information and splash
// windows, the export dialogs.
inline const QColor kDialogBackground{0xF4, 0xF6, 0xF9};
inline const QColor kInfoBackground{0xEE, 0xF2, 0xF7};
inline const QColor kExportBackground{0xEE, 0xED, 0xED};
// The thin sky-blue frame of edits, memos and picture panels.
inline const QColor kFrame{0x87, 0xCE, 0xEB};
// The status line at the bottom of the app windows, and of the invoice dialogs.
inline const QColor kStatusLine{0x1F, 0x4E, 0x8C};
inline const QColor kInvoiceStatusLine{0x1F, 0x5F, 0xA8};
// The help window's title (crimson).
inline const QColor kHelpTitle{0xDC, 0x14, 0x3C};

// The names the style sheet uses, with their colours.
inline QList<QPair<QString, QColor>> named()
{
    return {
        {QStringLiteral("dialogBackground"), kDialogBackground},
        {QStringLiteral("infoBackground"), kInfoBackground},
        {QStringLiteral("exportBackground"), kExportBackground},
        {QStringLiteral("frame"), kFrame},
        {QStringLiteral("statusLine"), kStatusLine},
        {QStringLiteral("invoiceStatusLine"), kInvoiceStatusLine},
        {QStringLiteral("helpTitle"), kHelpTitle},
    };
}

}  // namespace Palette
