#include "bignum/longjs.h"
