#pragma once
// Matrices: the matrix store and files, determinant, elimination, Hessenberg form and eigenvalues.
