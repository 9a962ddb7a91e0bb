#pragma once
// Sums and products over a range, integral and derivative of a formula in x.
