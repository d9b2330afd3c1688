#pragma once

#include <QTest>

#include <string>

// Passes when a ContestCheck finds nothing wrong, else fails the test with what it found.
#define VERIFY_HOLDS(check)                                                                                                                \
    do {                                                                                                                                   \
        const std::string problem_ = (check);                                                                                              \
        QVERIFY2(problem_.empty(), problem_.c_str());                                                                                      \
    } while (false)
