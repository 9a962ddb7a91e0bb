#include "matrix/jz1.h"
