// Test main that takes the numeric locale from the environment, as a Qt
// window does, so that the suite can be run again under a decimal-comma
// locale (LC_ALL=de_DE.UTF-8) and shows whether the core depends on it.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
