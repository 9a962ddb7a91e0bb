#pragma once
// The pages of the window shell itself.
#include <QString>

#include "common/data_file.h"

class QWidget;
class QTabWidget;
struct PageContext;

QWidget* buildCoverPage(PageContext& context, QTabWidget* tabs);
QWidget* buildHelpPage(PageContext& context);
QWidget* buildQuickCalculator(PageContext& context);

// Appends the whole content of the file at `path`, decoded from GB2312 text
// with its line breaks made LF, to `text`. A missing file appends nothing
// and is not created. Only regular files up to 16 MB are read; otherwise
// the problem is returned and nothing is appended.
numerelle::DataFileProblem openfiles(const QString& path, QString& text);
// The message for a help file that was refused; empty for a file that was
// read or is missing (a missing file shows an empty box).
QString helpFileProblemText(const QString& path, numerelle::DataFileProblem problem);

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
