#include "base/server_error.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

TEST(ServerError, StatusReadsAsEightHexDigits) {
    EXPECT_EQ(ServerError(kStatusPointer).StatusHex(), "0x80004003");
    EXPECT_EQ(ServerError(1).StatusHex(), "0x00000001");
}

TEST(ServerError, WhatCarriesStatusAndText) {
    const ServerError error(static_cast<std::int32_t>(0x80004005), "\xC1\xF0\xEF\xF4\xF5\xF7\xDF\xE1");
    EXPECT_STREQ(error.what(), "0x80004005 \xC1\xF0\xEF\xF4\xF5\xF7\xDF\xE1");
    EXPECT_STREQ(ServerError(kStatusOutOfMemory).what(), "0x8007000E");
}

}  // namespace
}  // namespace dralmoft
