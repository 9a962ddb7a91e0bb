#pragma once
// Decimal strings and the big-number pages' computations.
