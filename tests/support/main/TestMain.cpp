#include "support/PrivateCopy.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    PrepareUnattendedProcess();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
