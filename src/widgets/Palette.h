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
// The status line of the export dialogs.
inline const QColor kExportStatusLine{0x6A, 0x5A, 0xCD};
// The frame of an edit that has the focus.
inline const QColor kFocusFrame{0xFF, 0xD7, 0x00};
// The launcher's subtitle on its blue gradient.
inline const QColor kLauncherSubtitle{0xE4, 0xEE, 0xF8};
// A warning line in a dialog (the numbering dialog's).
inline const QColor kWarningText{0xC0, 0x00, 0x00};
// The help window's title and the list dialogs' "double-click" line (crimson).
inline const QColor kHelpTitle{0xDC, 0x14, 0x3C};
// The tops of the blue-to-white gradients of the print dialog and of the slide show.
inline const QColor kPrintGradientTop{0x3A, 0x6F, 0xC4};
inline const QColor kSlideshowGradientTop{0x46, 0x82, 0xB4};
// The date picker's panel.
inline const QColor kCalendarPanel{0xD6, 0xDC, 0xE1};
// List dialogs: the "please wait" line, the count of lines found, the strip of column headings.
inline const QColor kWaitText{0x8B, 0x00, 0x00};
inline const QColor kFoundCount{0x00, 0x8B, 0x8B};
inline const QColor kHeadingStrip{0xE3, 0xEA, 0xF3};
inline const QColor kHeadingBorder{0x9D, 0xB3, 0xCC};

// The launcher's background and the splash picture: a blue gradient from light to dark.
inline const QColor kLauncherLight{0x2F, 0x6D, 0xB5};
inline const QColor kLauncherDark{0x0F, 0x2C, 0x55};
// The yellow of an edit or focus frame that has the focus.
inline const QColor kFocusYellow{0xFF, 0xFF, 0x00};
// Links: dark blue, orange while pressed.
inline const QColor kLink{0x00, 0x00, 0x8B};
inline const QColor kLinkPressed{0xFF, 0xA5, 0x00};
// Due dates of a vehicle: text and background of a date already past, and of one that is near.
inline const QColor kDeadlinePastText{0xB0, 0x00, 0x00};
inline const QColor kDeadlinePastBackground{0xFF, 0xD5, 0xD5};
inline const QColor kDeadlineNearText{0x8A, 0x52, 0x00};
inline const QColor kDeadlineNearBackground{0xFF, 0xE7, 0xB3};

// The record windows: the tops of the customer and vehicle windows' blue-to-white gradients, the
// sheet window's background, the customer window's framed sections, the frame of the command groups,
// the light blue of the position label and of the sheet's work text, the photo badges of the sheet,
// the vehicle window's banner (dark to light blue) and its grey-blue frames and lines.
inline const QColor kCustomerGradientTop{0x46, 0x82, 0xB4};
inline const QColor kVehicleGradientTop{0x42, 0x7A, 0xA8};
inline const QColor kSheetBackground{0xE6, 0xED, 0xF5};
inline const QColor kSectionBackground{0xF7, 0xFA, 0xFD};
inline const QColor kCommandFrame{0xB8, 0xC7, 0xD9};
inline const QColor kLightField{0xF0, 0xF8, 0xFF};
inline const QColor kPhotoBadge{0xC6, 0x28, 0x28};
inline const QColor kBannerLeft{0x1F, 0x4E, 0x8C};
inline const QColor kBannerRight{0x6F, 0xA0, 0xD0};
inline const QColor kVehicleFrame{0xC8, 0xD6, 0xE3};

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
        {QStringLiteral("exportStatusLine"), kExportStatusLine},
        {QStringLiteral("focusFrame"), kFocusFrame},
        {QStringLiteral("launcherSubtitle"), kLauncherSubtitle},
        {QStringLiteral("warningText"), kWarningText},
        {QStringLiteral("helpTitle"), kHelpTitle},
        {QStringLiteral("printGradientTop"), kPrintGradientTop},
        {QStringLiteral("slideshowGradientTop"), kSlideshowGradientTop},
        {QStringLiteral("calendarPanel"), kCalendarPanel},
        {QStringLiteral("waitText"), kWaitText},
        {QStringLiteral("foundCount"), kFoundCount},
        {QStringLiteral("headingStrip"), kHeadingStrip},
        {QStringLiteral("headingBorder"), kHeadingBorder},
        {QStringLiteral("customerGradientTop"), kCustomerGradientTop},
        {QStringLiteral("vehicleGradientTop"), kVehicleGradientTop},
        {QStringLiteral("sheetBackground"), kSheetBackground},
        {QStringLiteral("sectionBackground"), kSectionBackground},
        {QStringLiteral("commandFrame"), kCommandFrame},
        {QStringLiteral("lightField"), kLightField},
        {QStringLiteral("photoBadge"), kPhotoBadge},
        {QStringLiteral("bannerLeft"), kBannerLeft},
        {QStringLiteral("bannerRight"), kBannerRight},
        {QStringLiteral("vehicleFrame"), kVehicleFrame},
    };
}

}  // namespace Palette
