#pragma once
// The pages of the window shell itself.
#include <QString>

class QWidget;
class QTabWidget;
struct PageContext;

QWidget* buildCoverPage(PageContext& context, QTabWidget* tabs);
QWidget* buildHelpPage(PageContext& context);
QWidget* buildQuickCalculator(PageContext& context);

// Appends the whole content of the file at `path`, decoded from GB2312 text,
// to `text`. A missing file appends nothing and is not created.
void openfiles(const QString& path, QString& text);

// The first text the help box shows.
QString welcomeText();

// The cover picture (463 × 168 at any pixel density) and the small tab
// icon, drawn by the program.
class QPixmap;
QPixmap coverPicture(double devicePixelRatio = 1.0);
QPixmap coverIcon();

inline constexpr const char* kDesignerName = "Numerelle 开发组";
inline constexpr const char* kContactAddress = "numerelle@example.org";
inline constexpr const char* kHomePage = "https://numerelle.example.org";
