#include <gtest/gtest.h>

#include "matrix/jz1.h"
#include "test_support.h"

namespace numerelle::matrix {
namespace {

TEST(MatrixStore, ConversionsAreRowMajorWithASpareSlot) {
    const Store store{1, 2, 3, 4, 9};
    const Matrix m = storeToMatrix(store);
    EXPECT_EQ(m, testing::matrixOf({{1, 2}, {3, 4}}));
    // The spare slot does not survive a round trip: matrixToStore writes 0.
    EXPECT_EQ(matrixToStore(m), (Store{1, 2, 3, 4, 0}));
}

TEST(MatrixStore, OrderFromTheUpperIndex) {
    struct Row {
        const char* name;
        std::size_t size;
        int order;
    };
    const Row rows[] = {
        {"start-up store", 5, 2},
        {"order 3", 10, 3},
        {"order 0", 1, 0},
        {"order 1", 2, 1},
        {"largest order", 2000u * 2000u + 1, 2000},
        {"one short of order 3 still reads as 2", 9, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(storeOrder(Store(row.size)), row.order);
    }
}

TEST(MatrixStore, ResizeKeepsValuesByStoreIndex) {
    // Order 3 → 2: (0,0) (0,1) (0,2) (1,0) (1,1) become (0,0) (0,1) (1,0) (1,1)
    // and the spare slot; the former (0,2) is now (1,0).
    const Store three{1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
    EXPECT_EQ(resizeStore(three, 2), (Store{1, 2, 3, 4, 5}));
    // Growing pads with zeros; the old spare slot becomes an element.
    EXPECT_EQ(resizeStore(Store{1, 2, 3, 4, 7}, 3), (Store{1, 2, 3, 4, 7, 0, 0, 0, 0, 0}));
    EXPECT_EQ(resizeStore(three, 3), three);
}

TEST(MatrixStore, GridCellIndices) {
    struct Row {
        const char* name;
        int cell, top, left, order;
        std::int64_t index;
    };
    const Row rows[] = {
        {"origin cell 0", 0, 0, 0, 2, 0},
        {"order 2 cell 5 is (1,1)", 5, 0, 0, 2, 3},
        {"order 6 scrolled: cell 0 shows (1,2)", 0, 1, 2, 6, 8},
        {"order 6 scrolled: cell 5", 5, 1, 2, 6, 15},
        {"order 6 scrolled: last cell", 15, 2, 2, 6, 35},
        {"order 5 cell 4 starts row 1", 4, 0, 0, 5, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(matrixCellIndex(row.cell, row.top, row.left, row.order), row.index);
    }
}

TEST(EquationStore, GridCellIndicesSkipToTheNextRowAfterTheRightHandSide) {
    struct Row {
        const char* name;
        int cell, top, left, unknowns;
        std::int64_t index;
    };
    const Row rows[] = {
        {"n = 1: right-hand side", 1, 0, 0, 1, 1},
        {"n = 2: second row starts at 3", 5, 0, 0, 2, 3},
        {"n = 6, left 2: last column is the right-hand side", 4, 0, 2, 6, 6},
        {"n = 6, top 2, left 2: last cell", 19, 2, 2, 6, 5 * 7 + 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(equationCellIndex(row.cell, row.top, row.left, row.unknowns), row.index);
    }
}

TEST(EquationStore, UnknownNames) {
    struct Row {
        int j;
        const char* name;
    };
    const Row rows[] = {{1, "A"},
                        {26, "Z"},
                        {27, "a"},
                        {52, "z"},
                        {56, "~"},
                        // 127 (DEL), the C1 controls, the no-break space and
                        // the soft hyphen are skipped.
                        {57, "\u00a1"},
                        {68, "\u00ac"},
                        {69, "\u00ae"},
                        {2000, "\u0839"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.j);
        EXPECT_EQ(unknownName(row.j), row.name);
    }
}

}  // namespace
}  // namespace numerelle::matrix
