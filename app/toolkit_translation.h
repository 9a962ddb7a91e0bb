#pragma once
// The toolkit's own texts (dialog buttons, context menus) in Chinese, like
// the rest of the window.
class QCoreApplication;

// Loads Qt's Simplified Chinese translation (Debian: qt6-translations-l10n)
// into `app`, whatever the user's locale; false when it is not installed,
// and those texts stay in English.
bool installToolkitTranslation(QCoreApplication& app);
