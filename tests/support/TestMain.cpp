// Test entry point: a QApplication on the offscreen platform unless a display was chosen, so a
// developer can still run one test in a real window. Listing the tests needs no application.
#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0)
            listing = true;
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (listing)
        return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
