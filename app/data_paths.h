#pragma once
// Where the program finds its shipped files and keeps the user's files.
#include <QString>

// The folder holding the help files and the "dw" folder of unit files:
// beside the executable, unless NUMERELLE_DATA_DIR names another (tests).
QString programDataDirectory();
// The folder for saved matrices, created when first needed.
QString userDataDirectory();
