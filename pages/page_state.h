#pragma once
// The state the main window keeps for its pages between events. Created with
// its initial values when the window is built; lives until it closes.
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

struct PageState {
    // Greatest common divisor page: the numbers typed so far (two at start).
    std::vector<QString> gcdNumbers = std::vector<QString>(2);

    // Matrix page: the current matrix, row-major, with one spare slot
    // (an order-2 matrix at start).
    std::vector<double> matrixStore = std::vector<double>(5, 0.0);

    // Linear-system page: coefficients and right-hand sides, and the count of
    // unknowns.
    std::vector<double> equationStore = std::vector<double>(2, 0.0);
    std::int32_t unknownCount = 1;

    // Number-base page: the base the value box is written in.
    int currentBase = 10;

    // Unit page: the size of each unit in the two unit lists, by list
    // position; empty until a category is chosen.
    std::vector<double> unitSizes;

    // Complex-number page: the active input form (0 algebraic, 1
    // trigonometric) and the angle unit (0 degrees, 1 radians, 2 gradians).
    std::int16_t complexInputForm = 0;
    std::int32_t complexAngleUnit = 0;

    // Help page: what the help box must show.
    QString savedHelpText;

    // Set by the matrix page: completes an order change typed into its order
    // box but not yet applied. Other pages call it when the user leaves
    // certain boxes; empty until the matrix page is built.
    std::function<void()> finishPendingMatrixOrderChange;

    // Matrix tools: the name typed on the matrix page, which the product page
    // shows, and the matrix page's grid refreshes that the product and
    // Hessenberg pages call after replacing the current matrix (set by the
    // matrix page and the product page as they are built).
    QString matrixName = QStringLiteral("new1");
    std::function<void(const QString&)> matrixNameChanged;
    std::function<void()> showMatrixFromCorner;
    std::function<void()> refreshMatrixGrid;

    // Polynomial page: coefficients from the highest power down to the
    // constant term (degree 1 at start, every coefficient 1).
    std::vector<double> polynomialCoefficients = std::vector<double>(2, 1.0);
};
