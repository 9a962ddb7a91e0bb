#pragma once
// Where the program finds its shipped files and keeps the user's files.
#include <QString>

// The folder holding the help files and the "dw" folder of unit files
// (numerelle::programDataFolder: beside the executable, then the installed
// share folder, then NUMERELLE_DATA_DIR).
QString programDataDirectory();
// The folder for saved matrices, created when first needed.
QString userDataDirectory();
