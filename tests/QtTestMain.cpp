// main() of the window tests: GoogleTest inside a QApplication, on the
// offscreen platform unless the caller chose another, and at the screen
// scale QL_TEST_SCALE_FACTOR names for a program built with it.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
#ifdef QL_TEST_SCALE_FACTOR
    setenv("QT_SCALE_FACTOR", QL_TEST_SCALE_FACTOR, 1);
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
