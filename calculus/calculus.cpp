#include "calculus/calculus.h"
